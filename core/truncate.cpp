// Double-to-integer conversion shared by every subsystem.
#include "core/truncate.h"

#include <cmath>

int32_t truncate_to_int(double value) {
    if (!std::isfinite(value)) {
        return INT32_MIN;
    }
    double whole = std::trunc(value);
    if (whole < -2147483648.0 || whole > 2147483647.0) {
        return INT32_MIN;
    }
    return static_cast<int32_t>(whole);
}

int32_t round_to_int(double value) {
    return truncate_to_int(std::round(value));
}
