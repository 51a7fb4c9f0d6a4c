// The thresholds of otologically normal people by age and sex, from the coefficients of
// ISO 7029:2017.
#include "hearing/age_norms.h"

#include "core/truncate.h"
#include "hearing/hearing_level.h"

#include <cmath>

namespace {

// One sex at one frequency: the median is a * (age - 18)^b, and each spread a polynomial of the
// fifth degree in (age - 18), its coefficients from the constant term up.
struct SexCoefficients {
    double a;
    double b;
    double upper[6]; // the poorer side
    double lower[6]; // the better side
};

struct NormRow {
    uint16_t frequency_hz;
    SexCoefficients women;
    SexCoefficients men;
};

// Women then men at each frequency: the median's a and b, then the upper and the lower spread.
// clang-format off
const NormRow norm_rows[norm_frequency_count] = {
    {125,
     {6.16e-4, 2.451, {5.05, 0.400, -4.60e-2, 1.73e-3, -2.75e-5, 1.71e-7},
      {3.64, 0.047, 2.28e-3, -6.68e-5, -8.72e-7, 2.30e-8}},
     {2.50e-6, 3.841, {4.63, 0.645, -8.85e-2, 3.69e-3, -5.98e-5, 3.39e-7},
      {3.34, 0.131, -2.02e-2, 1.12e-3, -2.28e-5, 1.57e-7}}},
    {250,
     {3.98e-4, 2.568, {5.01, 0.481, -4.88e-2, 1.80e-3, -2.81e-5, 1.67e-7},
      {3.11, 0.226, -7.71e-3, 9.83e-5, -7.11e-7, 9.02e-9}},
     {1.39e-4, 2.832, {5.27, 0.710, -9.13e-2, 3.64e-3, -5.74e-5, 3.22e-7},
      {3.32, 0.230, -2.54e-2, 1.20e-3, -2.27e-5, 1.46e-7}}},
    {500,
     {2.61e-4, 2.708, {4.68, 0.510, -5.16e-2, 1.95e-3, -3.07e-5, 1.77e-7},
      {2.98, 0.338, -1.74e-2, 3.53e-4, -2.78e-6, 1.01e-8}},
     {4.59e-4, 2.537, {4.98, 0.751, -9.20e-2, 3.68e-3, -5.84e-5, 3.28e-7},
      {3.43, 0.362, -4.11e-2, 1.87e-3, -3.44e-5, 2.21e-7}}},
    {750,
     {2.25e-4, 2.775, {4.45, 0.511, -5.25e-2, 2.03e-3, -3.18e-5, 1.81e-7},
      {3.03, 0.378, -2.24e-2, 5.20e-4, -4.60e-6, 1.50e-8}},
     {5.70e-4, 2.512, {4.65, 0.733, -8.81e-2, 3.59e-3, -5.76e-5, 3.24e-7},
      {3.60, 0.384, -4.43e-2, 1.98e-3, -3.55e-5, 2.22e-7}}},
    {1000,
     {2.21e-4, 2.805, {4.34, 0.492, -5.15e-2, 2.03e-3, -3.18e-5, 1.78e-7},
      {3.15, 0.382, -2.39e-2, 5.62e-4, -4.60e-6, 9.87e-9}},
     {7.02e-4, 2.494, {4.42, 0.714, -8.54e-2, 3.57e-3, -5.82e-5, 3.29e-7},
      {3.77, 0.363, -4.19e-2, 1.82e-3, -3.14e-5, 1.89e-7}}},
    {1500,
     {2.53e-4, 2.813, {4.23, 0.479, -5.12e-2, 2.07e-3, -3.26e-5, 1.80e-7},
      {3.32, 0.387, -2.64e-2, 6.71e-4, -5.76e-6, 1.07e-8}},
     {1.09e-3, 2.446, {4.14, 0.679, -8.04e-2, 3.52e-3, -5.89e-5, 3.35e-7},
      {3.93, 0.365, -4.22e-2, 1.79e-3, -2.96e-5, 1.70e-7}}},
    {2000,
     {3.12e-4, 2.792, {4.26, 0.456, -4.91e-2, 2.01e-3, -3.16e-5, 1.70e-7},
      {3.47, 0.392, -2.84e-2, 7.79e-4, -7.35e-6, 1.71e-8}},
     {1.56e-3, 2.404, {4.10, 0.632, -7.53e-2, 3.46e-3, -5.94e-5, 3.40e-7},
      {4.01, 0.387, -4.47e-2, 1.87e-3, -3.02e-5, 1.69e-7}}},
    {3000,
     {4.88e-4, 2.728, {4.36, 0.476, -5.15e-2, 2.19e-3, -3.51e-5, 1.91e-7},
      {3.69, 0.392, -2.96e-2, 8.44e-4, -7.55e-6, 8.16e-9}},
     {2.54e-3, 2.350, {4.29, 0.530, -6.28e-2, 3.09e-3, -5.37e-5, 2.95e-7},
      {4.11, 0.405, -4.56e-2, 1.86e-3, -2.83e-5, 1.46e-7}}},
    {4000,
     {7.37e-4, 2.660, {4.61, 0.477, -5.07e-2, 2.19e-3, -3.51e-5, 1.88e-7},
      {3.84, 0.402, -3.17e-2, 9.99e-4, -1.08e-5, 2.99e-8}},
     {3.40e-3, 2.325, {4.68, 0.455, -5.52e-2, 2.95e-3, -5.30e-5, 2.92e-7},
      {4.09, 0.439, -4.78e-2, 1.92e-3, -2.84e-5, 1.40e-7}}},
    {6000,
     {1.47e-3, 2.539, {5.22, 0.483, -4.83e-2, 2.13e-3, -3.39e-5, 1.74e-7},
      {4.04, 0.403, -3.15e-2, 1.06e-3, -1.21e-5, 3.44e-8}},
     {4.53e-3, 2.315, {5.61, 0.363, -4.72e-2, 2.92e-3, -5.58e-5, 3.12e-7},
      {4.01, 0.497, -4.97e-2, 1.93e-3, -2.67e-5, 1.18e-7}}},
    {8000,
     {2.53e-3, 2.439, {5.84, 0.516, -4.89e-2, 2.18e-3, -3.49e-5, 1.77e-7},
      {4.15, 0.413, -3.01e-2, 1.00e-3, -9.97e-6, 8.74e-9}},
     {5.06e-3, 2.328, {6.62, 0.291, -4.16e-2, 2.92e-3, -5.85e-5, 3.33e-7},
      {3.90, 0.559, -5.62e-2, 2.40e-3, -3.92e-5, 2.29e-7}}},
};
// clang-format on

double polynomial(const double* coefficients, double u) {
    double value = 0;
    for (int k = 5; k >= 0; --k) {
        value = value * u + coefficients[k];
    }
    return value;
}

ThresholdNorm sex_norm(const SexCoefficients& sex, double u) {
    return {sex.a * std::pow(u, sex.b), polynomial(sex.upper, u), polynomial(sex.lower, u)};
}

// The standard normal distribution function.
double normal_fraction(double z) {
    return 0.5 * std::erfc(-z / std::sqrt(2.0));
}

} // namespace

