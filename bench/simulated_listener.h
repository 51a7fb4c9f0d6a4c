// Simulated listeners for the hearing test, shared by its benchmark and its native test: a
// listener with a threshold at every frequency (an audiogram), answering a tone with the chance of
// the logistic listener model at the level the samples play, a silent presentation with its
// false-alarm rate. A whole test runs on the block clock, as the window drives it.
#pragma once

#include "audio/tone_synthesis.h"
#include "core/app_state.h"
#include "hearing/test_session.h"
#include "hearing/threshold_estimate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <utility>
#include <random>
#include <vector>

// The frequencies of an audiogram, rising.
const uint16_t audiogram_hz[] = {125,  250,  500,   1000,  2000,  3000, 4000,
                                 6000, 8000, 10000, 12000, 14000, 16000};
const int audiogram_count = 13;

struct SimulatedListener {
    double threshold_db[audiogram_count]; // 50 % of the logistic part here; beyond the floor to
                                          // answer everything, beyond the ceiling for nothing
    double width_db;                      // from 5 % to 95 %; 0 for a listener without doubt
    double false_alarms;                  // answers to a silent presentation, the curve's floor
    double lapses;                        // tones missed however loud
};

const int64_t listener_reaction_frames = 13230; // 0.3 s after the first frame

inline double listener_threshold(const SimulatedListener& l, uint16_t frequency_hz) {
    for (int i = 0; i < audiogram_count; ++i) {
        if (audiogram_hz[i] == frequency_hz) {
            return l.threshold_db[i];
        }
    }
    return l.threshold_db[3];
}

// A smooth audiogram from seed: a threshold at 1000 Hz between -70 and -20 dBFS, and from there
// outwards a change of a few dB per frequency, one in seven a change of 20 dB, kept within
// -75 ... -10.
inline SimulatedListener seeded_listener(uint64_t seed, double width_db) {
    std::mt19937_64 chance(seed);
    std::uniform_real_distribution<double> fraction;
    std::normal_distribution<double> few(0.0, 3.0);
    SimulatedListener l{{}, width_db, 0.05, 0.03};
    l.threshold_db[3] = -70.0 + 50.0 * fraction(chance);
    auto next = [&](double from) {
        double change =
            fraction(chance) < 1.0 / 7 ? (fraction(chance) < 0.5 ? -20.0 : 20.0) : few(chance);
        return std::min(std::max(from + change, -75.0), -10.0);
    };
    for (int i = 4; i < audiogram_count; ++i) {
        l.threshold_db[i] = next(l.threshold_db[i - 1]);
    }
    for (int i = 2; i >= 0; --i) {
        l.threshold_db[i] = next(l.threshold_db[i + 1]);
    }
    return l;
}

// The level of a block's frames from first to end of the ear's channel (2 right, 1 left) as
// sqrt(2) times their RMS, in dBFS: the level of a sine.
inline double played_level_db(const int16_t* block, int first, int end, int32_t channel_mask) {
    double sum = 0.0;
    int side = channel_mask == 2 ? 1 : 0;
    for (int frame = first; frame < end; ++frame) {
        double sample = block[2 * frame + side];
        sum += sample * sample;
    }
    return 20.0 * std::log10(std::sqrt(2.0 * sum / (end - first)) / 32768.0);
}

// A listener with the same threshold at every frequency.
inline SimulatedListener flat_listener(double threshold_db, double width_db, double false_alarms,
                                       double lapses) {
    SimulatedListener l{{}, width_db, false_alarms, lapses};
    std::fill(l.threshold_db, l.threshold_db + audiogram_count, threshold_db);
    return l;
}

// One whole test of the right ear, without highs; the stream's first start_frames frames into
// start_sound when it is not null.
inline HearingTest simulate_test(const SimulatedListener& l, TestProcedure procedure, uint64_t seed,
                                 std::vector<int16_t>* start_sound = nullptr,
                                 int64_t start_frames = 0) {
    HearingTest test{};
    restart_hearing_clock(&test);
    start_hearing_test(&test, 2, false, procedure, seed);
    std::mt19937_64 chance(seed);
    std::vector<int16_t> block(block_frames * 2);
    // A tone's level is heard from the first block within the flat top of its first pulse, once
    // for each level and frequency: the pulses of a level and a frequency are the same samples.
    std::map<std::pair<int32_t, uint16_t>, double> heard_levels;
    int64_t onset = -1;
    bool decided = true;
    while (test.running && test.synthesized_frames < 44100LL * 3600) {
        const Presentation& p = test.presentation;
        std::pair<int32_t, uint16_t> tone(p.level_db, p.frequency_hz);
        int64_t from = test.synthesized_frames - p.onset;
        bool top = p.kind == presentation_tone && heard_levels.count(tone) == 0 &&
                   from >= pulse_edge_frames &&
                   from + block_frames <= pulse_frames - pulse_edge_frames;
        bool sound = start_sound != nullptr && test.synthesized_frames < start_frames;
        fill_hearing_block(&test, top || sound ? block.data() : nullptr);
        if (top) {
            heard_levels[tone] = played_level_db(block.data(), 0, block_frames, test.channel_mask);
        }
        if (sound) {
            start_sound->insert(start_sound->end(), block.begin(), block.end());
        }
        if (p.onset != onset) {
            onset = p.onset;
            decided = p.kind != presentation_tone && p.kind != presentation_catch;
        }
        if (decided || test.played_frames < onset + listener_reaction_frames) {
            continue;
        }
        decided = true;
        double heard = l.false_alarms;
        if (p.kind == presentation_tone) {
            double level = heard_levels[std::make_pair(p.level_db, p.frequency_hz)];
            double threshold = listener_threshold(l, p.frequency_hz);
            heard = l.width_db == 0
                        ? (level >= threshold ? 1.0 : 0.0)
                        : heard_chance(level, threshold, l.false_alarms, l.lapses, l.width_db);
        }
        if (std::uniform_real_distribution<double>()(chance) < heard) {
            answer_hearing_test(&test);
        }
    }
    return test;
}
