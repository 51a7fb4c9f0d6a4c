// Simulated listeners for the hearing test, shared by its benchmark and its native test: a
// listener with a threshold for each ear at every frequency (an audiogram), who hears only the
// samples played. It answers the headphone check with the channels that sound, and a presentation
// with the chance of the logistic listener model at the level its ear hears (a silent one with its
// false-alarm rate), after a reaction time of 0.25 to 1.5 s. A whole test runs on the block clock,
// as the window drives it.
#pragma once

#include "audio/tone_synthesis.h"
#include "core/app_state.h"
#include "hearing/test_session.h"
#include "hearing/threshold_estimate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

// The frequencies of an audiogram, rising.
const uint16_t audiogram_hz[] = {125,  250,  500,   1000,  2000,  3000, 4000,
                                 6000, 8000, 10000, 12000, 14000, 16000};
const int audiogram_count = 13;
const int tested_count = 9; // 125 to 8000 Hz: a test without the highs

struct SimulatedListener {
    // [0] the right ear, [1] the left: 50 % of the logistic part here; beyond the floor to answer
    // everything, beyond the ceiling for nothing.
    double threshold_db[2][audiogram_count];
    double width_db;     // from 5 % to 95 %; 0 for a listener without doubt
    double false_alarms; // answers to a silent presentation, the curve's floor
    double lapses;       // tones missed however loud
    // The check's answer to a tone that sounds in the channels of mask: check_answers[mask] (all
    // four 0 for a listener who answers with the channels, -1 for no answer).
    int32_t check_answers[4];
};

const int64_t reaction_shortest_frames = 11025; // 0.25 s after the first frame
const int64_t reaction_longest_frames = 66150;  // 1.5 s

inline int ear_index(int32_t channel_mask) {
    return channel_mask == 1 ? 1 : 0;
}

inline double listener_threshold(const SimulatedListener& l, int32_t channel_mask,
                                 uint16_t frequency_hz) {
    const double* ear = l.threshold_db[ear_index(channel_mask)];
    for (int i = 0; i < audiogram_count; ++i) {
        if (audiogram_hz[i] == frequency_hz) {
            return ear[i];
        }
    }
    return ear[3];
}

// Whether an ear's threshold at audiogram frequency i lies 15 dB or more from that of a
// neighbouring frequency tested.
inline bool is_steep(const SimulatedListener& l, int ear, int i) {
    const double* t = l.threshold_db[ear];
    return (i > 0 && std::fabs(t[i] - t[i - 1]) >= 15.0) ||
           (i + 1 < tested_count && std::fabs(t[i] - t[i + 1]) >= 15.0);
}

// An audiogram from seed, shared by both ears: a threshold at 1000 Hz between -70 and -20 dBFS, and
// from there outwards a change of a few dB per frequency, one in ten a step of 20 to 40 dB, kept
// within -78 ... -10. One listener in five has a notch: one frequency of 3000, 4000 and 6000 Hz
// 20 to 35 dB worse than both its neighbours. Each ear deviates by a few dB; for one listener in
// five, one ear is 20 to 40 dB worse over a run of two to six neighbouring frequencies.
inline SimulatedListener seeded_listener(uint64_t seed, double width_db) {
    std::mt19937_64 chance(seed);
    std::uniform_real_distribution<double> fraction;
    std::normal_distribution<double> few(0.0, 3.0), deviation(0.0, 2.0);
    auto between = [&](double low, double high) { return low + (high - low) * fraction(chance); };
    auto within = [](double db, double ceiling) { return std::min(std::max(db, -78.0), ceiling); };
    SimulatedListener l{{}, width_db, 0.05, 0.03, {}};
    double common[audiogram_count];
    common[3] = between(-70.0, -20.0);
    auto next = [&](double from) {
        double step = between(20.0, 40.0);
        double change =
            fraction(chance) < 0.1 ? (fraction(chance) < 0.5 ? -step : step) : few(chance);
        return within(from + change, -10.0);
    };
    for (int i = 4; i < audiogram_count; ++i) {
        common[i] = next(common[i - 1]);
    }
    for (int i = 2; i >= 0; --i) {
        common[i] = next(common[i + 1]);
    }
    if (fraction(chance) < 0.2) {
        int notch = 5 + int(3 * fraction(chance));
        common[notch] =
            within(std::max(common[notch - 1], common[notch + 1]) + between(20.0, 35.0), -10.0);
    }
    for (int ear = 0; ear < 2; ++ear) {
        for (int i = 0; i < audiogram_count; ++i) {
            l.threshold_db[ear][i] = within(common[i] + deviation(chance), -10.0);
        }
    }
    if (fraction(chance) < 0.2) {
        int ear = fraction(chance) < 0.5 ? 0 : 1;
        int length = 2 + int(5 * fraction(chance));
        int first = int((tested_count - length + 1) * fraction(chance));
        double worse = between(20.0, 40.0);
        for (int i = first; i < first + length; ++i) {
            l.threshold_db[ear][i] = within(l.threshold_db[ear][i] + worse, -10.0);
        }
    }
    return l;
}

