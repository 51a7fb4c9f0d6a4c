// The guided hearing test's part of the state record: the threshold search at the frequency under
// test, the presentation that plays or waits, the stream's clock and what was found so far. The
// rules that change these fields live in hearing/.
#pragma once

#include <cstdint>

// Levels of the test, in dB relative to full scale, on a 5 dB grid.
const int32_t test_level_floor_db = -80;
const int32_t test_level_ceiling_db = -5;
const int32_t test_level_step_db = 5;
const int test_level_count = 16; // -80, -75, ... -5

// The grid of the quick procedure's distribution over the threshold, in whole dB relative to full
// scale: wider than the playable levels, so that a threshold beyond them shows as mass at an end.
const int32_t estimate_floor_db = -100;
const int32_t estimate_ceiling_db = 5;
const int estimate_grid_count = 106; // -100, -99, ... +5

// The frequencies of the longest test: the six first ones, the four highs, the 1000 Hz retest and
// the four lows.
const int test_step_capacity = 15;

// How the search at one frequency ended.
enum SearchOutcome : int32_t {
    search_running = 0,
    search_threshold,   // threshold_db holds the threshold
    search_no_response, // missed twice at the ceiling
    search_undetermined // no threshold within the presentations allowed
};

enum TestProcedure : int32_t {
    test_procedure_standard = 0, // the staircase on the 5 dB grid
    test_procedure_quick // the distribution over the threshold, one tone where it tells most
};

// The search for the threshold at one frequency. The standard procedure descends after an answer
// and ascends after a miss, counting the answers of the ascending presentations per level; the
// quick one keeps a distribution over the threshold and places each tone where its answer is
// expected to narrow it most.
struct ThresholdSearch {
    int32_t level_db;      // of the next tone
    int32_t familiarising; // 1 at the first frequency until the first tone is heard after a miss
    int32_t first_tone;    // 1 until the frequency's first tone was answered or missed
    int32_t ascending;     // 1 when the last tone was missed: the next one ascends
    int32_t presentations; // tones presented at this frequency
    int32_t misses_at_ceiling;
    int32_t answers_at_floor;
    uint8_t ascents[test_level_count]; // ascending tones per level since the count began
    uint8_t ascent_answers[test_level_count];
    SearchOutcome outcome;
    int32_t threshold_db;
    // The quick procedure's distribution: the probability that the threshold lies at
    // estimate_floor_db + i dB.
    double probability[estimate_grid_count];
};

// What one frequency of the test gave.
struct StepResult {
    uint16_t frequency_hz;
    SearchOutcome outcome;
    int32_t threshold_db;
    int32_t presentations; // tones
    int32_t catch_trials;  // silent presentations
    double estimate_db;    // the quick procedure's mean of the distribution, unclamped
};

enum PresentationKind : int32_t {
    presentation_none = 0, // nothing plays or waits
    presentation_tone,     // three pulses at the search's level
    presentation_catch,    // as long as a tone, but silent
    presentation_sample    // the sample tone: five pulses at 1 kHz, -20 dBFS
};

// One presentation on the stream's frame clock. Its response window runs from its first frame to
// 1.5 s after its last.
struct Presentation {
    PresentationKind kind;
    int64_t onset;    // the stream frame of its first frame
    int32_t pulses;   // its pulses, fewer when a pause or stop cut it short
    double amplitude; // peak sample value of the pulses; 0 for a catch trial
    int32_t level_db; // of a tone
    uint16_t frequency_hz;
    int32_t decided; // 1 once it was answered, missed or dropped
    int32_t counts;  // 0 for a presentation whose answer changes nothing (the sample, a pause)
};

struct HearingTest {
    // The stream's clock, in frames: synthesised so far, and played (their blocks came back).
    int64_t synthesized_frames;
    int64_t played_frames;
    uint64_t random_state;
    int32_t channel_mask; // 2 for the right ear, 1 for the left
    int32_t highs;        // 1 to test 10, 12, 14 and 16 kHz too
    TestProcedure procedure;
    int32_t running; // 1 from Start until Stop or the last frequency
    int32_t paused;
    int32_t step; // index of the frequency under test
    int32_t step_count;
    StepResult steps[test_step_capacity];
    ThresholdSearch search;
    Presentation presentation;
    int64_t answered_until; // presses before this frame repeat an answer and count nothing
    int32_t catch_trials;   // of the whole test
    int32_t catch_answers;
    int32_t false_alarms;  // answered catch trials and presses outside every response window
    int32_t decided_steps; // frequencies that have a result
};
