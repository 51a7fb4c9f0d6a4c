// Simulated listeners take the whole hearing test on the block clock, by either procedure: ones
// who answer exactly from a threshold up, ones whose answers follow a logistic curve with false
// alarms and lapses (at one level everywhere, or along a seeded audiogram), one who hears
// everything, one who hears nothing and one who answers at random.
#include "bench/simulated_listener.h"
#include "hearing/test_verdict.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const int64_t sound_check_frames = 220000; // past the end of the first presentation

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
            double limit = edge == 0   ? 0
                           : edge < 44 ? first.amplitude / 100
                                       : first.amplitude + 0.5;
            EXPECT_LE(sample, limit) << "pulse " << k << " frame " << n;
        }
        EXPECT_GE(peak, first.amplitude - 1) << "pulse " << k;
    }
    for (size_t i = 0; i < sound.size(); i += 2) {
        ASSERT_EQ(0, sound[i]) << "left channel at frame " << i / 2;
    }
}

struct Listener {
    double threshold_db; // of every frequency; NAN for seeded audiograms
    double width_db;     // from 5 % to 95 % of the curve; 0 for a listener without doubt
    double false_alarms; // answers to a silent presentation, and the floor of the curve
    double lapses;       // tones missed however loud
    int runs;
    int quick; // 1 for the quick procedure, 0 for the standard one
};

TEST(HearingTest, SimulatedListenersGetTheirThresholds) {
    const double everything = -1000, nothing = 1000, audiogram = NAN;
    const Listener listeners[] = {
        {-78, 0, 0, 0, 1, 0},           {-63.2, 0, 0, 0, 1, 0},
        {-52.5, 0, 0, 0, 1, 0},         {-36.7, 0, 0, 0, 1, 0},
        {-18.1, 0, 0, 0, 1, 0},         {-6, 0, 0, 0, 1, 0},
        {everything, 0, 0, 0, 1, 0},    {nothing, 0, 0, 0, 1, 0},
        {-80.25, 0, 0, 0, 1, 0},        {-70.25, 0, 0, 0, 1, 0},
        {-60.25, 0, 0, 0, 1, 0},        {-58, 10, 0.05, 0.03, 1000, 0},
        {-44, 10, 0.05, 0.03, 1000, 0}, {-31, 10, 0.05, 0.03, 1000, 0},
        {-12, 10, 0.05, 0.03, 1000, 0}, {-78, 0, 0, 0, 1, 1},
        {-52.5, 0, 0, 0, 1, 1},         {-18.1, 0, 0, 0, 1, 1},
        {everything, 0, 0, 0, 1, 1},    {nothing, 0, 0, 0, 1, 1},
        {-40, 10, 0.5, 0.5, 20, 1},     {audiogram, 10, 0.05, 0.03, 200, 1},
    };
    for (const Listener& row : listeners) {
        TestProcedure procedure = row.quick ? test_procedure_quick : test_procedure_standard;
        bool exact = row.width_db == 0, seeded = std::isnan(row.threshold_db);
        bool random = row.false_alarms + row.lapses == 1.0;
        SCOPED_TRACE(std::string(row.quick ? "quick" : "standard") + " procedure, listener at " +
                     std::to_string(row.threshold_db) + " dB, " + std::to_string(row.width_db) +
                     " dB wide");
        int32_t cap = row.quick ? estimate_tone_cap : 30;
        std::vector<int32_t> presentations, per_ear, minutes;
        int near = 0, steps = 0, unreliable = 0;
        for (int run = 0; run < row.runs; ++run) {
            std::vector<int16_t> start_sound;
            SimulatedListener l = seeded ? seeded_listener(1000 + run, row.width_db)
                                         : flat_listener(row.threshold_db, row.width_db,
                                                         row.false_alarms, row.lapses);
            HearingTest test = simulate_test(l, procedure, 1000 + run,
                                             exact ? &start_sound : nullptr, sound_check_frames);
            ASSERT_EQ(10, test.decided_steps) << "run " << run;
            int32_t ear = 0;
            for (int s = 0; s < test.step_count; ++s) {
                const StepResult& r = test.steps[s];
                double truth = listener_threshold(l, r.frequency_hz);
                // The standard procedure finds the grid level above; the quick one the level.
                double expected = truth == everything ? test_level_floor_db
                                  : !row.quick        ? on_grid_above(truth)
                                                      : truth;
                presentations.push_back(r.presentations);
                ear += r.presentations + r.catch_trials;
                ++steps;
                EXPECT_LE(r.presentations, cap) << r.frequency_hz << " Hz";
                if (truth == nothing) {
                    EXPECT_EQ(search_no_response, r.outcome) << r.frequency_hz << " Hz";
                } else if (exact) {
                    EXPECT_EQ(search_threshold, r.outcome) << r.frequency_hz << " Hz";
                    EXPECT_NEAR(expected, r.threshold_db, row.quick ? 2 : 0)
                        << r.frequency_hz << " Hz";
                }
                near += r.outcome == search_threshold && std::fabs(r.threshold_db - expected) <= 5;
            }
            per_ear.push_back(ear);
            minutes.push_back(int32_t(test.synthesized_frames / 26460)); // hundredths of a minute
            unreliable += test_verdict(test).unreliable;
            if (exact && row.threshold_db != nothing) {
                HearingTest first{};
                restart_hearing_clock(&first);
                start_hearing_test(&first, 2, false, procedure, 1000 + run);
                fill_hearing_block(&first, nullptr);
                expect_clean_pulses(start_sound, first.presentation);
            }
        }
        if (row.runs > 1 && !random) {
            std::printf("%s listener at %.0f dB: %.1f %% within 5 dB, presentations median %d, "
                        "95th percentile %d, per ear median %d, test %.1f min (median)\n",
                        row.quick ? "quick" : "standard", row.threshold_db, 100.0 * near / steps,
                        percentile(presentations, 0.5), percentile(presentations, 0.95),
                        percentile(per_ear, 0.5), percentile(minutes, 0.5) / 100.0);
        }
        if (row.runs > 1 && !row.quick) {
            EXPECT_GE(near, steps * 98 / 100);
            EXPECT_LE(percentile(presentations, 0.5), 12);
            EXPECT_LE(percentile(presentations, 0.95), 25);
        }
        if (random) {
            // By chance a third or fewer of the silent presentations are answered now and then.
            EXPECT_GE(unreliable, row.runs * 3 / 4);
        }
        if (seeded) {
            EXPECT_GE(near, steps * 95 / 100);
            EXPECT_LE(percentile(per_ear, 0.5), 60);
            EXPECT_LE(percentile(minutes, 0.5), 400);
        }
    }
}

