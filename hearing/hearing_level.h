// Hearing level against a reference: a listener with normal hearing, measured with the same
// headphones at the same volume, is taken as 0 dB HL at each frequency. The reference is a curve
// set (the compare set); each curve of the main set is read against the reference's curve of the
// same colour, or against its green curve where that one has no point. Then the average of 500,
// 1000, 2000 and 4000 Hz, its grade, and the difference between the ears.
#pragma once

#include "core/app_state.h"

#include <cstdint>
#include <string>
#include <vector>

const int green_curve = 0;
const int right_ear_curve = 1; // red, as the hearing test records the ears
const int left_ear_curve = 2;  // blue

// Whether the compare set is a reference: a curve of it has a point that counts (counted_points),
// one with a frequency and a level. A set of silent or 0 Hz points gives no level anywhere.
bool has_reference(const CurveSet& reference);

// The curve of `reference` that main curve `curve` is read against: the same colour where that
// curve has a point with a frequency and a level, else green where that one has, else -1.
int reference_curve(const CurveSet& reference, int curve);

// The level in dB relative to full scale that reference curve `curve` gives at `frequency`: the
// level of its point there, or between its two nearest points linear in log frequency. False
// below its lowest and above its highest frequency, where nothing is extrapolated.
bool reference_level(const CurveSet& reference, int curve, int32_t frequency, double* level_db);

// A value in dB as a whole number, halves away from zero (2.5 gives 3, -2.5 gives -3).
int32_t whole_db(double value);

// A whole number typed into a field, from lowest to highest: digits with blanks around them and a
// "+" or "-" sign allowed. False for anything else, blanks only too ("abc", "12.5", "4O").
bool read_whole_number(const std::string& text, int32_t lowest, int32_t highest, int32_t* value);

// The amplitude a curve point stores for a level in dB relative to full scale that the program
// found itself (a threshold of the hearing test, a reference level): the whole amplitude nearest
// to 32768 * 10^(level/20), halves up, as exact as 16 bits allow. 0 where that value is below 1 or
// its nearest whole amplitude above 32767: no point can hold the level, and rounding it into
// range would store it up to 6 dB off.
uint16_t stored_amplitude(double level_db);

// A point of a main curve with its hearing level against the reference.
struct PointLevel {
    int index; // the point's place in the curve's stored order
    uint16_t frequency_hz;
    int32_t level_db; // whole dB HL: the point's level less the reference level at its frequency
    bool counts;      // the one point of its frequency that counts (counted_points)
};

// Every point of main curve `curve` that has a hearing level, in rising frequency and, at one
// frequency, in stored order. A silent point or one of 0 Hz has none, nor has a point outside the
// reference's frequencies or a curve without a reference curve. Of each frequency listed exactly
// one point counts: the chart marks every point and joins those that count; the averages, the
// copied table and the compensation read only those.
std::vector<PointLevel> curve_hearing_levels(const CurveSet& main_set, const CurveSet& reference,
                                             int curve);

// Whether a point with a hearing level lies above 8000 Hz: the chart then reaches 16 kHz.
bool has_level_above_8k(const CurveSet& main_set, const CurveSet& reference);

// The frequencies of the average, and the grades of its value (WHO 2021), each from its lower
// edge in dB HL: normal below 20, mild, moderate, moderately severe, severe, profound and, from
// 95, complete.
const int average_frequency_count = 4;
extern const uint16_t average_frequencies_hz[average_frequency_count];
const int grade_count = 7;
extern const int32_t grade_floor_db[grade_count];
int grade_of(int32_t average_db);

// The average of a curve's levels over the points that count at exactly some frequencies (at most
// four), taken over their whole levels and rounded as whole_db.
struct EarAverage {
    bool has_levels;   // the curve has a level at some frequency
    int missing_count; // of the frequencies, those without a level
    uint16_t missing_hz[average_frequency_count];
    int32_t average_db; // valid when has_levels and nothing is missing
};
EarAverage average_at(const std::vector<PointLevel>& levels, const uint16_t* frequencies,
                      int count);
// A main curve's average of 500, 1000, 2000 and 4000 Hz against the reference.
EarAverage ear_average(const CurveSet& main_set, const CurveSet& reference, int curve);

// Where both ears have an average (missing nothing) that differ by this much or more, an
// audiologist should look at it.
const int32_t ear_difference_db = 15;
// The difference of the two averages when it is that large, else 0.
int32_t notable_ear_difference(const EarAverage& right, const EarAverage& left);
