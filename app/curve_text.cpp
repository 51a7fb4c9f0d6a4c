// Formatting of the curves copied as text.
#include "app/curve_text.h"

#include "app/texts.h"
#include "graph/scales.h"
#include "resources/resource_ids.h"

#include <cmath>
#include <cstdio>

namespace {

const int colour_buttons[curve_count] = {btn_green, btn_red, btn_blue};

// One decimal with the user's separator. A level of -infinity (silence) would read "-inf" in a
// spreadsheet cell that can neither be summed nor charted; the cell stays empty instead.
std::string level_cell(double level_db, const std::string& decimal) {
    if (!std::isfinite(level_db)) {
        return "";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", level_db);
    std::string cell(text);
    size_t point = cell.find('.');
    if (point != std::string::npos) {
        cell.replace(point, 1, decimal);
    }
    return cell;
}

void append_set(std::string* text, const CurveSet& set, const char* set_name,
                const LanguageTexts& texts, bool a_weighted, const std::string& decimal) {
    for (int c = 0; c < curve_count; ++c) {
        for (int i = 0; i < set.count[c]; ++i) {
            int frequency = set.freq_hz[c][i];
            int amplitude = set.amplitude[c][i];
            double level = amplitude_to_db(amplitude);
            *text += std::string(set_name) + "\t" + caption_of(texts, colour_buttons[c]) + "\t" +
                     std::to_string(frequency) + "\t" + std::to_string(amplitude) + "\t" +
                     level_cell(level, decimal);
            if (a_weighted) {
                *text += "\t" + level_cell(level + a_weighting_db(frequency), decimal);
            }
            *text += "\r\n";
        }
    }
}

} // namespace

std::string format_curve_text(const CurveSet& main_set, const CurveSet& compare_set,
                              bool a_weighted, int language, const std::string& decimal) {
    const LanguageTexts& texts = texts_for_language(language);
    const CurveTextWords& words = texts.curve_text;
    std::string text = words.header;
    if (a_weighted) {
        text += std::string("\t") + words.weighted_header;
    }
    text += "\r\n";
    append_set(&text, main_set, words.main_set, texts, a_weighted, decimal);
    append_set(&text, compare_set, words.compare_set, texts, a_weighted, decimal);
    return text;
}
