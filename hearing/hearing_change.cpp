// The change of hearing since an earlier test and its criteria.
#include "hearing/hearing_change.h"

#include <cstdlib>

const uint16_t shift_frequencies_hz[shift_frequency_count] = {2000, 3000, 4000};

EarChange ear_change(const std::vector<PointLevel>& changes) {
    EarChange change = {};
    change.shift = average_at(changes, shift_frequencies_hz, shift_frequency_count);
    change.significant_shift = change.shift.has_levels && change.shift.missing_count == 0 &&
                               change.shift.average_db >= threshold_shift_db;
    std::vector<PointLevel> counted;
    for (const PointLevel& point : changes) {
        if (point.counts) {
            counted.push_back(point);
        }
    }
    bool within = true;
    for (size_t k = 0; k < counted.size(); ++k) {
        int32_t db = counted[k].level_db;
        if (db >= one_frequency_change_db) {
            change.by_one_hz.push_back(counted[k].frequency_hz);
        }
        bool before = k > 0 && counted[k - 1].level_db >= adjacent_change_db;
        bool after = k + 1 < counted.size() && counted[k + 1].level_db >= adjacent_change_db;
        if (db >= adjacent_change_db && (before || after)) {
            change.by_adjacent_hz.push_back(counted[k].frequency_hz);
        }
        within = within && std::abs(db) <= repeatability_db;
        change.improved = change.improved || db <= -improvement_note_db;
    }
    change.within_repeatability = !counted.empty() && within && !change_matters(change);
    return change;
}

bool change_matters(const EarChange& change) {
    return change.significant_shift || !change.by_one_hz.empty() || !change.by_adjacent_hz.empty();
}
