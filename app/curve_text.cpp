// Formatting of the curves copied as text and as equalizer settings.
#include "app/curve_text.h"

#include "app/texts.h"
#include "core/counted_points.h"
#include "hearing/compensation.h"
#include "graph/scales.h"
#include "resources/resource_ids.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

const int colour_buttons[curve_count] = {btn_green, btn_red, btn_blue};

// A level with one decimal and a point. A value that rounds to zero is written without a sign:
// "-0.0" (for -0.03, say, or for the full-scale amplitude 32767) would read as a level below 0.
std::string tenths(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    std::string written(text);
    if (written == "-0.0") {
        written.erase(0, 1);
    }
    return written;
}

void append_set(std::string* lines, const CurveSet& set, int set_name, int language,
                bool a_weighted, const std::string& decimal) {
    std::string name = utf8_of_windows_1252(text(set_name, language));
    for (int c = 0; c < curve_count; ++c) {
        std::string colour = utf8_of_windows_1252(text(colour_buttons[c], language));
        for (int i = 0; i < set.count[c]; ++i) {
            int frequency = set.freq_hz[c][i];
            int amplitude = set.amplitude[c][i];
            double level = amplitude_to_db(amplitude);
            *lines += name + "\t" + colour + "\t" + std::to_string(frequency) + "\t" +
                      std::to_string(amplitude) + "\t" + decimal_cell(level, decimal);
            if (a_weighted) {
                *lines += "\t" + decimal_cell(level + a_weighting_db(frequency), decimal);
            }
            *lines += "\r\n";
        }
    }
}

// The gains of a curve's equalizer: each point that counts (counted_points) at its level less the
// highest level of the curve, in rising frequency.
std::vector<EqualizerGain> curve_gains(const CurveSet& set, int curve) {
    std::vector<EqualizerGain> gains;
    double highest = -INFINITY;
    for (int i : counted_points(set, curve)) {
        double level = amplitude_to_db(set.amplitude[curve][i]);
        gains.push_back({set.freq_hz[curve][i], level});
        highest = std::max(highest, level);
    }
    for (EqualizerGain& gain : gains) {
        gain.gain_db -= highest;
    }
    return gains;
}

// "GraphicEQ:" and a " frequency gain;" setting per gain.
std::string graphic_eq_line(const std::vector<EqualizerGain>& gains) {
    std::string line = "GraphicEQ:";
    for (const EqualizerGain& gain : gains) {
        line += " " + std::to_string(gain.frequency_hz) + " " + tenths(gain.gain_db) + ";";
    }
    return line + "\r\n";
}

std::string comment_line(const char* format, const std::string& colour, const std::string& title) {
    return formatted(utf8_of_windows_1252(format).c_str(), colour.c_str(),
                     comment_title(title).c_str()) +
           "\r\n";
}

// The title with a blank for every control character and line or paragraph separator, and for
// every ":" where blank_colon. The lead bytes 0xC2 and 0xE2 never continue a character, so the
// multi-byte sequences can be matched byte by byte.
std::string title_in_line(const std::string& title, bool blank_colon) {
    std::string kept;
    for (size_t i = 0; i < title.size(); ++i) {
        unsigned char byte = static_cast<unsigned char>(title[i]);
        unsigned char next = i + 1 < title.size() ? static_cast<unsigned char>(title[i + 1]) : 0;
        unsigned char third = i + 2 < title.size() ? static_cast<unsigned char>(title[i + 2]) : 0;
        if (byte < 0x20 || byte == 0x7F || (blank_colon && byte == ':')) {
            kept += ' ';
        } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            kept += ' ';
            i += 1;
        } else if (byte == 0xE2 && next == 0x80 && (third == 0xA8 || third == 0xA9)) {
            kept += ' ';
            i += 2;
        } else {
            kept += title[i];
        }
    }
    return kept;
}

