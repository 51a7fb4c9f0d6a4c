// The verdict at the end of a hearing test.
#include "hearing/test_verdict.h"

#include "hearing/test_session.h"

#include <cstdlib>

bool is_retest(const HearingTest& test, int step) {
    for (int i = 0; i < step; ++i) {
        if (test.steps[i].frequency_hz == test.steps[step].frequency_hz &&
            test.steps[i].channel_mask == test.steps[step].channel_mask) {
            return true;
        }
    }
    return false;
}

TestVerdict test_verdict(const HearingTest& test) {
    TestVerdict verdict = {};
    verdict.ear_count = test.ear_count;
    bool false_alarms = false_alarm_evidence(test) > false_alarm_evidence_limit;
    for (int k = 0; k < test.ear_count; ++k) {
        EarVerdict* ear = &verdict.ears[k];
        ear->channel_mask = test.steps[k].channel_mask;
        const StepResult* first_1000 = nullptr;
        const StepResult* retest_1000 = nullptr;
        for (int i = k; i < test.step_count; i += test.ear_count) {
            const StepResult& result = test.steps[i];
            bool found = result.outcome == search_threshold;
            verdict.at_floor =
                verdict.at_floor || (found && result.threshold_db == test_level_floor_db);
            ear->tones += result.presentations;
            ear->contradictions += result.contradictions;
            if (found && result.frequency_hz == 1000) {
                (is_retest(test, i) ? retest_1000 : first_1000) = &result;
            }
        }
        if (first_1000 != nullptr && retest_1000 != nullptr) {
            ear->has_retest_difference = true;
            ear->retest_difference_db =
                std::abs(first_1000->threshold_db - retest_1000->threshold_db);
            ear->retest_advised = ear->retest_difference_db >= retest_varied_db;
        }
        bool contradicting = ear->contradictions >= contradictions_limit &&
                             ear->contradictions * contradiction_share_tones >= ear->tones;
        ear->unreliable = (false_alarms ? unreliable_false_alarms : 0) |
                          (contradicting ? unreliable_contradictions : 0);
    }
    return verdict;
}
