// The audiogram's lines and its text for the clipboard.
#include "app/audiogram_text.h"

#include "app/curve_text.h"
#include "app/texts.h"
#include "core/counted_points.h"
#include "hearing/hearing_level.h"

#include <algorithm>
#include <vector>

namespace {

// The columns of the copied text, in their order.
const int text_columns[curve_count] = {right_ear_curve, left_ear_curve, green_curve};

std::string ear_line(const EarAverage& average, int ear_name, int language) {
    const char* ear = text(ear_name, language);
    if (average.missing_count == 0) {
        return formatted(text(text_audiogram_average, language), ear, average.average_db,
                         text(text_grade_normal + grade_of(average.average_db), language));
    }
    // "500, 2000 and 4000": commas between, the language's "and" before the last.
    std::string missing;
    for (int k = 0; k < average.missing_count; ++k) {
        if (k > 0) {
            missing += k + 1 == average.missing_count ? text(text_and, language) : ", ";
        }
        missing += std::to_string(average.missing_hz[k]);
    }
    return formatted(text(text_audiogram_missing, language), ear, missing.c_str());
}

// The whole hearing level of the point of `curve` that counts at `frequency`, or "".
std::string level_cell(const std::vector<PointLevel>& levels, int frequency) {
    for (const PointLevel& point : levels) {
        if (point.counts && point.frequency_hz == frequency) {
            return std::to_string(point.level_db);
        }
    }
    return "";
}

} // namespace

std::string format_ear_lines(const CurveSet& main_set, const CurveSet& reference, int language) {
    EarAverage right = ear_average(main_set, reference, right_ear_curve);
    EarAverage left = ear_average(main_set, reference, left_ear_curve);
    std::string lines;
    if (right.has_levels) {
        lines += ear_line(right, text_right_ear, language) + "\r\n";
    }
    if (left.has_levels) {
        lines += ear_line(left, text_left_ear, language) + "\r\n";
    }
    int32_t difference = notable_ear_difference(right, left);
    if (difference != 0) {
        lines += formatted(text(text_audiogram_difference, language), difference) + "\r\n";
    }
    return lines;
}

std::string format_audiogram_text(const CurveSet& main_set, const CurveSet& reference,
                                  const std::string& title, int language) {
    std::vector<int> frequencies;
    for (int c = 0; c < curve_count; ++c) {
        for (int i : counted_points(main_set, c)) {
            frequencies.push_back(main_set.freq_hz[c][i]);
        }
    }
    std::sort(frequencies.begin(), frequencies.end());
    frequencies.erase(std::unique(frequencies.begin(), frequencies.end()), frequencies.end());

    std::string lines = utf8_of_windows_1252(text(text_audiogram_header, language)) + "\r\n";
    std::vector<PointLevel> levels[curve_count];
    for (int curve : text_columns) {
        levels[curve] = curve_hearing_levels(main_set, reference, curve);
    }
    for (int frequency : frequencies) {
        lines += std::to_string(frequency);
        for (int curve : text_columns) {
            lines += "\t" + level_cell(levels[curve], frequency);
        }
        lines += "\r\n";
    }
    lines += utf8_of_windows_1252(format_ear_lines(main_set, reference, language).c_str());
    if (has_reference(reference)) {
        lines += formatted(utf8_of_windows_1252(text(text_audiogram_reference, language)).c_str(),
                           comment_title(title).c_str()) +
                 "\r\n";
    }
    return lines;
}