uint16_t norm_frequency(int k) {
    return norm_rows[k].frequency_hz;
}

bool threshold_norm(const AgeGroup& group, int32_t frequency, ThresholdNorm* norm) {
    if (group.age < norm_youngest_age || group.age > norm_oldest_age) {
        return false;
    }
    double u = group.age - norm_youngest_age;
    for (const NormRow& row : norm_rows) {
        if (row.frequency_hz != frequency) {
            continue;
        }
        ThresholdNorm women = sex_norm(row.women, u);
        ThresholdNorm men = sex_norm(row.men, u);
        if (group.sex == sex_female) {
            *norm = women;
        } else if (group.sex == sex_male) {
            *norm = men;
        } else {
            *norm = {(women.median_db + men.median_db) / 2,
                     (women.upper_spread_db + men.upper_spread_db) / 2,
                     (women.lower_spread_db + men.lower_spread_db) / 2};
        }
        return true;
    }
    return false;
}

double norm_level(const ThresholdNorm& norm, double z) {
    return norm.median_db + z * (z >= 0 ? norm.upper_spread_db : norm.lower_spread_db);
}

int32_t norm_percentile(const ThresholdNorm& norm, double level_db) {
    double above = level_db - norm.median_db;
    double z = above / (above >= 0 ? norm.upper_spread_db : norm.lower_spread_db);
    int32_t percent = truncate_to_int(normal_fraction(z) * 100 + 0.5);
    return percent < 1 ? 1 : percent > 99 ? 99 : percent;
}

bool read_age(const std::string& text, int32_t* age) {
    return read_whole_number(text, norm_youngest_age, norm_oldest_age, age);
}
