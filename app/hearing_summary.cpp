// The progress line and the summary of the hearing test.
#include "app/hearing_summary.h"

#include "app/texts.h"
#include "resources/resource_ids.h"

#include <cstdlib>

namespace {

const int32_t varied_db = 10; // a retest this far from the first answer asks for a new test
const int32_t catch_trials_needed = 3;

// Whether an earlier step tested the same frequency: the step is its retest.
bool is_retest(const HearingTest& test, int step) {
    for (int i = 0; i < step; ++i) {
        if (test.steps[i].frequency_hz == test.steps[step].frequency_hz) {
            return true;
        }
    }
    return false;
}

std::string step_line(const HearingTest& test, int step, int language) {
    const StepResult& result = test.steps[step];
    int name_key = is_retest(test, step) ? text_hearing_retest_frequency : text_hearing_frequency;
    std::string name = formatted(text(name_key, language), result.frequency_hz);
    switch (result.outcome) {
    case search_threshold:
        return formatted(text(text_hearing_threshold, language), name.c_str(), result.threshold_db);
    case search_no_response:
        return formatted(text(text_hearing_no_response, language), name.c_str());
    default: return formatted(text(text_hearing_undetermined, language), name.c_str());
    }
}

} // namespace

std::string format_hearing_progress(const HearingTest& test, int language) {
    if (test.step_count == 0) {
        return "";
    }
    if (test.running) {
        return formatted(text(text_hearing_progress, language), test.steps[test.step].frequency_hz,
                         test.step + 1, test.step_count);
    }
    return text(test.decided_steps == test.step_count ? text_hearing_done : text_hearing_stopped,
                language);
}

std::string format_hearing_summary(const HearingTest& test, int language, bool reference_loaded) {
    if (test.step_count == 0 || test.running) {
        return "";
    }
    int ear = test.channel_mask == 1 ? hearing_left_ear : hearing_right_ear;
    std::string summary = std::string(text(ear, language)) + ":\r\n";
    const StepResult* first_1000 = nullptr;
    const StepResult* retest_1000 = nullptr;
    bool at_floor = false;
    for (int i = 0; i < test.decided_steps; ++i) {
        const StepResult& result = test.steps[i];
        summary += step_line(test, i, language) + "\r\n";
        bool found = result.outcome == search_threshold;
        at_floor = at_floor || (found && result.threshold_db == test_level_floor_db);
        if (found && result.frequency_hz == 1000) {
            (is_retest(test, i) ? retest_1000 : first_1000) = &result;
        }
    }
    int32_t difference = 0;
    if (first_1000 != nullptr && retest_1000 != nullptr) {
        difference = std::abs(first_1000->threshold_db - retest_1000->threshold_db);
        summary += formatted(text(text_hearing_retest_difference, language), difference) + "\r\n";
    }
    summary += formatted(text(text_hearing_false_alarms, language), test.false_alarms,
                         test.catch_answers, test.catch_trials) +
               "\r\n";
    if (difference >= varied_db) {
        summary += std::string(text(text_hearing_varied, language)) + "\r\n";
    }
    if (at_floor) {
        summary += std::string(text(text_hearing_floor, language)) + "\r\n";
    }
    if (test.catch_trials >= catch_trials_needed && test.catch_answers * 3 > test.catch_trials) {
        summary += std::string(text(text_hearing_unreliable, language)) + "\r\n";
    }
    if (reference_loaded) {
        summary += std::string(text(text_hearing_audiogram, language)) + "\r\n";
    }
    return summary;
}
