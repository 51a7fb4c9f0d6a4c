// The rule of which point of a frequency counts.
#include "core/counted_points.h"

#include <algorithm>

std::vector<int> counted_points(const CurveSet& set, int curve) {
    std::vector<int> counted;
    for (int i = 0; i < set.count[curve]; ++i) {
        int frequency = set.freq_hz[curve][i];
        bool known = std::any_of(counted.begin(), counted.end(),
                                 [&](int k) { return set.freq_hz[curve][k] == frequency; });
        if (frequency != 0 && set.amplitude[curve][i] != 0 && !known) {
            counted.push_back(i);
        }
    }
    // Frequencies are unique by now, so the order is the same whatever the sort.
    std::sort(counted.begin(), counted.end(),
              [&](int a, int b) { return set.freq_hz[curve][a] < set.freq_hz[curve][b]; });
    return counted;
}
