// The audiogram's chart, its lines and its text for the clipboard while it shows hearing level.
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
// A group's range and median: greys that every zone's colour and the ears' marks stand out from.
const uint32_t group_range_colour = chart_rgb(208, 208, 208);
const uint32_t group_median_colour = chart_rgb(80, 80, 80);

// The columns of the copied text, in their order.
const int text_columns[curve_count] = {right_ear_curve, left_ear_curve, green_curve};

std::string ear_line(const EarAverage& average, int ear_name, int language) {
    const char* ear = text(ear_name, language);
    if (average.missing_count == 0) {
        return formatted(text(text_audiogram_average, language), ear, average.average_db,
                         text(text_grade_normal + grade_of(average.average_db), language));
    }
    std::vector<uint16_t> missing(average.missing_hz, average.missing_hz + average.missing_count);
    return formatted(text(text_audiogram_missing, language), ear,
                     frequency_list(missing, language).c_str());
}

// "women of 55": the group's name in the lines and the copied headers.
std::string group_name(const AgeGroup& group, int language) {
    int sex = group.sex == sex_female || group.sex == sex_male ? group.sex : sex_not_given;
    return formatted(text(text_group_people + sex, language), group.age);
}

// An ear's line beside the group, or "" where it has no level at a norm's frequency.
std::string age_line(const std::vector<PointLevel>& levels, int ear_name, const AgeGroup& group,
                     int language) {
    std::vector<uint16_t> poorer;
    std::vector<uint16_t> better;
    bool compared = false;
    for (const PointLevel& point : levels) {
        ThresholdNorm norm = {};
        if (!point.counts || !threshold_norm(group, point.frequency_hz, &norm)) {
            continue;
        }
        compared = true;
        if (point.level_db > norm_level(norm, norm_z_90)) {
            poorer.push_back(point.frequency_hz);
        } else if (point.level_db < norm_level(norm, -norm_z_90)) {
            better.push_back(point.frequency_hz);
        }
    }
    if (!compared) {
        return "";
    }
    std::string ear = text(ear_name, language);
    std::string name = group_name(group, language);
    std::string line;
    if (poorer.empty() && better.empty()) {
        line = formatted(text(text_age_within, language), ear.c_str(), name.c_str());
    } else {
        line = ear + ": ";
        if (!poorer.empty()) {
            line += formatted(text(text_age_poorer, language), name.c_str(),
                              frequency_list(poorer, language).c_str());
        }
        if (!better.empty()) {
            line += (poorer.empty() ? "" : "; ") +
                    formatted(text(text_age_better, language), name.c_str(),
                              frequency_list(better, language).c_str());
        }
        line += ".";
    }
    return line + "\r\n";
}

// The whole level of the point that counts at `frequency`, or false.
bool counted_level(const std::vector<PointLevel>& levels, int frequency, int32_t* level_db) {
    for (const PointLevel& point : levels) {
        if (point.counts && point.frequency_hz == frequency) {
            *level_db = point.level_db;
            return true;
        }
    }
    return false;
}

