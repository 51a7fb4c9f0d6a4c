// Hearing level against the reference, its average and grade.
#include "hearing/hearing_level.h"

#include "core/counted_points.h"
#include "core/truncate.h"
#include "graph/scales.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

const uint16_t average_frequencies_hz[average_frequency_count] = {500, 1000, 2000, 4000};
const int32_t grade_floor_db[grade_count] = {INT32_MIN, 20, 35, 50, 65, 80, 95};

bool has_reference(const CurveSet& reference) {
    for (int c = 0; c < curve_count; ++c) {
        if (!counted_points(reference, c).empty()) {
            return true;
        }
    }
    return false;
}

int reference_curve(const CurveSet& reference, int curve) {
    if (!counted_points(reference, curve).empty()) {
        return curve;
    }
    return counted_points(reference, green_curve).empty() ? -1 : green_curve;
}

bool reference_level(const CurveSet& reference, int curve, int32_t frequency, double* level_db) {
    std::vector<int> points = counted_points(reference, curve);
    for (size_t k = 0; k < points.size(); ++k) {
        int32_t above = reference.freq_hz[curve][points[k]];
        if (above < frequency) {
            continue;
        }
        double level = amplitude_to_db(reference.amplitude[curve][points[k]]);
        if (above == frequency) {
            *level_db = level;
            return true;
        }
        if (k == 0) {
            return false; // below the lowest reference frequency
        }
        int32_t below = reference.freq_hz[curve][points[k - 1]];
        double below_level = amplitude_to_db(reference.amplitude[curve][points[k - 1]]);
        double share = std::log(double(frequency) / below) / std::log(double(above) / below);
        *level_db = below_level + share * (level - below_level);
        return true;
    }
    return false; // above the highest, or no point at all
}

bool read_whole_number(const std::string& text, int32_t lowest, int32_t highest, int32_t* value) {
    const char* blanks = " \t\r";
    size_t begin = text.find_first_not_of(blanks);
    if (begin == std::string::npos) {
        return false;
    }
    size_t end = text.find_last_not_of(blanks) + 1;
    bool negative = text[begin] == '-';
    begin += negative || text[begin] == '+' ? 1 : 0;
    if (begin == end) {
        return false;
    }
    // Held far beyond any range, so that a number of any length reads safely.
    int64_t number = 0;
    for (size_t i = begin; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        number = std::min(number * 10 + (text[i] - '0'), int64_t(1) << 40);
    }
    number = negative ? -number : number;
    if (number < lowest || number > highest) {
        return false;
    }
    *value = int32_t(number);
    return true;
}

int32_t whole_db(double value) {
    return truncate_to_int(value < 0 ? value - 0.5 : value + 0.5);
}

uint16_t stored_amplitude(double level_db) {
    double amplitude = db_to_amplitude(level_db);
    // 32767.5 and up round to 32768. Written so that a level that is not a number stores nothing.
    if (!(amplitude >= 1.0 && amplitude < 32767.5)) {
        return 0;
    }
    return static_cast<uint16_t>(round_to_int(amplitude));
}

std::vector<PointLevel> curve_hearing_levels(const CurveSet& main_set, const CurveSet& reference,
                                             int curve) {
    std::vector<PointLevel> levels;
    int from = reference_curve(reference, curve);
    if (from < 0) {
        return levels;
    }
    std::vector<int> counted = counted_points(main_set, curve);
    for (int i = 0; i < main_set.count[curve]; ++i) {
        uint16_t frequency = main_set.freq_hz[curve][i];
        uint16_t amplitude = main_set.amplitude[curve][i];
        double reference_db = 0;
        if (frequency == 0 || amplitude == 0 ||
            !reference_level(reference, from, frequency, &reference_db)) {
            continue;
        }
        bool counts = std::find(counted.begin(), counted.end(), i) != counted.end();
        levels.push_back(
            {i, frequency, whole_db(amplitude_to_db(amplitude) - reference_db), counts});
    }
    std::stable_sort(levels.begin(), levels.end(), [](const PointLevel& a, const PointLevel& b) {
        return a.frequency_hz < b.frequency_hz;
    });
    return levels;
}

bool has_level_above_8k(const CurveSet& main_set, const CurveSet& reference) {
    for (int c = 0; c < curve_count; ++c) {
        std::vector<PointLevel> levels = curve_hearing_levels(main_set, reference, c);
        if (!levels.empty() && levels.back().frequency_hz > 8000) {
            return true;
        }
    }
    return false;
}

int grade_of(int32_t average_db) {
    int grade = 0;
    while (grade + 1 < grade_count && average_db >= grade_floor_db[grade + 1]) {
        ++grade;
    }
    return grade;
}

EarAverage average_at(const std::vector<PointLevel>& levels, const uint16_t* frequencies,
                      int count) {
    EarAverage average = {};
    int32_t found[average_frequency_count] = {};
    bool has[average_frequency_count] = {};
    for (const PointLevel& point : levels) {
        average.has_levels = true;
        for (int k = 0; k < count; ++k) {
            if (point.counts && point.frequency_hz == frequencies[k]) {
                found[k] = point.level_db;
                has[k] = true;
            }
        }
    }
    int32_t sum = 0;
    for (int k = 0; k < count; ++k) {
        if (!has[k]) {
            average.missing_hz[average.missing_count++] = frequencies[k];
        }
        sum += found[k];
    }
    average.average_db = whole_db(sum / double(count));
    return average;
}

EarAverage ear_average(const CurveSet& main_set, const CurveSet& reference, int curve) {
    return average_at(curve_hearing_levels(main_set, reference, curve), average_frequencies_hz,
                      average_frequency_count);
}

int32_t notable_ear_difference(const EarAverage& right, const EarAverage& left) {
    bool both =
        right.has_levels && left.has_levels && right.missing_count == 0 && left.missing_count == 0;
    int32_t difference = std::abs(right.average_db - left.average_db);
    return both && difference >= ear_difference_db ? difference : 0;
}
