// The progress line and the summary of the hearing test.
#include "app/hearing_summary.h"

#include "app/texts.h"
#include "hearing/test_verdict.h"
#include "resources/resource_ids.h"

namespace {

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
    for (int i = 0; i < test.decided_steps; ++i) {
        summary += step_line(test, i, language) + "\r\n";
    }
    TestVerdict verdict = test_verdict(test);
    if (verdict.has_retest_difference) {
        summary += formatted(text(text_hearing_retest_difference, language),
                             verdict.retest_difference_db) +
                   "\r\n";
    }
    summary += formatted(text(text_hearing_false_alarms, language), test.false_alarms,
                         test.catch_answers, test.catch_trials) +
               "\r\n";
    if (verdict.retest_advised) {
        summary += std::string(text(text_hearing_varied, language)) + "\r\n";
    }
    if (verdict.at_floor) {
        summary += std::string(text(text_hearing_floor, language)) + "\r\n";
    }
    if (verdict.unreliable) {
        summary += std::string(text(text_hearing_unreliable, language)) + "\r\n";
    }
    if (reference_loaded) {
        summary += std::string(text(text_hearing_audiogram, language)) + "\r\n";
    }
    return summary;
}
