// Hearing thresholds of otologically normal people by age and sex (ISO 7029:2017): at each of
// eleven frequencies the median threshold and the spread above and below it, in dB HL, for whole
// years from 18 to 80. A group's percentiles and a level's place among them follow from these.
#pragma once

#include <cstdint>
#include <string>

const int32_t norm_youngest_age = 18;
const int32_t norm_oldest_age = 80;
// Above this age the standard's values at norm_less_certain_hz and above are informative only.
const int32_t norm_certain_up_to_age = 70;
const int32_t norm_less_certain_hz = 3000;

// The frequencies of the norms, k from 0 to 10: 125 to 8000 Hz, rising.
const int norm_frequency_count = 11;
uint16_t norm_frequency(int k);

// The sexes in the order of the audiogram window's choice. Not given takes the mean of the
// women's and the men's values.
enum NormSex { sex_not_given = 0, sex_female, sex_male };

// A group of people: an age from 18 to 80, or 0 for no group at all, and a NormSex.
struct AgeGroup {
    int32_t age;
    int sex;
};

// The thresholds of a group at one frequency: a normal distribution with its median and one
// standard deviation on the poorer side (above the median) and another on the better side.
struct ThresholdNorm {
    double median_db;
    double upper_spread_db;
    double lower_spread_db;
};

// The norm of `group` at `frequency`: false where the frequency is not one of the eleven or the
// group has no age from 18 to 80. For not given, the median and both spreads are the means of the
// women's and the men's, which makes every percentile the mean of theirs.
bool threshold_norm(const AgeGroup& group, int32_t frequency, ThresholdNorm* norm);

// The level in dB HL z spreads above the median (below it for a negative z), on the spread of that
// side. At norm_z_90 that is the 90th percentile, which 9 in 10 of the group do not exceed; at
// -norm_z_90 the 10th.
const double norm_z_90 = 1.2816;
double norm_level(const ThresholdNorm& norm, double z);

// The share of the group that hears better than `level_db`, whose threshold lies below it, in
// whole percent from 1 to 99: 50 at the median, 10 and 90 at those percentiles.
int32_t norm_percentile(const ThresholdNorm& norm, double level_db);

// The age in whole years from text typed for it, with blanks around it allowed; false for
// anything else ("17", "81", "abc", "55.5", "").
bool read_age(const std::string& text, int32_t* age);
