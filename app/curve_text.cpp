// Formatting of the curves copied as text and as equalizer settings.
#include "app/curve_text.h"

#include "app/texts.h"
#include "core/counted_points.h"
#include "hearing/hearing_level.h"
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

// One decimal with the user's separator. A level of -infinity (silence) would read "-inf" in a
// spreadsheet cell that can neither be summed nor charted; the cell stays empty instead.
std::string level_cell(double level_db, const std::string& decimal) {
    if (!std::isfinite(level_db)) {
        return "";
    }
    std::string cell = tenths(level_db);
    size_t point = cell.find('.');
    if (point != std::string::npos) {
        cell.replace(point, 1, decimal);
    }
    return cell;
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
                      std::to_string(amplitude) + "\t" + level_cell(level, decimal);
            if (a_weighted) {
                *lines += "\t" + level_cell(level + a_weighting_db(frequency), decimal);
            }
            *lines += "\r\n";
        }
    }
}

// A point of a curve as an equalizer band: its frequency and its unweighted level in dB.
struct Band {
    int frequency;
    double level_db;
};

// The points of a curve that an equalizer can use, in rising frequency, as counted_points picks
// them.
std::vector<Band> equalizer_bands(const CurveSet& set, int curve) {
    std::vector<Band> bands;
    for (int i : counted_points(set, curve)) {
        bands.push_back({set.freq_hz[curve][i], amplitude_to_db(set.amplitude[curve][i])});
    }
    return bands;
}

double highest_level(const std::vector<Band>& bands) {
    return std::max_element(bands.begin(), bands.end(),
                            [](const Band& a, const Band& b) { return a.level_db < b.level_db; })
        ->level_db;
}

// "GraphicEQ:" and a " frequency gain;" band per band, each gain its level less `highest` and no
// lower than `lowest_gain`.
std::string graphic_eq_line(const std::vector<Band>& bands, double highest, double lowest_gain) {
    std::string line = "GraphicEQ:";
    for (const Band& band : bands) {
        double gain = std::max(band.level_db - highest, lowest_gain);
        line += " " + std::to_string(band.frequency) + " " + tenths(gain) + ";";
    }
    return line + "\r\n";
}

// The half gains of an ear's hearing levels: half of each level above 0 dB HL, else 0, one band
// per frequency that has a level.
std::vector<Band> half_gains(const CurveSet& main_set, const CurveSet& reference, int curve) {
    std::vector<Band> bands;
    for (const PointLevel& point : curve_hearing_levels(main_set, reference, curve)) {
        if (point.counts) {
            bands.push_back({point.frequency_hz, point.level_db > 0 ? point.level_db / 2.0 : 0.0});
        }
    }
    return bands;
}

std::string comment_line(const char* format, const std::string& colour, const std::string& title) {
    return formatted(utf8_of_windows_1252(format).c_str(), colour.c_str(),
                     comment_title(title).c_str()) +
           "\r\n";
}

} // namespace

// The lead bytes 0xC2 and 0xE2 never continue a character, so the multi-byte sequences can be
// matched byte by byte.
std::string comment_title(const std::string& title) {
    std::string kept;
    for (size_t i = 0; i < title.size(); ++i) {
        unsigned char byte = static_cast<unsigned char>(title[i]);
        unsigned char next = i + 1 < title.size() ? static_cast<unsigned char>(title[i + 1]) : 0;
        unsigned char third = i + 2 < title.size() ? static_cast<unsigned char>(title[i + 2]) : 0;
        if (byte < 0x20 || byte == 0x7F || byte == ':') {
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
    std::vector<Band> bands = equalizer_bands(set, curve);
    if (bands.empty()) {
        return "";
    }
    double highest = highest_level(bands);

    std::string colour = utf8_of_windows_1252(text(colour_buttons[curve], language));
    return comment_line(text(text_equalizer_comment, language), colour, title) +
           graphic_eq_line(bands, highest, -INFINITY);
}

bool has_equalizer_bands(const CurveSet& set, int curve) {
    return !equalizer_bands(set, curve).empty();
}

bool has_compensation_bands(const CurveSet& main_set, const CurveSet& reference, int ears) {
    bool right = !half_gains(main_set, reference, right_ear_curve).empty();
    bool left = !half_gains(main_set, reference, left_ear_curve).empty();
    switch (ears) {
    case compensate_right: return right;
    case compensate_left: return left;
    default: return right && left;
    }
}

std::string format_compensation_text(const CurveSet& main_set, const CurveSet& reference, int ears,
                                     const std::string& title, const std::string& reference_title,
                                     int language) {
    if (!has_compensation_bands(main_set, reference, ears)) {
        return "";
    }
    std::vector<Band> right = half_gains(main_set, reference, right_ear_curve);
    std::vector<Band> left = half_gains(main_set, reference, left_ear_curve);
    if (ears == compensate_right) {
        left.clear();
    } else if (ears == compensate_left) {
        right.clear();
    }
    std::vector<Band> all = right;
    all.insert(all.end(), left.begin(), left.end());
    double highest = highest_level(all);
    bool limited = std::any_of(all.begin(), all.end(), [highest](const Band& band) {
        return band.level_db - highest < -compensation_cut_limit_db;
    });

    std::string comment;
    if (ears == compensate_both) {
        comment = formatted(utf8_of_windows_1252(text(text_compensation_both, language)).c_str(),
                            comment_title(title).c_str(), comment_title(reference_title).c_str());
    } else {
        std::string ear = text(ears == compensate_right ? text_right_ear : text_left_ear, language);
        comment = formatted(utf8_of_windows_1252(text(text_compensation_ear, language)).c_str(),
                            utf8_of_windows_1252(ear.c_str()).c_str(), comment_title(title).c_str(),
                            comment_title(reference_title).c_str());
    }
    if (limited) {
        comment += utf8_of_windows_1252(text(text_compensation_limited, language));
    }
    std::string lines = comment + "\r\n";
    const double lowest = -compensation_cut_limit_db;
    if (ears == compensate_both) {
        return lines + "Channel: L\r\n" + graphic_eq_line(left, highest, lowest) +
               "Channel: R\r\n" + graphic_eq_line(right, highest, lowest);
    }
    return lines + graphic_eq_line(all, highest, lowest);
}
