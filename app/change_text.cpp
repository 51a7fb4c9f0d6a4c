// The change since an earlier test: its chart, its lines and its text for the clipboard.
#include "app/change_text.h"

#include "app/audiogram_text.h"
#include "app/texts.h"
#include "hearing/hearing_change.h"

namespace {

const int32_t change_top_db = -20;
const int32_t change_bottom_db = 60;
const uint32_t repeatability_colour = chart_rgb(232, 240, 250);

std::string ear_change_line(const EarChange& change, int ear_name, int language) {
    const char* ear = text(ear_name, language);
    if (change.within_repeatability) {
        return formatted(text(text_change_none, language), ear);
    }
    std::vector<uint16_t> shift(shift_frequencies_hz, shift_frequencies_hz + shift_frequency_count);
    std::string frequencies = frequency_list(shift, language);
    const EarAverage& average = change.shift;
    std::string line;
    if (average.missing_count == 0) {
        line = formatted(text(text_change_average, language), ear, frequencies.c_str(),
                         average.average_db);
        if (change.significant_shift) {
            line += text(text_change_significant, language);
        }
    } else {
        std::vector<uint16_t> missing(average.missing_hz,
                                      average.missing_hz + average.missing_count);
        line = formatted(text(text_change_missing, language), ear, frequencies.c_str(),
                         frequency_list(missing, language).c_str());
    }
    line += ".";
    std::string criteria;
    if (!change.by_one_hz.empty()) {
        criteria = formatted(text(text_change_by_one, language), one_frequency_change_db,
                             frequency_list(change.by_one_hz, language).c_str());
    }
    if (!change.by_adjacent_hz.empty()) {
        criteria += (criteria.empty() ? "" : "; ") +
                    formatted(text(text_change_by_adjacent, language), adjacent_change_db,
                              frequency_list(change.by_adjacent_hz, language).c_str());
    }
    if (!criteria.empty()) {
        line += formatted(text(text_change_criteria, language), criteria.c_str());
    }
    return line;
}

} // namespace

AudiogramChart change_chart(const CurveSet& main_set, const CurveSet& earlier, int language) {
    return {text(text_change_unit, language),
            {change_top_db, change_bottom_db, has_level_above_8k(main_set, earlier)},
            {{-double(repeatability_db), double(repeatability_db), repeatability_colour,
              text(text_zone_repeatability, language), true}},
            {},
            {},
            level_curves(main_set, earlier)};
}

std::string format_change_lines(const CurveSet& main_set, const CurveSet& earlier, int language) {
    if (!has_reference(earlier)) {
        return std::string(text(text_change_how_to, language)) + "\r\n";
    }
    std::string lines;
    bool matters = false;
    bool improved = false;
    for (int curve : {right_ear_curve, left_ear_curve}) {
        std::vector<PointLevel> changes = curve_hearing_levels(main_set, earlier, curve);
        if (changes.empty()) {
            continue;
        }
        EarChange change = ear_change(changes);
        int ear = curve == right_ear_curve ? text_right_ear : text_left_ear;
        lines += ear_change_line(change, ear, language) + "\r\n";
        matters = matters || change_matters(change);
        improved = improved || change.improved;
    }
    if (matters) {
        lines += std::string(text(text_change_advice, language)) + "\r\n";
    }
    if (improved) {
        lines += formatted(text(text_change_improved, language), improvement_note_db) + "\r\n";
    }
    if (lines.empty() && curve_hearing_levels(main_set, earlier, green_curve).empty()) {
        lines = std::string(text(text_change_no_common, language)) + "\r\n";
    }
    return lines;
}

std::string format_change_text(const CurveSet& main_set, const CurveSet& earlier,
                               const std::string& title, int language) {
    std::string lines =
        utf8_of_windows_1252(text(text_change_header, language)) + "\r\n" +
        level_table(main_set, earlier, {0, sex_not_given}, ".") +
        utf8_of_windows_1252(format_change_lines(main_set, earlier, language).c_str());
    if (has_reference(earlier)) {
        lines += title_line(text_change_earlier, title, language);
    }
    return lines;
}
