// The change of hearing since an earlier test of the same ears, with the same headphones at the
// same volume: each point's level less the earlier test's level at its frequency, in whole dB, by
// the rules of hearing level with the earlier test in the reference's place
// (curve_hearing_levels); positive is poorer. It needs no reference listener. Then the criteria of
// a change that matters: a significant threshold shift of occupational hearing conservation (an
// average change of 10 dB or more at 2000, 3000 and 4000 Hz), and those of monitoring for drugs
// that can harm the ear (ASHA: 20 dB or more at one frequency, or 10 dB or more at two adjacent
// frequencies).
#pragma once

#include "hearing/hearing_level.h"

#include <cstdint>
#include <vector>

const int shift_frequency_count = 3;
extern const uint16_t shift_frequencies_hz[shift_frequency_count];
const int32_t threshold_shift_db = 10;
const int32_t one_frequency_change_db = 20;
const int32_t adjacent_change_db = 10;
// Test-retest differences of automated audiometry lie mostly within this many dB either way.
const int32_t repeatability_db = 10;
// An improvement this large usually means practice with the test, or another volume or
// headphones, rather than better hearing.
const int32_t improvement_note_db = 15;

// What an ear's changes (curve_hearing_levels of its curve against the earlier test) say, read
// from the points that count.
struct EarChange {
    EarAverage shift;       // the average change at the shift frequencies
    bool significant_shift; // nothing missing, and an average of threshold_shift_db or more
    std::vector<uint16_t> by_one_hz;      // changed by one_frequency_change_db or more, rising
    std::vector<uint16_t> by_adjacent_hz; // changed by adjacent_change_db or more, as is the
                                          // frequency next to it in the ear's own list, rising
    bool within_repeatability; // every change within repeatability_db either way, and no criterion
    bool improved;             // better by improvement_note_db or more somewhere
};
EarChange ear_change(const std::vector<PointLevel>& changes);

// Whether a change of the ear calls for an audiologist: the shift or either criterion.
bool change_matters(const EarChange& change);
