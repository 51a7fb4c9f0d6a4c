// The known audiogram: its fields, pasted text and the reference made from it.
#include "hearing/known_audiogram.h"

#include "core/counted_points.h"
#include "graph/scales.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

const uint16_t known_frequencies_hz[known_frequency_count] = {125,  250,  500,  750,  1000, 1500,
                                                              2000, 3000, 4000, 6000, 8000};

namespace {

const int curve_of_ear[known_ear_count] = {right_ear_curve, left_ear_curve};

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string trimmed(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && is_blank(text[begin])) {
        ++begin;
    }
    while (end > begin && is_blank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

bool all_digits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// A whole number of digits only, held at 1000000 so that any length reads safely.
int32_t digits_value(const std::string& digits) {
    int32_t value = 0;
    for (char c : digits) {
        value = std::min(value * 10 + (c - '0'), int32_t(1000000));
    }
    return value;
}

// The cells of one line (without its line end), split as paste_known_levels says.
std::vector<std::string> cells_of(const std::string& line) {
    std::vector<std::string> cells;
    for (char separator : {'\t', ';', ','}) {
        if (line.find(separator) == std::string::npos) {
            continue;
        }
        size_t start = 0;
        for (size_t end; (end = line.find(separator, start)) != std::string::npos;
             start = end + 1) {
            cells.push_back(trimmed(line.substr(start, end - start)));
        }
        cells.push_back(trimmed(line.substr(start)));
        return cells;
    }
    size_t start = 0;
    while (start < line.size()) {
        while (start < line.size() && is_blank(line[start])) {
            ++start;
        }
        size_t end = start;
        while (end < line.size() && !is_blank(line[end])) {
            ++end;
        }
        if (end > start) {
            cells.push_back(line.substr(start, end - start));
        }
        start = end;
    }
    return cells;
}

void put_field(char* field, const std::string& cell) {
    if (cell.size() < size_t(known_field_size)) {
        std::snprintf(field, known_field_size, "%s", cell.c_str());
    } else {
        std::snprintf(field, known_field_size, "%.*s...", known_field_size - 4, cell.c_str());
    }
}

int row_of(int32_t frequency) {
    const uint16_t* end = known_frequencies_hz + known_frequency_count;
    const uint16_t* row = std::find(known_frequencies_hz, end, frequency);
    return row == end ? -1 : int(row - known_frequencies_hz);
}

} // namespace

KnownField read_known_field(const char* text, int32_t* level_db) {
    if (trimmed(text).empty()) {
        return field_empty;
    }
    return read_whole_number(text, known_lowest_db, known_highest_db, level_db) ? field_level
                                                                                : field_not_a_level;
}

bool read_known_levels(const KnownAudiogramFields& fields, KnownLevels* levels, int* bad_row,
                       int* bad_ear) {
    *levels = {};
    for (int ear = 0; ear < known_ear_count; ++ear) {
        for (int row = 0; row < known_frequency_count; ++row) {
            int32_t level = 0;
            KnownField read = read_known_field(fields.levels[row][ear], &level);
            if (read == field_not_a_level) {
                *bad_row = row;
                *bad_ear = ear;
                return false;
            }
            if (read == field_level) {
                levels->ears[ear].push_back({row, known_frequencies_hz[row], level, true});
            }
        }
    }
    return true;
}

PastedRows paste_known_levels(const std::string& text, KnownAudiogramFields* fields) {
    PastedRows pasted = {};
    bool filled[known_frequency_count] = {};
    KnownAudiogramFields grid = *fields;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end;
        std::vector<std::string> cells = cells_of(text.substr(start, end - start));
        start = end + 1;
        if (cells.empty() || !all_digits(cells[0])) {
            continue;
        }
        int row = row_of(digits_value(cells[0]));
        if (row < 0) {
            std::vector<std::string>& named = pasted.not_taken;
            bool known = std::find(named.begin(), named.end(), cells[0]) != named.end();
            if (!known && named.size() < size_t(named_not_taken) && cells[0].size() <= 9) {
                named.push_back(cells[0]);
            } else if (!known) {
                pasted.more_not_taken = true;
            }
            continue;
        }
        if (filled[row]) {
            continue;
        }
        filled[row] = true;
        ++pasted.taken;
        for (int ear = 0; ear < known_ear_count; ++ear) {
            put_field(grid.levels[row][ear], size_t(ear + 1) < cells.size() ? cells[ear + 1] : "");
        }
    }
    if (pasted.taken == 0) {
        return pasted;
    }
    for (int row = 0; row < known_frequency_count; ++row) {
        if (!filled[row]) {
            std::memset(grid.levels[row], 0, sizeof grid.levels[row]);
        }
    }
    *fields = grid;
    return pasted;
}

KnownReference make_known_reference(const KnownLevels& levels, const CurveSet& main_set) {
    KnownReference reference = {};
    for (int ear = 0; ear < known_ear_count; ++ear) {
        int curve = curve_of_ear[ear];
        std::vector<int> counted = counted_points(main_set, curve);
        std::vector<uint16_t> frequencies; // those held, rising
        std::vector<uint16_t> amplitudes;
        for (const PointLevel& typed : levels.ears[ear]) {
            auto point = std::find_if(counted.begin(), counted.end(), [&](int i) {
                return main_set.freq_hz[curve][i] == typed.frequency_hz;
            });
            if (point == counted.end()) {
                reference.left_out.push_back({ear, typed.frequency_hz, left_out_no_threshold});
                continue;
            }
            double level_db = amplitude_to_db(main_set.amplitude[curve][*point]) - typed.level_db;
            uint16_t amplitude = stored_amplitude(level_db);
            if (amplitude == 0) {
                reference.left_out.push_back(
                    {ear, typed.frequency_hz,
                     level_db < 0 ? left_out_too_quiet : left_out_too_loud});
                continue;
            }
            frequencies.push_back(typed.frequency_hz);
            amplitudes.push_back(amplitude);
        }
        // Curves keep their points in falling frequency.
        for (size_t k = frequencies.size(); k-- > 0;) {
            int n = reference.set.count[curve]++;
            reference.set.freq_hz[curve][n] = frequencies[k];
            reference.set.amplitude[curve][n] = amplitudes[k];
        }
        reference.held[ear] = int(frequencies.size());
    }
    return reference;
}
