// The rule that names the curve database file after the program.
#include "database/database_path.h"

#include <cstring>

namespace {

// Where the file name starts: after the last '\' or '/' (Windows takes both) or the ':' of a
// drive ("C:tone.exe").
const char* file_name_start(const char* path) {
    const char* name = path;
    for (const char* p = path; *p != '\0'; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':') {
            name = p + 1;
        }
    }
    return name;
}

bool same_path(const char* a, const char* b) {
    // File names on Windows compare without regard to letter case.
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        char ca = *a >= 'A' && *a <= 'Z' ? static_cast<char>(*a - 'A' + 'a') : *a;
        char cb = *b >= 'A' && *b <= 'Z' ? static_cast<char>(*b - 'A' + 'a') : *b;
        if (ca != cb) {
            return false;
        }
    }
    return *a == *b;
}

} // namespace

bool make_database_path(const char* program_path, char* path, size_t path_size) {
    static const char extension[] = ".txt";
    if (path_size == 0) {
        return false;
    }
    path[0] = '\0';
    // Without the program's own path there is no folder to put the database in.
    if (program_path[0] == '\0') {
        return false;
    }
    const char* dot = std::strrchr(file_name_start(program_path), '.');
    size_t stem =
        dot != nullptr ? static_cast<size_t>(dot - program_path) : std::strlen(program_path);
    if (stem + sizeof extension > path_size) {
        return false;
    }
    std::memcpy(path, program_path, stem);
    std::memcpy(path + stem, extension, sizeof extension);
    if (!same_path(path, program_path)) {
        return true;
    }
    // The program itself ends in ".txt": keep its whole name and add the extension after it.
    size_t whole = std::strlen(program_path);
    if (whole + sizeof extension > path_size) {
        path[0] = '\0';
        return false;
    }
    std::memcpy(path, program_path, whole);
    std::memcpy(path + whole, extension, sizeof extension);
    return true;
}
