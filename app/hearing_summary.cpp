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

std::string line(int key, int language) {
    return std::string(text(key, language)) + "\r\n";
}

// The words of what went wrong in a failed headphone check.
int check_key(CheckVerdict verdict) {
    switch (verdict) {
    case check_swapped: return text_hearing_check_swapped;
    case check_mono: return text_hearing_check_mono;
    case check_unheard: return text_hearing_check_unheard;
    default: return text_hearing_check_mismatch;
    }
}

} // namespace

std::string format_hearing_progress(const HearingTest& test, int language) {
    if (test.step_count == 0) {
        return "";
    }
    if (test.running && test.checking) {
        return formatted(text(text_hearing_checking, language), test.check_tone + 1,
                         check_tone_count);
    }
    if (test.running) {
        return formatted(text(text_hearing_progress, language),
                         test.steps[test.frequency * test.ear_count].frequency_hz,
                         test.frequency + 1, test.frequency_count);
    }
    if (test.check_verdict != check_pending && test.check_verdict != check_passed) {
        return text(text_hearing_check_failed, language);
    }
    return text(test.decided_steps == test.step_count ? text_hearing_done : text_hearing_stopped,
                language);
}

std::string format_hearing_summary(const HearingTest& test, int language, bool reference_loaded) {
    if (test.step_count == 0 || test.running || test.check_verdict == check_pending) {
        return "";
    }
    if (test.check_verdict != check_pending && test.check_verdict != check_passed) {
        return line(check_key(test.check_verdict), language);
    }
    TestVerdict verdict = test_verdict(test);
    std::string summary;
    for (int k = 0; k < verdict.ear_count; ++k) {
        const EarVerdict& ear = verdict.ears[k];
        summary += std::string(text(ear.channel_mask == 1 ? hearing_left_ear : hearing_right_ear,
                                    language)) +
                   ":\r\n";
        for (int i = k; i < test.step_count; i += test.ear_count) {
            if (test.steps[i].outcome != search_running) {
                summary += step_line(test, i, language) + "\r\n";
            }
        }
        if (ear.has_retest_difference) {
            summary += formatted(text(text_hearing_retest_difference, language),
                                 ear.retest_difference_db) +
                       "\r\n";
        }
        if (ear.retest_advised) {
            summary += line(text_hearing_varied, language);
        }
        if (ear.unreliable & unreliable_contradictions) {
            summary += line(text_hearing_contradicting, language);
        }
    }
    summary += formatted(text(text_hearing_false_alarms, language), test.false_alarms,
                         test.catch_answers, test.catch_trials) +
               "\r\n";
    if (test.check_silent_ear != 0) {
        summary +=
            formatted(text(text_hearing_check_silent_ear, language),
                      text(test.check_silent_ear == 1 ? text_left_ear : text_right_ear, language)) +
            "\r\n";
    }
    if (verdict.at_floor) {
        summary += line(text_hearing_floor, language);
    }
    if (verdict.ears[0].unreliable & unreliable_false_alarms) {
        summary += line(text_hearing_unreliable, language);
    }
    if (reference_loaded) {
        summary += line(text_hearing_audiogram, language);
    }
    return summary;
}
