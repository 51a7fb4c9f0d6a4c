// The program's one conversion from a double to an integer.
#pragma once

#include <cstdint>

// Truncates toward zero (3.99 gives 3, -0.52 gives 0). A value that is not finite or whose
// truncation lies outside the int32 range gives INT32_MIN, the value x86 produces for such
// conversions; a plain cast would be undefined behaviour there.
int32_t truncate_to_int(double value);
