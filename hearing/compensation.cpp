// The half-gain compensation of hearing levels.
#include "hearing/compensation.h"

#include <algorithm>

namespace {

// Half of each counted level above 0 dB HL, else 0.
std::vector<EqualizerGain> half_gains(const std::vector<PointLevel>& levels) {
    std::vector<EqualizerGain> gains;
    for (const PointLevel& point : levels) {
        if (point.counts) {
            gains.push_back({point.frequency_hz, point.level_db > 0 ? point.level_db / 2.0 : 0.0});
        }
    }
    return gains;
}

} // namespace

bool compensate(const std::vector<PointLevel>& right, const std::vector<PointLevel>& left, int ears,
                Compensation* gains) {
    *gains = {};
    if (ears != compensate_left) {
        gains->right = half_gains(right);
    }
    if (ears != compensate_right) {
        gains->left = half_gains(left);
    }
    bool usable = ears == compensate_right  ? !gains->right.empty()
                  : ears == compensate_left ? !gains->left.empty()
                                            : !gains->right.empty() && !gains->left.empty();
    if (!usable) {
        *gains = {};
        return false;
    }
    double highest = 0;
    for (const auto* ear : {&gains->right, &gains->left}) {
        for (const EqualizerGain& gain : *ear) {
            highest = std::max(highest, gain.gain_db);
        }
    }
    for (auto* ear : {&gains->right, &gains->left}) {
        for (EqualizerGain& gain : *ear) {
            gains->limited = gains->limited || gain.gain_db - highest < -compensation_cut_limit_db;
            gain.gain_db = std::max(gain.gain_db - highest, -compensation_cut_limit_db);
        }
    }
    return true;
}

bool compensate_set(const CurveSet& main_set, const CurveSet& reference, int ears,
                    Compensation* gains) {
    return compensate(curve_hearing_levels(main_set, reference, right_ear_curve),
                      curve_hearing_levels(main_set, reference, left_ear_curve), ears, gains);
}
