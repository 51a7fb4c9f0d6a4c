// The guided hearing test on the tone stream's clock: the headphone check, then which ear,
// frequency and level play next, from the blocks played and the answers given, and the pulse
// trains that the presentations play (their samples come from the pulse synthesis in audio/).
// Every presentation is three pulses of 225 ms with 25 ms raised-cosine edges, 225 ms apart; the
// listener answers within its response window. Silent presentations, one in ten to one in five,
// catch answers without a tone. The stream's blocks are the only clock: each block handed back
// advances the test by block_frames.
#pragma once

#include "core/hearing_test_state.h"

#include <cstdint>

// The shape of a presentation, in frames at 44100 per second.
const int32_t pulse_frames = 9922;         // 225 ms, its first and last frame silent
const int32_t pulse_period_frames = 19845; // 450 ms from one pulse's start to the next
const int32_t pulse_edge_frames = 1102;    // 25 ms of rise and of fall
const int32_t tone_pulses = 3;
const int32_t sample_pulses = 5;       // about 2 s
const int32_t response_frames = 44100; // 1 s after a presentation's last frame
const int32_t sample_level_db = -20;
const uint16_t sample_frequency_hz = 1000;
// A tone of the headphone check that gets no answer plays again this long after its onset, up to
// check_plays times; 3 s after its last play it counts as not heard.
const int32_t check_repeat_frames = 132300; // 3 s
const int32_t check_plays = 3;

// Puts the clock at the start of a new stream, with nothing playing: called before the stream
// opens, since its first blocks are synthesised as it opens.
void restart_hearing_clock(HearingTest* test);

// Starts a test by procedure for the ears of channel_mask (2 right, 1 left, 3 both) with random
// numbers from seed. First the headphone check: the sample tone's pulses, three of them, once in
// the right ear, once in the left and once in both, in random order, each answered with
// answer_channel_check. Then the frequencies 1000, 2000, 3000, 4000, 6000, 8000 Hz, with highs
// also 10, 12, 14 and 16 kHz, then 1000 Hz again, 500, 250 and 125 Hz; at each, the searches of
// both ears run together, each tone in an ear chosen at random among those still searching. The
// first presentation follows a silence of at least 1 s after whatever plays now, which stops at
// the end of its pulse.
void start_hearing_test(HearingTest* test, int32_t channel_mask, bool highs,
                        TestProcedure procedure, uint64_t seed);

// The listener says where the check's tone played: 1 left, 2 right, 3 both. It answers the tone
// that plays, or that played and waits to play again; the next one follows. After the third, the
// test begins when every answer matched, or when only one ear's tone went unheard and the others
// were answered with the other side, as a listener deaf in that ear answers (check_silent_ear);
// otherwise it ends with check_verdict. Outside the check, before its tone has played and while
// paused it does nothing.
void answer_channel_check(HearingTest* test, int32_t channel_mask);

// Plays the sample tone on channel_mask after whatever plays now; not while a test runs.
void play_sample_tone(HearingTest* test, int32_t channel_mask);

// Pause stops presenting: a presentation that has begun ends with its pulse and counts nothing.
// Continue goes on at the same frequency and level, or plays the check's tone again. Stop ends
// the test and keeps what it found.
void pause_hearing_test(HearingTest* test);
void continue_hearing_test(HearingTest* test);
void stop_hearing_test(HearingTest* test);

// The listener says "heard". Inside the open response window of an unanswered presentation it
// answers it (for a silent one it is a false alarm); a repeated press in a window already answered
// counts nothing, and so does one in the window of a tone that Pause or Stop cut short; anywhere
// else it is a false alarm. Before the start, during the check and while paused it counts nothing.
void answer_hearing_test(HearingTest* test);

// The stream's block source: advances the clock by the block the device handed back (the first
// block_count calls prime the stream), decides what the clock has decided, and writes the next
// block_frames stereo frames into block, or only advances when block is null.
void fill_hearing_block(HearingTest* test, int16_t* block);

// Whether nothing is left to play: no test runs and the last pulse has been played.
bool hearing_sound_over(const HearingTest& test);

// How much more likely the listener's answers without a tone are from one who answers half of all
// presentations at random than from one with one false alarm in twenty, as the natural log of the
// ratio: every silent presentation answered and every press outside all response windows counts
// for the first, every silent presentation left unanswered for the second.
const double false_alarm_share_random = 0.5;
const double false_alarm_share_honest = 0.05;
double false_alarm_evidence(const HearingTest& test);

// The peak sample value of a level, as the pulses play it.
double test_amplitude(int32_t level_db);

// Whether step holds the threshold that its ear's curve takes at its frequency: a threshold that no
// other step of the same ear and frequency undercuts (the 1000 Hz retest keeps the lower of the
// two).
bool is_curve_threshold(const HearingTest& test, int step);