// The group's five cells at `frequency`, each after a tab.
std::string group_cells(const std::vector<PointLevel>* levels, int frequency, const AgeGroup& group,
                        const std::string& decimal) {
    ThresholdNorm norm = {};
    if (!threshold_norm(group, frequency, &norm)) {
        return "\t\t\t\t\t";
    }
    std::string cells;
    for (double z : {-norm_z_90, 0.0, norm_z_90}) {
        cells += "\t" + decimal_cell(norm_level(norm, z), decimal);
    }
    for (int curve : {right_ear_curve, left_ear_curve}) {
        int32_t level_db = 0;
        bool has = counted_level(levels[curve], frequency, &level_db);
        cells += "\t" + (has ? std::to_string(norm_percentile(norm, level_db)) : "");
    }
    return cells;
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

std::vector<ChartCurve> level_curves(const CurveSet& main_set, const CurveSet& reference) {
    std::vector<ChartCurve> curves;
    for (int curve : {green_curve, left_ear_curve, right_ear_curve}) {
        ChartCurve drawn = {curve, {}, {}};
        for (const PointLevel& point : curve_hearing_levels(main_set, reference, curve)) {
            ChartPoint at = {double(point.frequency_hz), double(point.level_db)};
            drawn.marks.push_back(at);
            if (point.counts) {
                drawn.joined.push_back(at);
            }
        }
        curves.push_back(drawn);
    }
    return curves;
}

AudiogramChart hearing_level_chart(const CurveSet& main_set, const CurveSet& reference,
                                   const AgeGroup& group, int language) {
    AudiogramChart chart = {
        "dB HL",
        {hearing_level_top_db, hearing_level_bottom_db, has_level_above_8k(main_set, reference)},
        {},
        {},
        {},
        level_curves(main_set, reference)};
    for (int g = 0; g < grade_count; ++g) {
        double top = g == 0 ? hearing_level_top_db : grade_floor_db[g];
        double bottom = g + 1 < grade_count ? grade_floor_db[g + 1] : hearing_level_bottom_db;
        chart.zones.push_back(
            {top, bottom, zone_colours[g], text(text_zone_normal + g, language), false});
    }
    ThresholdNorm norm = {};
    if (!threshold_norm(group, norm_frequency(0), &norm)) {
        return chart;
    }
    ChartRangeZone range = {{}, {}, group_range_colour};
    ChartDashedLine median = {{}, group_median_colour};
    for (int k = 0; k < norm_frequency_count; ++k) {
        double frequency = norm_frequency(k);
        threshold_norm(group, norm_frequency(k), &norm);
        range.top.push_back({frequency, norm_level(norm, -norm_z_90)});
        range.bottom.push_back({frequency, norm_level(norm, norm_z_90)});
        median.points.push_back({frequency, norm.median_db});
    }
    chart.range_zones.push_back(range);
    chart.dashed_lines.push_back(median);
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

std::string format_ear_lines(const CurveSet& main_set, const CurveSet& reference,
                             const AgeGroup& group, int language) {
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
    std::string age_lines = age_line(curve_hearing_levels(main_set, reference, right_ear_curve),
                                     text_right_ear, group, language) +
                            age_line(curve_hearing_levels(main_set, reference, left_ear_curve),
                                     text_left_ear, group, language);
    // Said once below the ears' lines: it is the group's, not an ear's.
    if (!age_lines.empty() && group.age > norm_certain_up_to_age) {
        age_lines += formatted(text(text_age_less_certain, language), norm_certain_up_to_age,
                               norm_less_certain_hz) +
                     "\r\n";
    }
    return lines + age_lines;
}

std::string level_table(const CurveSet& main_set, const CurveSet& reference, const AgeGroup& group,
                        const std::string& decimal) {
    std::vector<int> frequencies;
    for (int c = 0; c < curve_count; ++c) {
        for (int i : counted_points(main_set, c)) {
            frequencies.push_back(main_set.freq_hz[c][i]);
        }
    }
    std::sort(frequencies.begin(), frequencies.end());
    frequencies.erase(std::unique(frequencies.begin(), frequencies.end()), frequencies.end());

    std::vector<PointLevel> levels[curve_count];
    for (int curve : text_columns) {
        levels[curve] = curve_hearing_levels(main_set, reference, curve);
    }
    std::string lines;
    for (int frequency : frequencies) {
        lines += std::to_string(frequency);
        for (int curve : text_columns) {
            int32_t level_db = 0;
            bool has = counted_level(levels[curve], frequency, &level_db);
            lines += "\t" + (has ? std::to_string(level_db) : "");
        }
        if (group.age != 0) {
            lines += group_cells(levels, frequency, group, decimal);
        }
        lines += "\r\n";
    }
    return lines;
}

std::string format_audiogram_text(const CurveSet& main_set, const CurveSet& reference,
                                  const std::string& title, const AgeGroup& group,
                                  const std::string& decimal, int language) {
    std::string header = text(text_audiogram_header, language);
    if (group.age != 0) {
        std::string name = group_name(group, language);
        header += "\t" + formatted(text(text_age_header, language), name.c_str(), name.c_str(),
                                   name.c_str());
        for (int ear : {text_right_ear, text_left_ear}) {
            header += "\t" + formatted(text(text_age_percentile_header, language),
                                       text(ear, language), name.c_str());
        }
    }
    std::string lines =
        utf8_of_windows_1252(header.c_str()) + "\r\n" +
        level_table(main_set, reference, group, decimal) +
        utf8_of_windows_1252(format_ear_lines(main_set, reference, group, language).c_str());
    if (has_reference(reference)) {
        lines += title_line(text_audiogram_reference, title, language);
    }
    return lines;
}

std::string frequency_list(const std::vector<uint16_t>& frequencies, int language) {
    std::vector<std::string> items;
    for (uint16_t frequency : frequencies) {
        items.push_back(std::to_string(frequency));
    }
    return listed(items, language);
}

std::string title_line(int key, const std::string& title, int language) {
    return formatted(utf8_of_windows_1252(text(key, language)).c_str(),
                     one_line_title(title).c_str()) +
           "\r\n";
}
