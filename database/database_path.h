// Where the curve database lives: beside the program, named like it, ending in ".txt".
#pragma once

#include <cstddef>

// Writes the database path for the program at program_path into path (path_size bytes with the
// terminator). The program's extension (from the last '.' of its file name on) is replaced by
// ".txt"; a file name without '.' gets ".txt" appended, and so does one whose result would be
// the program file itself. Returns false and leaves path empty when the program's path is empty
// or the result does not fit.
bool make_database_path(const char* program_path, char* path, size_t path_size);
