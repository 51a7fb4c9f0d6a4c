// Simulated listeners take the whole hearing test on the block clock: one who answers exactly
// from a threshold up, one whose answers follow a logistic curve with false alarms and lapses,
// one who hears everything and one who hears nothing.
#include "hearing/hearing_test.h"

#include "core/app_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

struct Listener {
    double threshold_db; // 50 % of answers here
    double width_db;     // from 5 % to 95 % of the curve; 0 for a listener without doubt
    double false_alarms; // answers to a silent presentation, and the floor of the curve
    double lapses;       // tones missed however loud
    int runs;
};

const int32_t reaction_frames = 13230;     // 0.3 s after the first frame
const int64_t sound_check_frames = 220000; // past the end of the first presentation

double answer_chance(const Listener& l, const Presentation& p) {
    if (p.kind == presentation_catch) {
        return l.false_alarms;
    }
    if (l.width_db == 0) {
        return p.level_db >= l.threshold_db ? 1.0 : 0.0;
    }
    double slope = l.width_db / (2.0 * std::log(19.0));
    return l.false_alarms + (1.0 - l.false_alarms - l.lapses) /
                                (1.0 + std::exp(-(p.level_db - l.threshold_db) / slope));
}

// One whole test of the right ear; what the right and the left channel played at its start.
HearingTest take_test(const Listener& l, uint64_t seed, std::vector<int16_t>* start_sound) {
    HearingTest test{};
    restart_hearing_clock(&test);
    start_hearing_test(&test, 2, false, seed);
    std::mt19937_64 chance(seed);
    std::vector<int16_t> block(block_frames * 2);
    int64_t heard_onset = -1, press_at = -1;
    while (test.running && test.synthesized_frames < 44100LL * 3600) {
        bool sound = start_sound != nullptr && test.synthesized_frames < sound_check_frames;
        fill_hearing_block(&test, sound ? block.data() : nullptr);
        if (sound) {
            start_sound->insert(start_sound->end(), block.begin(), block.end());
        }
        const Presentation& p = test.presentation;
        bool answerable = p.kind == presentation_tone || p.kind == presentation_catch;
        if (answerable && p.onset != heard_onset && p.onset < test.played_frames + block_frames) {
            heard_onset = p.onset;
            bool yes = std::uniform_real_distribution<double>()(chance) < answer_chance(l, p);
            press_at = yes ? p.onset + reaction_frames : -1;
        }
        if (press_at >= 0 && test.played_frames >= press_at) {
            answer_hearing_test(&test);
            press_at = -1;
        }
    }
    return test;
}

int32_t on_grid_above(double level_db) {
    return int32_t(std::ceil(level_db / 5.0) * 5.0);
}

int32_t percentile(std::vector<int32_t> values, double share) {
    std::sort(values.begin(), values.end());
    return values[size_t(share * (values.size() - 1))];
}

// The first presentation's pulses in the right channel: silent first and last frames, edges that
// rise and fall within the first and last millisecond no further than 1 % of the amplitude, the
// flat top at the amplitude; the left channel silent throughout.
void expect_clean_pulses(const std::vector<int16_t>& sound, const Presentation& first) {
    for (int k = 0; k < tone_pulses; ++k) {
        size_t start = size_t(first.onset + int64_t(k) * pulse_period_frames);
        ASSERT_LT(2 * (start + pulse_frames), sound.size());
        int peak = 0;
        for (int n = 0; n < pulse_frames; ++n) {
            int sample = std::abs(sound[2 * (start + size_t(n)) + 1]);
            peak = std::max(peak, sample);
            int edge = std::min(n, pulse_frames - 1 - n); // frames from the nearer end
            int limit = edge == 0 ? 0 : edge < 44 ? first.amplitude / 100 : first.amplitude;
            EXPECT_LE(sample, limit) << "pulse " << k << " frame " << n;
        }
        EXPECT_GE(peak, first.amplitude - 1) << "pulse " << k;
    }
    for (size_t i = 0; i < sound.size(); i += 2) {
        ASSERT_EQ(0, sound[i]) << "left channel at frame " << i / 2;
    }
}

TEST(HearingTest, SimulatedListenersGetTheirThresholds) {
    const double everything = -1000, nothing = 1000;
    const Listener listeners[] = {
        {-78, 0, 0, 0, 1},           {-63.2, 0, 0, 0, 1},         {-52.5, 0, 0, 0, 1},
        {-36.7, 0, 0, 0, 1},         {-18.1, 0, 0, 0, 1},         {-6, 0, 0, 0, 1},
        {everything, 0, 0, 0, 1},    {nothing, 0, 0, 0, 1},       {-58, 10, 0.05, 0.03, 1000},
        {-44, 10, 0.05, 0.03, 1000}, {-31, 10, 0.05, 0.03, 1000}, {-12, 10, 0.05, 0.03, 1000},
    };
    for (const Listener& l : listeners) {
        SCOPED_TRACE("listener at " + std::to_string(l.threshold_db) + " dB, " +
                     std::to_string(l.width_db) + " dB wide");
        int32_t expected =
            l.threshold_db == everything ? test_level_floor_db : on_grid_above(l.threshold_db);
        std::vector<int32_t> presentations, minutes;
        int near = 0, steps = 0;
        for (int run = 0; run < l.runs; ++run) {
            std::vector<int16_t> start_sound;
            HearingTest test = take_test(l, 1000 + run, l.runs == 1 ? &start_sound : nullptr);
            ASSERT_EQ(10, test.decided_steps) << "run " << run;
            for (int s = 0; s < test.step_count; ++s) {
                const StepResult& r = test.steps[s];
                presentations.push_back(r.presentations);
                ++steps;
                if (l.threshold_db == nothing) {
                    EXPECT_EQ(search_no_response, r.outcome) << r.frequency_hz << " Hz";
                    EXPECT_LE(r.presentations, 30) << r.frequency_hz << " Hz";
                } else if (l.runs == 1) {
                    EXPECT_EQ(search_threshold, r.outcome) << r.frequency_hz << " Hz";
                    EXPECT_EQ(expected, r.threshold_db) << r.frequency_hz << " Hz";
                }
                near += r.outcome == search_threshold && std::abs(r.threshold_db - expected) <= 5;
            }
            minutes.push_back(int32_t(test.synthesized_frames / 26460)); // hundredths of a minute
            if (l.runs == 1 && l.threshold_db != nothing) {
                HearingTest first{};
                restart_hearing_clock(&first);
                start_hearing_test(&first, 2, false, 1000);
                fill_hearing_block(&first, nullptr);
                expect_clean_pulses(start_sound, first.presentation);
            }
        }
        if (l.runs > 1) {
            std::printf("listener at %.0f dB: %.1f %% within 5 dB, presentations median %d, 95th "
                        "percentile %d, test %.1f min (median)\n",
                        l.threshold_db, 100.0 * near / steps, percentile(presentations, 0.5),
                        percentile(presentations, 0.95), percentile(minutes, 0.5) / 100.0);
            EXPECT_GE(near, steps * 98 / 100);
            EXPECT_LE(percentile(presentations, 0.5), 12);
            EXPECT_LE(percentile(presentations, 0.95), 25);
        }
    }
}

} // namespace
