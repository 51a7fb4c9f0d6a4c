// The frequency field's scales. Every double-to-integer step goes through truncate_to_int, so
// degenerate arguments (zero width, height, frequency or amplitude) give INT32_MIN instead of
// undefined behaviour.
#include "graph/scales.h"

#include "core/app_state.h"
#include "core/truncate.h"

#include <cmath>

namespace {

const double full_scale = 32768.0; // amplitude of 0 dB
const double loudest = 32767.0;    // the largest amplitude a level taken from a row may have
const double axis_span = 6.2;      // natural-log span of the frequency axis (about 8.94 octaves)
const double axis_hz = 100.0;      // frequency at x = w/6.2
const double cube_root = 0.3333333333333333;
const double linear_db_factor = 8.7; // with the divisor: -74.65 dB at the top edge
const double linear_db_divisor = 5400.0;

// Squared pole frequencies of the A-weighting filter: 20.59², 107.6², 737.8² and 12194² Hz.
const double pole_1 = 423.9481;
const double pole_2 = 11577.76;
const double pole_3 = 544348.84;
const double pole_4 = 148693636.0;
const double a_weighting_normalisation_db = 2.0;

// Rounds to the nearest multiple of step, halves going up. The sum is formed in 64 bits: near the
// top of the int32 range it would overflow, while the rounded result always fits again.
int32_t round_to_step(int32_t frequency, int32_t step) {
    int64_t raised = static_cast<int64_t>(frequency) + step / 2;
    return static_cast<int32_t>(raised - raised % step);
}

// The Snap Hz bands: the step grows with the frequency, and 50 Hz and below stay as they are.
int32_t snap_frequency(int32_t frequency) {
    if (frequency > 1000) {
        return round_to_step(frequency, 100);
    }
    if (frequency > 500) {
        return round_to_step(frequency, 50);
    }
    if (frequency > 200) {
        return round_to_step(frequency, 10);
    }
    if (frequency > 50) {
        return round_to_step(frequency, 5);
    }
    return frequency;
}

} // namespace

double amplitude_to_db(double amplitude) {
    return 20.0 * std::log10(amplitude / full_scale);
}

double db_to_amplitude(double level_db) {
    return full_scale * std::pow(10.0, level_db / 20.0);
}

int32_t x_to_hz(int32_t x, int32_t w) {
    // The product first, then the division: the order fixes the rounding of the exponent.
    double exponent = axis_span * x / w - 1.0;
    int32_t frequency = truncate_to_int(axis_hz * std::exp(exponent));
    if (app.snap_hz != 0) {
        frequency = snap_frequency(frequency);
    }
    return frequency;
}

int32_t hz_to_x(int32_t frequency, int32_t w) {
    return truncate_to_int((std::log(frequency / axis_hz) + 1.0) * w / axis_span);
}

double y_to_amplitude(int32_t y, int32_t h) {
    double r = static_cast<double>(y) / h;
    double amplitude = 0.0;
    if (app.linear_db != 0) {
        amplitude = full_scale * (std::exp(linear_db_factor * r) / linear_db_divisor);
    } else {
        amplitude = full_scale * (r * r * r);
    }
    if (app.snap_db != 0) {
        amplitude = db_to_amplitude(std::floor(amplitude_to_db(amplitude) + 0.5));
    }
    // Written so that a not-a-number amplitude clamps as well.
    if (!(amplitude <= loudest)) {
        amplitude = loudest;
    }
    return amplitude;
}

int32_t amplitude_to_y(int32_t amplitude, int32_t h) {
    double t = 0.0;
    if (app.linear_db != 0) {
        t = std::log(linear_db_divisor * amplitude / full_scale) / linear_db_factor;
    } else {
        t = std::pow(amplitude / full_scale, cube_root);
    }
    return truncate_to_int(t * h);
}

double a_weighting_db(int32_t frequency) {
    // f² as a 64-bit integer product is exact for every int32 frequency; f⁴ is formed in
    // floating point, where it cannot overflow.
    double f2 = static_cast<double>(static_cast<int64_t>(frequency) * frequency);
    double f = frequency;
    double f4 = (f * f) * (f * f);
    double numerator = pole_4 * f4;
    double denominator =
        (f2 + pole_1) * std::sqrt(f2 + pole_2) * std::sqrt(f2 + pole_3) * (f2 + pole_4);
    return 20.0 * std::log10(numerator / denominator) + a_weighting_normalisation_db;
}

int32_t display_amplitude(int32_t amplitude, int32_t frequency) {
    if (app.a_weighting == 0) {
        return amplitude;
    }
    return truncate_to_int(db_to_amplitude(amplitude_to_db(amplitude) + a_weighting_db(frequency)));
}
