// The program's conversions from a double to an integer: truncation, and rounding built on it.
#pragma once

#include <cstdint>

// Truncates toward zero (3.99 gives 3, -0.52 gives 0). A value that is not finite or whose
// truncation lies outside the int32 range gives INT32_MIN, the value x86 produces for such
// conversions; a plain cast would be undefined behaviour there.
int32_t truncate_to_int(double value);

// Rounds to the nearest integer, halves away from zero (2.5 gives 3, -0.5 gives -1), with the
// same INT32_MIN for a value that is not finite or does not fit.
int32_t round_to_int(double value);
