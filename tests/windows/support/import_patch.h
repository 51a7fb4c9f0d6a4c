// Swaps a function that this executable imports from a DLL (malloc from the C runtime, say) for
// a test's own, so a test can watch or fail the program's calls to it. Only calls made from this
// executable's code are affected; the DLLs keep their own imports.
#pragma once

// Points this executable's import of the function named name at replacement and returns the
// function it pointed at before; null when the executable does not import name.
void* replace_import(const char* name, void* replacement);
