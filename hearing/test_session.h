// The guided hearing test on the tone stream's clock: which frequency and level play next, from the
// blocks played and the answers given, and the pulse trains that the presentations play (their
// samples come from the pulse synthesis in audio/). Every presentation is three pulses of 225 ms
// with 25 ms raised-cosine edges, 225 ms apart; the listener answers within its response window;
// one presentation in five (at most four per frequency) is silent, to catch answers without a tone.
// The stream's blocks are the only clock: each block handed back advances the test by block_frames.
#pragma once

#include "core/hearing_test_state.h"

#include <cstdint>

// The shape of a presentation, in frames at 44100 per second.
const int32_t pulse_frames = 9922;         // 225 ms, its first and last frame silent
const int32_t pulse_period_frames = 19845; // 450 ms from one pulse's start to the next
const int32_t pulse_edge_frames = 1102;    // 25 ms of rise and of fall
const int32_t tone_pulses = 3;
const int32_t sample_pulses = 5;       // about 2 s
const int32_t response_frames = 66150; // 1.5 s after a presentation's last frame
const int32_t sample_level_db = -20;
const uint16_t sample_frequency_hz = 1000;

// Puts the clock at the start of a new stream, with nothing playing: called before the stream
// opens, since its first blocks are synthesised as it opens.
void restart_hearing_clock(HearingTest* test);

// Starts a test by procedure for the ear of channel_mask (2 right, 1 left) with random numbers
// from seed: the frequencies 1000, 2000, 3000, 4000, 6000, 8000 Hz, with highs also 10, 12, 14 and
// 16 kHz, then 1000 Hz again, 500, 250 and 125 Hz. The first tone follows a silence of 1.5 to
// 3.5 s after whatever plays now, which stops at the end of its pulse.
void start_hearing_test(HearingTest* test, int32_t channel_mask, bool highs,
                        TestProcedure procedure, uint64_t seed);

// Plays the sample tone on channel_mask after whatever plays now; not while a test runs.
void play_sample_tone(HearingTest* test, int32_t channel_mask);

// Pause stops presenting: a presentation that has begun ends with its pulse and counts nothing.
// Continue goes on at the same frequency and level. Stop ends the test and keeps what it found.
void pause_hearing_test(HearingTest* test);
void continue_hearing_test(HearingTest* test);
void stop_hearing_test(HearingTest* test);

// The listener says "heard". Inside the open response window of an unanswered presentation it
// answers it (for a silent one it is a false alarm); a repeated press in a window already answered
// counts nothing, and so does one in the window of a tone that Pause or Stop cut short; anywhere
// else it is a false alarm. Before the start and while paused it counts nothing.
void answer_hearing_test(HearingTest* test);

// The stream's block source: advances the clock by the block the device handed back (the first
// block_count calls prime the stream), decides what the clock has decided, and writes the next
// block_frames stereo frames into block, or only advances when block is null.
void fill_hearing_block(HearingTest* test, int16_t* block);

// Whether nothing is left to play: no test runs and the last pulse has been played.
bool hearing_sound_over(const HearingTest& test);

// The peak sample value of a level, as the pulses play it.
double test_amplitude(int32_t level_db);

// Whether step holds the threshold that the ear's curve takes at its frequency: a threshold that
// no other step of the same frequency undercuts (the 1000 Hz retest keeps the lower of the two).
bool is_curve_threshold(const HearingTest& test, int step);
