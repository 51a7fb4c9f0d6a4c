// The quick procedure's search for a hearing threshold at one frequency: a distribution over the
// threshold on a 1 dB grid, narrowed by every answer through a model of the listener, and each
// tone placed at the playable level whose answer is expected to leave the least entropy (the psi
// method). A frequency ends when the distribution is narrow enough, or after a cap of tones.
#pragma once

#include "core/hearing_test_state.h"

// The listener model's lapse rate (tones missed however loud) and the false-alarm rate it starts
// from, before any silent presentation was answered or not.
const double estimate_lapse_rate = 0.03;
const double estimate_false_alarm_rate = 0.05;
// The model's psychometric curve rises from 5 % to 95 % of its range over this many dB.
const double estimate_width_db = 10.0;
// A frequency gives up after this many tones.
const int32_t estimate_tone_cap = 16;

// The chance of an answer to a tone at level_db from a listener whose threshold (the middle of the
// curve) lies at threshold_db: false_alarm_rate + (1 - false_alarm_rate - lapse_rate) times a
// logistic that rises from 5 % to 95 % over width_db.
double heard_chance(double level_db, double threshold_db, double false_alarm_rate,
                    double lapse_rate, double width_db);

// The false-alarm rate that the model uses now: the starting rate, weighed as a number of silent
// presentations, updated by the answered catch trials and the presses outside every window (each
// counts as one presentation answered).
double false_alarm_estimate(const HearingTest& test);

// Begins the search at the frequency of test.steps[test.step]. The first frequency of the test
// starts from a wide distribution with its first tone at -20 dBFS, a familiarisation whose answer
// counts; every later one from a bell of about 15 dB around the nearest frequency measured, mixed
// with a little of a flat distribution so that a steep change is still found.
void begin_estimate(ThresholdSearch* search, const HearingTest& test);

// Takes the answer to the tone at search->level_db, with false_alarm_rate in the model, and sets
// the level of the next tone, or the outcome: a threshold, the mean rounded to a whole dB (-80 when
// answered twice there with most of the distribution below); no response (missed twice at -5 dBFS
// with most of it above); undetermined (the cap reached while it is still wide). Does nothing once
// ended.
void record_estimate_answer(ThresholdSearch* search, bool heard, double false_alarm_rate);

// The mean and the standard deviation of the distribution, in dB.
double estimate_mean_db(const ThresholdSearch& search);
double estimate_spread_db(const ThresholdSearch& search);