// The compensation's lines: a "# " comment of format both_key, or for one ear of ear_key with the
// ear's name first, filled with the titles as comment_title keeps them (a format that names one
// title leaves the second out), the limit's words where it held; then the GraphicEQ lines.
std::string compensation_text(const Compensation& gains, int ears, int both_key, int ear_key,
                              const std::string& title, const std::string& second_title,
                              int language) {
    std::string first = comment_title(title);
    std::string second = comment_title(second_title);
    std::string comment;
    if (ears == compensate_both) {
        comment = formatted(utf8_of_windows_1252(text(both_key, language)).c_str(), first.c_str(),
                            second.c_str());
    } else {
        std::string ear = text(ears == compensate_right ? text_right_ear : text_left_ear, language);
        comment =
            formatted(utf8_of_windows_1252(text(ear_key, language)).c_str(),
                      utf8_of_windows_1252(ear.c_str()).c_str(), first.c_str(), second.c_str());
    }
    if (gains.limited) {
        comment += utf8_of_windows_1252(text(text_compensation_limited, language));
    }
    std::string lines = comment + "\r\n";
    if (ears == compensate_both) {
        return lines + "Channel: L\r\n" + graphic_eq_line(gains.left) + "Channel: R\r\n" +
               graphic_eq_line(gains.right);
    }
    return lines + graphic_eq_line(ears == compensate_right ? gains.right : gains.left);
}

} // namespace

std::string one_line_title(const std::string& title) {
    return title_in_line(title, false);
}

std::string comment_title(const std::string& title) {
    return title_in_line(title, true);
}

std::string decimal_cell(double value, const std::string& decimal) {
    if (!std::isfinite(value)) {
        return "";
    }
    std::string cell = tenths(value);
    size_t point = cell.find('.');
    if (point != std::string::npos) {
        cell.replace(point, 1, decimal);
    }
    return cell;
}

std::string format_curve_text(const CurveSet& main_set, const CurveSet& compare_set,
                              bool a_weighted, int language, const std::string& decimal) {
    std::string lines = utf8_of_windows_1252(text(text_curve_header, language));
    if (a_weighted) {
        lines += "\t" + utf8_of_windows_1252(text(text_curve_weighted_header, language));
    }
    lines += "\r\n";
    append_set(&lines, main_set, text_main_set, language, a_weighted, decimal);
    append_set(&lines, compare_set, text_compare_set, language, a_weighted, decimal);
    return lines;
}

std::string format_equalizer_text(const CurveSet& set, int curve, const std::string& title,
                                  int language) {
    std::vector<EqualizerGain> gains = curve_gains(set, curve);
    if (gains.empty()) {
        return "";
    }
    std::string colour = utf8_of_windows_1252(text(colour_buttons[curve], language));
    return comment_line(text(text_equalizer_comment, language), colour, title) +
           graphic_eq_line(gains);
}

bool has_equalizer_bands(const CurveSet& set, int curve) {
    return !counted_points(set, curve).empty();
}

bool has_compensation(const CurveSet& main_set, const CurveSet& reference, int ears) {
    Compensation gains;
    return compensate_set(main_set, reference, ears, &gains);
}

std::string format_compensation_text(const CurveSet& main_set, const CurveSet& reference, int ears,
                                     const std::string& title, const std::string& reference_title,
                                     int language) {
    Compensation gains;
    if (!compensate_set(main_set, reference, ears, &gains)) {
        return "";
    }
    return compensation_text(gains, ears, text_compensation_both, text_compensation_ear, title,
                             reference_title, language);
}

std::string format_known_compensation_text(const KnownLevels& levels, int ears,
                                           const std::string& title, int language) {
    Compensation gains;
    if (!compensate(levels.ears[known_right_ear], levels.ears[known_left_ear], ears, &gains)) {
        return "";
    }
    return compensation_text(gains, ears, text_known_compensation_both, text_known_compensation_ear,
                             title, "", language);
}
