// What a hearing test that has ended says beyond each frequency's result, ear by ear: how far the
// two tests at 1000 Hz lie apart and whether that asks for a new test, and whether the ear is
// unreliable and why; for the test, a threshold at the quietest level (the volume is too high to
// measure).
#pragma once

#include "core/hearing_test_state.h"

#include <cstdint>

// Two thresholds at 1000 Hz this far apart ask for a new test.
const int32_t retest_varied_db = 10;
// Both ears are unreliable when the answers without a tone are more likely from a listener who
// answers at random than from an honest one by more than this (false_alarm_evidence, a natural
// log): with few silent presentations answered, about one in five. Measured on simulated
// listeners, it calls almost every random answerer unreliable and almost no honest one.
const double false_alarm_evidence_limit = 1.0;
// An ear is unreliable when this many of its tones, and at least one in contradiction_share_tones
// of them, were missed well above a tone heard at the same frequency. The standard procedure's
// staircase comes back to a level many times, so that a listener's slips add up with its tones.
const int32_t contradictions_limit = 8;
const int32_t contradiction_share_tones = 10;

// Why an ear is unreliable, as bits.
enum UnreliableReason : int32_t {
    unreliable_false_alarms = 1, // answers without a tone
    unreliable_contradictions = 2
};

struct EarVerdict {
    int32_t channel_mask;       // 2 right, 1 left
    bool has_retest_difference; // both tests at 1000 Hz found a threshold
    int32_t retest_difference_db;
    bool retest_advised; // they lie retest_varied_db or more apart
    int32_t tones;
    int32_t contradictions;
    int32_t unreliable; // UnreliableReason bits; 0 when reliable
};

struct TestVerdict {
    int32_t ear_count;
    EarVerdict ears[test_ear_capacity]; // in the order of their steps
    bool at_floor;                      // a threshold lies at the quietest level
};

// Whether an earlier step of the test tested the same ear at the same frequency: the step is its
// retest.
bool is_retest(const HearingTest& test, int step);

// The verdict on the steps decided so far and the answers without a tone.
TestVerdict test_verdict(const HearingTest& test);
