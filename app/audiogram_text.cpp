// The audiogram's chart, its lines and its text for the clipboard.
#include "app/audiogram_text.h"

#include "app/curve_text.h"
#include "app/texts.h"
#include "core/counted_points.h"
#include "hearing/hearing_level.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

const int32_t hearing_level_top_db = -10;
const int32_t hearing_level_bottom_db = 120;

// The grades' zones, from normal at the top to complete at the bottom: light enough that the grid
// and the marks stand out on each.
const uint32_t zone_colours[grade_count] = {chart_rgb(236, 248, 236), chart_rgb(250, 250, 226),
                                            chart_rgb(252, 242, 224), chart_rgb(252, 232, 218),
                                            chart_rgb(250, 224, 224), chart_rgb(242, 224, 238),
                                            chart_rgb(232, 228, 244)};

// The columns of the copied text, in their order.
const int text_columns[curve_count] = {right_ear_curve, left_ear_curve, green_curve};

std::string ear_line(const EarAverage& average, int ear_name, int language) {
    const char* ear = text(ear_name, language);
    if (average.missing_count == 0) {
        return formatted(text(text_audiogram_average, language), ear, average.average_db,
                         text(text_grade_normal + grade_of(average.average_db), language));
    }
    std::vector<std::string> missing;
    for (int k = 0; k < average.missing_count; ++k) {
        missing.push_back(std::to_string(average.missing_hz[k]));
    }
    return formatted(text(text_audiogram_missing, language), ear,
                     listed(missing, language).c_str());
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

// The frequencies of one ear's typed levels that the reference left out for `reason`.
std::vector<std::string> left_out_for(const KnownReference& reference, int ear,
                                      LeftOutReason reason) {
    std::vector<std::string> frequencies;
    for (const LeftOut& out : reference.left_out) {
        if (out.ear == ear && out.reason == reason) {
            frequencies.push_back(std::to_string(out.frequency_hz));
        }
    }
    return frequencies;
}

} // namespace

AudiogramChart hearing_level_chart(const CurveSet& main_set, const CurveSet& reference,
                                   int language) {
    AudiogramChart chart = {
        "dB HL",
        {hearing_level_top_db, hearing_level_bottom_db, has_level_above_8k(main_set, reference)},
        {},
        {}};
    for (int g = 0; g < grade_count; ++g) {
        double top = g == 0 ? hearing_level_top_db : grade_floor_db[g];
        double bottom = g + 1 < grade_count ? grade_floor_db[g + 1] : hearing_level_bottom_db;
        chart.zones.push_back({top, bottom, zone_colours[g], text(text_zone_normal + g, language)});
    }
    for (int curve : {green_curve, left_ear_curve, right_ear_curve}) {
        ChartCurve drawn = {curve, {}, {}};
        for (const PointLevel& point : curve_hearing_levels(main_set, reference, curve)) {
            ChartPoint at = {double(point.frequency_hz), double(point.level_db)};
            drawn.marks.push_back(at);
            if (point.counts) {
                drawn.joined.push_back(at);
            }
        }
        chart.curves.push_back(drawn);
    }
    return chart;
}

std::string listed(const std::vector<std::string>& items, int language) {
    std::string list;
    for (size_t k = 0; k < items.size(); ++k) {
        if (k > 0) {
            list += k + 1 == items.size() ? text(text_and, language) : ", ";
        }
        list += items[k];
    }
    return list;
}

std::string format_reference_lines(const KnownReference& reference, const KnownLevels& levels,
                                   int language) {
    const int ear_names[known_ear_count] = {text_right_ear, text_left_ear};
    const int reasons[] = {text_known_no_threshold, text_known_too_quiet, text_known_too_loud};
    std::string lines;
    for (int ear = 0; ear < known_ear_count; ++ear) {
        if (levels.ears[ear].empty()) {
            continue;
        }
        lines += formatted(text(text_known_held, language), text(ear_names[ear], language),
                           reference.held[ear]);
        std::string left_out;
        for (int reason = left_out_no_threshold; reason <= left_out_too_loud; ++reason) {
            std::vector<std::string> frequencies =
                left_out_for(reference, ear, LeftOutReason(reason));
            if (!frequencies.empty()) {
                left_out += (left_out.empty() ? "" : ", ") +
                            formatted(text(reasons[reason], language),
                                      listed(frequencies, language).c_str());
            }
        }
        if (!left_out.empty()) {
            lines += text(text_known_left_out, language) + left_out;
        }
        lines += ".\r\n";
    }
    return lines;
}

std::string format_pasted_line(const PastedRows& pasted, int language) {
    std::string line = formatted(text(text_known_pasted, language), pasted.taken);
    if (pasted.not_taken.empty()) {
        return line;
    }
    std::string frequencies = pasted.more_not_taken ? "" : listed(pasted.not_taken, language);
    for (size_t k = 0; pasted.more_not_taken && k < pasted.not_taken.size(); ++k) {
        frequencies += pasted.not_taken[k] + ", ";
    }
    return line + formatted(text(text_known_not_taken, language),
                            (frequencies + (pasted.more_not_taken ? "..." : "")).c_str());
}

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
                           one_line_title(title).c_str()) +
                 "\r\n";
    }
    return lines;
}
