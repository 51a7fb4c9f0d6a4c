// The progress line and the summary of the hearing test.
#include "app/hearing_summary.h"

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

std::string step_line(const HearingTest& test, int step, const HearingTexts& words) {
    const StepResult& result = test.steps[step];
    std::string name = formatted(is_retest(test, step) ? words.retest_frequency : words.frequency,
                                 result.frequency_hz);
    switch (result.outcome) {
    case search_threshold: return formatted(words.threshold, name.c_str(), result.threshold_db);
    case search_no_response: return formatted(words.no_response, name.c_str());
    default: return formatted(words.undetermined, name.c_str());
    }
}

} // namespace

std::string format_hearing_progress(const HearingTest& test, const HearingTexts& words) {
    if (test.step_count == 0) {
        return "";
    }
    if (test.running) {
        return formatted(words.progress, test.steps[test.step].frequency_hz, test.step + 1,
                         test.step_count);
    }
    return test.decided_steps == test.step_count ? words.done : words.stopped;
}

std::string format_hearing_summary(const HearingTest& test, const LanguageTexts& texts) {
    if (test.step_count == 0 || test.running) {
        return "";
    }
    const HearingTexts& words = texts.hearing;
    int ear = test.channel_mask == 1 ? hearing_left_ear : hearing_right_ear;
    std::string text = std::string(caption_of(texts, ear)) + ":\r\n";
    const StepResult* first_1000 = nullptr;
    const StepResult* retest_1000 = nullptr;
    bool at_floor = false;
    for (int i = 0; i < test.decided_steps; ++i) {
        const StepResult& result = test.steps[i];
        text += step_line(test, i, words) + "\r\n";
        bool found = result.outcome == search_threshold;
        at_floor = at_floor || (found && result.threshold_db == test_level_floor_db);
        if (found && result.frequency_hz == 1000) {
            (is_retest(test, i) ? retest_1000 : first_1000) = &result;
        }
    }
    int32_t difference = 0;
    if (first_1000 != nullptr && retest_1000 != nullptr) {
        difference = std::abs(first_1000->threshold_db - retest_1000->threshold_db);
        text += formatted(words.retest_difference, difference) + "\r\n";
    }
    text +=
        formatted(words.false_alarms, test.false_alarms, test.catch_answers, test.catch_trials) +
        "\r\n";
    if (difference >= varied_db) {
        text += std::string(words.varied) + "\r\n";
    }
    if (at_floor) {
        text += std::string(words.floor) + "\r\n";
    }
    if (test.catch_trials >= catch_trials_needed && test.catch_answers * 3 > test.catch_trials) {
        text += std::string(words.unreliable) + "\r\n";
    }
    return text;
}
