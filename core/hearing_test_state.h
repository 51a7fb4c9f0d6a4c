// The guided hearing test's part of the state record: the headphone check, the threshold searches
// at the frequency under test (one for each ear tested), the presentation that plays or waits, the
// stream's clock and what was found so far. The rules that change these fields live in hearing/.
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

// A search gives up after this many tones: the quick procedure's and the standard one's.
const int32_t estimate_tone_cap = 16;
const int32_t search_presentation_limit = 30;

// The frequencies of the longest test: the six first ones, the four highs, the 1000 Hz retest and
// the four lows; each for one ear or for both.
const int test_frequency_capacity = 15;
const int test_ear_capacity = 2;
const int test_step_capacity = test_frequency_capacity * test_ear_capacity;

// The headphone check: one tone in the right ear, one in the left, one in both.
const int check_tone_count = 3;

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

// What the headphone check found.
enum CheckVerdict : int32_t {
    check_pending = 0,
    check_passed,   // every tone answered with the side it played on, or as one deaf ear answers
    check_swapped,  // both one-ear tones answered with the other side
    check_mono,     // a one-ear tone answered "both"
    check_mismatch, // any other answer that did not match
    check_unheard   // no tone answered however often it played
};

// The search for the threshold of one ear at one frequency. The standard procedure descends after
// an answer and ascends after a miss, counting the answers of the ascending presentations per
// level; the quick one keeps a distribution over the threshold and places each tone where its
// answer is expected to narrow it most.
struct ThresholdSearch {
    int32_t channel_mask;  // the ear: 2 right, 1 left
    int32_t step;          // the index of its result in the test's steps
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
    // Every tone of the search: its level and whether it was heard.
    int32_t tone_levels_db[search_presentation_limit];
    uint8_t tones_heard[search_presentation_limit];
    // The quick procedure's distribution of this ear's threshold, given the answers of every ear
    // at this frequency: the probability that it lies at estimate_floor_db + i dB.
    double probability[estimate_grid_count];
};

// What one ear at one frequency gave.
struct StepResult {
    uint16_t frequency_hz;
    int32_t channel_mask; // the ear: 2 right, 1 left
    SearchOutcome outcome;
    int32_t threshold_db;
    int32_t presentations;  // tones
    int32_t contradictions; // tones missed well above a tone heard at this frequency
    double estimate_db;     // the quick procedure's mean of the distribution, unclamped
};

enum PresentationKind : int32_t {
    presentation_none = 0, // nothing plays or waits
    presentation_tone,     // three pulses at a search's level in its ear
    presentation_catch,    // as long as a tone, but silent
    presentation_sample,   // the sample tone: five pulses at 1 kHz, -20 dBFS
    presentation_check     // a tone of the headphone check: three pulses at 1 kHz, -20 dBFS
};

// One presentation on the stream's frame clock. The response window of a tone or a silent one runs
// from its first frame to 1 s after its last.
struct Presentation {
    PresentationKind kind;
    int64_t onset;    // the stream frame of its first frame
    int32_t pulses;   // its pulses, fewer when a pause or stop cut it short
    double amplitude; // peak sample value of the pulses; 0 for a catch trial
    int32_t level_db; // of a tone
    uint16_t frequency_hz;
    int32_t channel_mask; // where it plays: 1 left, 2 right, 3 both
    int32_t search;       // a tone's search among the test's searches
    int32_t repeat;       // how often a check tone played before without an answer
    int64_t answered_at;  // the frame of its answer, played_frames when the listener answered
    int32_t decided;      // 1 once it was answered, missed or dropped
    int32_t counts;       // 0 for a presentation whose answer changes nothing (the sample, a pause)
};

struct HearingTest {
    // The stream's clock, in frames: synthesised so far, and played (their blocks came back).
    int64_t synthesized_frames;
    int64_t played_frames;
    uint64_t random_state;
    int32_t channel_mask; // the ears tested: 2 the right, 1 the left, 3 both
    int32_t highs;        // 1 to test 10, 12, 14 and 16 kHz too
    TestProcedure procedure;
    int32_t running; // 1 from Start until Stop, the last frequency or a failed check
    int32_t paused;
    int32_t frequency; // index of the frequency under test
    int32_t frequency_count;
    int32_t ear_count;  // 1 or 2: the steps of each frequency
    int32_t step_count; // frequency_count * ear_count
    // Frequency by frequency, and within one the right ear before the left.
    StepResult steps[test_step_capacity];
    // The searches at the frequency under test, in the order of their steps.
    ThresholdSearch searches[test_ear_capacity];
    // The quick procedure's joint distribution of the thresholds at the frequency under test: the
    // probability that the threshold of searches[0] lies at estimate_floor_db + i dB and that of
    // searches[1] at estimate_floor_db + j dB. With one ear tested, the second is the other ear,
    // which no tone reaches.
    double joint[estimate_grid_count][estimate_grid_count];
    Presentation presentation;
    int64_t answered_until; // presses before this frame repeat an answer and count nothing
    // The headphone check: the channels of its tones in the order they play, the answers given.
    int32_t checking; // 1 from Start until the check's last answer
    int32_t check_tone;
    int32_t check_masks[check_tone_count];
    int32_t check_answers[check_tone_count];
    CheckVerdict check_verdict;
    // The ear (1 left, 2 right) whose tone went unanswered while the other tones were heard on the
    // other side, as an ear that hears nothing answers: the test goes on; 0 otherwise.
    int32_t check_silent_ear;
    int32_t presentations; // every presentation begun, the check's and the silent ones included
    int32_t catch_due;     // tones left before the next silent presentation
    int32_t catch_trials;  // of the whole test
    int32_t catch_answers;
    int32_t false_alarms;  // answered catch trials and presses outside every response window
    int32_t decided_steps; // steps that have a result
};