// Every level plays within 0.25 dB of its name, the quietest ones too, whose samples are a few
// steps high.
TEST(HearingTest, LevelsPlayAsNamed) {
    std::vector<int16_t> block(block_frames * 2);
    PulseTrain train{1000, 0, 2, 0, 1, pulse_frames, pulse_period_frames, pulse_edge_frames};
    for (int32_t level = test_level_floor_db; level <= test_level_ceiling_db; ++level) {
        train.amplitude = test_amplitude(level);
        synthesize_pulse_block(train, pulse_edge_frames, block.data());
        EXPECT_NEAR(level, played_level_db(block.data(), 0, block_frames, 2), 0.25) << level;
    }
}

// Blocks are played until the presentation is one of kind that has begun to sound.
void play_until_sounding(HearingTest* test, PresentationKind kind) {
    do {
        fill_hearing_block(test, nullptr);
    } while (test->presentation.kind != kind || test->presentation.decided ||
             test->presentation.onset + block_frames > test->played_frames);
}

// Pause in the middle of a frequency: the distribution stays as it was, a press after Continue
// within the window of the tone cut short counts nothing, and a silent presentation cut short
// leaves its place among the frequency's four.
TEST(HearingTest, PauseDropsThePresentationAndKeepsTheRest) {
    HearingTest test{};
    restart_hearing_clock(&test);
    start_hearing_test(&test, 2, false, test_procedure_quick, 7);
    play_until_sounding(&test, presentation_tone);
    answer_hearing_test(&test);
    play_until_sounding(&test, presentation_tone);
    HearingTest before = test;
    pause_hearing_test(&test);
    for (int i = 0; i < 5; ++i) {
        fill_hearing_block(&test, nullptr);
    }
    continue_hearing_test(&test);
    answer_hearing_test(&test);
    EXPECT_EQ(before.false_alarms, test.false_alarms);
    EXPECT_EQ(before.search.presentations, test.search.presentations);
    EXPECT_EQ(0, std::memcmp(before.search.probability, test.search.probability,
                             sizeof test.search.probability));
    play_until_sounding(&test, presentation_catch);
    int32_t catch_trials = test.steps[test.step].catch_trials;
    pause_hearing_test(&test);
    EXPECT_EQ(catch_trials - 1, test.steps[test.step].catch_trials);
}

} // namespace
