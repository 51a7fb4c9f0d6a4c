// The verdict at the end of a hearing test.
#include "hearing/test_verdict.h"

#include <cstdlib>

bool is_retest(const HearingTest& test, int step) {
    for (int i = 0; i < step; ++i) {
        if (test.steps[i].frequency_hz == test.steps[step].frequency_hz) {
            return true;
        }
    }
    return false;
}

TestVerdict test_verdict(const HearingTest& test) {
    TestVerdict verdict = {};
    const StepResult* first_1000 = nullptr;
    const StepResult* retest_1000 = nullptr;
    for (int i = 0; i < test.decided_steps; ++i) {
        const StepResult& result = test.steps[i];
        bool found = result.outcome == search_threshold;
        verdict.at_floor =
            verdict.at_floor || (found && result.threshold_db == test_level_floor_db);
        if (found && result.frequency_hz == 1000) {
            (is_retest(test, i) ? retest_1000 : first_1000) = &result;
        }
    }
    if (first_1000 != nullptr && retest_1000 != nullptr) {
        verdict.has_retest_difference = true;
        verdict.retest_difference_db =
            std::abs(first_1000->threshold_db - retest_1000->threshold_db);
        verdict.retest_advised = verdict.retest_difference_db >= retest_varied_db;
    }
    verdict.unreliable =
        test.catch_trials >= catch_trials_needed && test.catch_answers * 3 > test.catch_trials;
    return verdict;
}
