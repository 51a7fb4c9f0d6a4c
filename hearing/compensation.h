// Compensation of hearing levels by the half-gain rule, as equalizer gains: half of each hearing
// level above 0 dB HL, 0 elsewhere, then the highest gain of all the ears copied subtracted from
// every one, so that every gain is a cut and both ears keep one scale; no cut deeper than 30 dB.
#pragma once

#include "hearing/hearing_level.h"

#include <cstdint>
#include <vector>

// Which ears a compensation takes, in the order of the audiogram window's choice.
enum CompensatedEars { compensate_both = 0, compensate_right, compensate_left };
// No gain is a cut of more than this many dB.
const double compensation_cut_limit_db = 30.0;

// An equalizer's setting at one frequency: its gain in dB.
struct EqualizerGain {
    int32_t frequency_hz;
    double gain_db;
};

// The gains of each ear taken, in rising frequency, one per frequency with a hearing level; an
// ear not taken has none.
struct Compensation {
    std::vector<EqualizerGain> right;
    std::vector<EqualizerGain> left;
    bool limited; // a cut was held at compensation_cut_limit_db
};

// The compensation of the ears chosen from their hearing levels, of which the points that count
// are read (curve_hearing_levels lists them). False, with nothing in `gains`, while an ear chosen
// (for both ears, either ear) has no hearing level.
bool compensate(const std::vector<PointLevel>& right, const std::vector<PointLevel>& left, int ears,
                Compensation* gains);

// The same for the main set's right and left ear against the reference.
bool compensate_set(const CurveSet& main_set, const CurveSet& reference, int ears,
                    Compensation* gains);