// The level of a block's frames from first to end of one channel (2 right, 1 left) as sqrt(2)
// times their RMS, in dBFS: the level of a sine.
inline double played_level_db(const int16_t* block, int first, int end, int32_t channel_mask) {
    double sum = 0.0;
    int side = channel_mask == 2 ? 1 : 0;
    for (int frame = first; frame < end; ++frame) {
        double sample = block[2 * frame + side];
        sum += sample * sample;
    }
    return 20.0 * std::log10(std::sqrt(2.0 * sum / (end - first)) / 32768.0);
}

// A listener with the same threshold at every frequency in both ears.
inline SimulatedListener flat_listener(double threshold_db, double width_db, double false_alarms,
                                       double lapses) {
    SimulatedListener l{{}, width_db, false_alarms, lapses, {}};
    std::fill(&l.threshold_db[0][0], &l.threshold_db[0][0] + 2 * audiogram_count, threshold_db);
    return l;
}

// One whole test of the ears of channel_mask (3 both), without highs; the stream's first
// start_frames frames into start_sound when it is not null.
inline HearingTest simulate_test(const SimulatedListener& l, TestProcedure procedure,
                                 int32_t channel_mask, uint64_t seed,
                                 std::vector<int16_t>* start_sound = nullptr,
                                 int64_t start_frames = 0) {
    HearingTest test{};
    restart_hearing_clock(&test);
    start_hearing_test(&test, channel_mask, false, procedure, seed);
    std::mt19937_64 chance(seed);
    std::uniform_real_distribution<double> fraction;
    std::vector<int16_t> block(block_frames * 2);
    // A presentation is heard from the first block within the flat top of its first pulse.
    double levels_db[2] = {}; // right, left
    bool measured = false, pending = false;
    int64_t onset = -1, press_at = 0;
    while (test.running && test.synthesized_frames < 44100LL * 3600) {
        const Presentation& p = test.presentation;
        // A check tone that plays again still waits for the answer the listener is giving.
        if (p.onset != onset && !(p.repeat && pending)) {
            measured = false;
            pending = p.kind == presentation_tone || p.kind == presentation_catch ||
                      p.kind == presentation_check;
            press_at = p.onset + reaction_shortest_frames +
                       int64_t(fraction(chance) *
                               double(reaction_longest_frames - reaction_shortest_frames));
        }
        onset = p.onset;
        int64_t from = test.synthesized_frames - p.onset;
        bool top = !measured && p.kind != presentation_catch && p.kind != presentation_none &&
                   from >= pulse_edge_frames &&
                   from + block_frames <= pulse_frames - pulse_edge_frames;
        bool sound = start_sound != nullptr && test.synthesized_frames < start_frames;
        fill_hearing_block(&test, top || sound ? block.data() : nullptr);
        if (top) {
            measured = true;
            levels_db[0] = played_level_db(block.data(), 0, block_frames, 2);
            levels_db[1] = played_level_db(block.data(), 0, block_frames, 1);
        }
        if (sound) {
            start_sound->insert(start_sound->end(), block.begin(), block.end());
        }
        if (!pending || test.played_frames < press_at) {
            continue;
        }
        pending = false;
        if (p.kind == presentation_check) {
            int32_t sounding = (levels_db[1] > -200.0 ? 1 : 0) | (levels_db[0] > -200.0 ? 2 : 0);
            int32_t answer = l.check_answers[sounding] != 0 ? l.check_answers[sounding] : sounding;
            if (answer > 0) {
                answer_channel_check(&test, answer);
            }
            continue;
        }
        double heard = l.false_alarms;
        if (p.kind == presentation_tone) {
            double level = levels_db[ear_index(p.channel_mask)];
            double threshold = listener_threshold(l, p.channel_mask, p.frequency_hz);
            heard = l.width_db == 0
                        ? (level >= threshold ? 1.0 : 0.0)
                        : heard_chance(level, threshold, l.false_alarms, l.lapses, l.width_db);
        }
        if (fraction(chance) < heard) {
            answer_hearing_test(&test);
        }
    }
    return test;
}
