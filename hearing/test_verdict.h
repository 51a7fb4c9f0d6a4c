// What a hearing test that has ended says beyond each frequency's result: how far the two tests at
// 1000 Hz lie apart and whether that asks for a new test, a threshold at the quietest level (the
// volume is too high to measure), and the ear unreliable by its answers to silent presentations.
#pragma once

#include "core/hearing_test_state.h"

#include <cstdint>

// Two thresholds at 1000 Hz this far apart ask for a new test.
const int32_t retest_varied_db = 10;
// The ear is unreliable when more than a third of at least this many silent presentations were
// answered.
const int32_t catch_trials_needed = 3;

struct TestVerdict {
    bool has_retest_difference; // both tests at 1000 Hz found a threshold
    int32_t retest_difference_db;
    bool retest_advised; // they lie retest_varied_db or more apart
    bool at_floor;       // a threshold lies at the quietest level
    bool unreliable;
};

// Whether an earlier step of the test tested the same frequency: the step is its retest.
bool is_retest(const HearingTest& test, int step);

// The verdict on the frequencies decided so far and the silent presentations.
TestVerdict test_verdict(const HearingTest& test);
