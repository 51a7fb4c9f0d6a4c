// The quick procedure's search for the hearing thresholds at one frequency, of one ear or of both
// at once: a joint distribution of the ears' thresholds on a 1 dB grid, narrowed by every answer
// through a model of the listener, and each tone placed at the playable level whose answer is
// expected to leave the least entropy (the psi method). A later frequency starts from what the
// nearest one gave, ears mostly alike. An ear's search ends when its own tones bracket the
// threshold and the distribution holds nearly all of itself within a few dB of it, or after a cap
// of tones.
#pragma once

#include "core/hearing_test_state.h"

// The listener model's lapse rate (tones missed however loud) and the false-alarm rate it starts
// from, before any silent presentation was answered or not.
const double estimate_lapse_rate = 0.03;
const double estimate_false_alarm_rate = 0.05;
// The model's psychometric curve rises from 5 % to 95 % of its range over this many dB.
const double estimate_width_db = 10.0;

// The chance of an answer to a tone at level_db from a listener whose threshold (the middle of the
// curve) lies at threshold_db: false_alarm_rate + (1 - false_alarm_rate - lapse_rate) times a
// logistic that rises from 5 % to 95 % over width_db.
double heard_chance(double level_db, double threshold_db, double false_alarm_rate,
                    double lapse_rate, double width_db);

// The false-alarm rate that the model uses now: the starting rate, weighed as a number of silent
// presentations, updated by the answered catch trials and the presses outside every window (each
// counts as one presentation answered).
double false_alarm_estimate(const HearingTest& test);

// Begins the searches of the frequency under test (test->frequency). Each ear's threshold starts
// near the one of the nearest frequency that ear has measured, mostly changed by a few dB, both
// ears alike; now and then by anything, together or one ear alone. The first frequency and the
// 1000 Hz retest start from the first frequency's own distribution: any level, the ears alike.
// The check's tones before the first frequency are the familiarisation.
void begin_estimates(HearingTest* test);

// Takes the answer to the tone at test->searches[search].level_db and decides every search of the
// frequency that still runs: a threshold, the mean rounded to a whole dB (-80 when answered twice
// there with most of the distribution below); no response (missed twice at -5 dBFS with most of
// it above); undetermined (the cap reached while it is still wide); or the level of its next tone.
// Does nothing to a search that has ended.
void record_estimate_answer(HearingTest* test, int search, bool heard);

// The mean and the standard deviation of a search's distribution, in dB.
double estimate_mean_db(const ThresholdSearch& search);
double estimate_spread_db(const ThresholdSearch& search);
