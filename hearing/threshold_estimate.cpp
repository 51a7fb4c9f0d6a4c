// The quick procedure's threshold searches at one frequency.
#include "hearing/threshold_estimate.h"

#include "hearing/test_verdict.h"
#include "hearing/threshold_search.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// The stop. An ear's own tones must bracket the mean of its distribution: one heard at most
// bracket_db above it, one missed at most bracket_db below, each allowed to lie bracket_slack_db on
// the other side; and the distribution must hold at least near_share within near_db of its mean
// and at most far_share beyond far_db. A search that reached the cap still has a threshold while
// its standard deviation is at most wide_spread_db. Measured on simulated listeners 10 dB wide with
// steps, notches and ears that differ, these shares give at least 95 % of thresholds within 5 dB
// and 99.5 % within 10 dB, also where the threshold steps from the neighbour's.
const double bracket_db = 8.0;
const double bracket_slack_db = 2.0;
const double near_db = 5.0;
const double near_share = 0.9;
const double far_db = 10.0;
const double far_share = 0.005;
const double wide_spread_db = 6.0;
// A later frequency: each ear's threshold is its nearest measured one plus a change common to both
// ears plus a deviation of its own. The common change is a few dB, or now and then anything (a
// step or a notch); the deviation is a few dB, or now and then anything (ears that differ). Shares
// of steps as large as these keep the stop honest where the threshold does step: measured on
// simulated listeners, half as large left 1.2 % of steep frequencies more than 10 dB off, against
// 0.6 %.
const double common_change_db = 4.0;
const double common_step_share = 0.2;
const double ear_deviation_db = 2.0;
const double ear_step_share = 0.1;
// The share of the distribution beyond an end of the playable levels that counts as most of it.
const double most = 0.5;
// How much the starting false-alarm rate weighs, in silent presentations, and the highest rate
// the model takes: above it answers would tell nothing about the tones.
const double false_alarm_weight = 20.0;
const double false_alarm_limit = 0.5;
const int playable_count = test_level_ceiling_db - test_level_floor_db + 1;
// P(heard) depends on the level and the threshold only through their difference, which runs from
// the floor of the playable levels minus the top of the grid to the ceiling minus the grid's foot.
const int32_t difference_min = test_level_floor_db - estimate_ceiling_db;
const int difference_count = test_level_ceiling_db - estimate_floor_db - difference_min + 1;
const double pi = 3.14159265358979323846;

double grid_db(int i) {
    return double(estimate_floor_db + i);
}

int grid_index(int32_t level_db) {
    return level_db - estimate_floor_db;
}

void normalise(double* p) {
    double sum = 0.0;
    for (int i = 0; i < estimate_grid_count; ++i) {
        sum += p[i];
    }
    for (int i = 0; i < estimate_grid_count; ++i) {
        p[i] /= sum;
    }
}

double normal_density(double x, double spread) {
    double z = x / spread;
    return std::exp(-0.5 * z * z) / (spread * std::sqrt(2.0 * pi));
}

// The density of two normal deviations with the common variance shared and each one's own on top.
double pair_density(double x, double y, double shared, double own) {
    double a = shared * shared + own * own, b = shared * shared;
    double det = a * a - b * b;
    return std::exp(-0.5 * (a * x * x - 2.0 * b * x * y + a * y * y) / det) /
           (2.0 * pi * std::sqrt(det));
}

// The joint distribution of the two thresholds before any answer: around predicted[0] and
// predicted[1], with common_share of the common change anywhere (1 where nothing predicts them).
void set_prior(HearingTest* test, const double* predicted, double common_share) {
    const double flat = 1.0 / estimate_grid_count;
    const double ws = common_share, wd = ear_step_share;
    const double ear_alone =
        std::sqrt(common_change_db * common_change_db + ear_deviation_db * ear_deviation_db);
    for (int i = 0; i < estimate_grid_count; ++i) {
        double x = grid_db(i) - predicted[0];
        double gx = (1.0 - ws) * normal_density(x, ear_alone) + ws * flat;
        for (int j = 0; j < estimate_grid_count; ++j) {
            double y = grid_db(j) - predicted[1];
            double gy = (1.0 - ws) * normal_density(y, ear_alone) + ws * flat;
            double alike =
                (ws < 1.0 ? (1.0 - ws) * pair_density(x, y, common_change_db, ear_deviation_db)
                          : 0.0) +
                ws * normal_density(x - y, std::sqrt(2.0) * ear_deviation_db) * flat;
            test->joint[i][j] = (1.0 - wd) * (1.0 - wd) * alike +
                                (1.0 - wd) * wd * (gx + gy) * flat + wd * wd * flat * flat;
        }
    }
}

// The chance of an answer to a tone at level_db from a listener whose threshold lies at grid
// point i, from the table of fill_chances.
double chance_at(const double* chance, int32_t level_db, int i) {
    return chance[level_db - (estimate_floor_db + i) - difference_min];
}

// The chance of an answer for every difference of level and threshold.
void fill_chances(double false_alarm_rate, double* chance) {
    for (int d = 0; d < difference_count; ++d) {
        chance[d] = heard_chance(double(difference_min + d), 0.0, false_alarm_rate,
                                 estimate_lapse_rate, estimate_width_db);
    }
}

// Normalises the joint distribution and gives each search its ear's part of it.
void share_out(HearingTest* test) {
    double sum = 0.0;
    for (auto& row : test->joint) {
        for (double p : row) {
            sum += p;
        }
    }
    double* first = test->searches[0].probability;
    double* second = test->searches[1].probability;
    std::fill(second, second + estimate_grid_count, 0.0);
    for (int i = 0; i < estimate_grid_count; ++i) {
        first[i] = 0.0;
        for (int j = 0; j < estimate_grid_count; ++j) {
            double p = test->joint[i][j] / sum;
            test->joint[i][j] = p;
            first[i] += p;
            second[j] += p;
        }
    }
}

double entropy(const double* p) {
    double h = 0.0;
    for (int i = 0; i < estimate_grid_count; ++i) {
        if (p[i] > 0.0) {
            h -= p[i] * std::log(p[i]);
        }
    }
    return h;
}

double mean_of(const double* p) {
    double mean = 0.0;
    for (int i = 0; i < estimate_grid_count; ++i) {
        mean += p[i] * grid_db(i);
    }
    return mean;
}

double spread_of(const double* p) {
    double mean = mean_of(p), variance = 0.0;
    for (int i = 0; i < estimate_grid_count; ++i) {
        double d = grid_db(i) - mean;
        variance += p[i] * d * d;
    }
    return std::sqrt(variance);
}

// The distribution after the answer heard (or not) to a tone at level_db.
void update(const double* p, int32_t level_db, bool heard, const double* chance, double* out) {
    for (int i = 0; i < estimate_grid_count; ++i) {
        double c = chance_at(chance, level_db, i);
        out[i] = p[i] * (heard ? c : 1.0 - c);
    }
    normalise(out);
}

// The playable level whose answer leaves the least entropy expected.
int32_t most_telling_level(const double* p, const double* chance) {
    int32_t best_level = test_level_ceiling_db;
    double best = HUGE_VAL;
    double after_yes[estimate_grid_count], after_no[estimate_grid_count];
    for (int k = 0; k < playable_count; ++k) {
        int32_t level = test_level_floor_db + k;
        double yes = 0.0;
        for (int i = 0; i < estimate_grid_count; ++i) {
            yes += p[i] * chance_at(chance, level, i);
        }
        update(p, level, true, chance, after_yes);
        update(p, level, false, chance, after_no);
        double expected = yes * entropy(after_yes) + (1.0 - yes) * entropy(after_no);
        if (expected < best) {
            best = expected;
            best_level = level;
        }
    }
    return best_level;
}

double mass_within(const double* p, int32_t from_db, int32_t to_db) {
    double sum = 0.0;
    for (int i = std::max(grid_index(from_db), 0);
         i <= std::min(grid_index(to_db), estimate_grid_count - 1); ++i) {
        sum += p[i];
    }
    return sum;
}

// Whether the search's own tones bracket level_db: one heard not far above it, one missed not far
// below.
bool bracketed(const ThresholdSearch& search, double level_db) {
    bool heard_above = false, missed_below = false;
    for (int t = 0; t < search.presentations; ++t) {
        double d = search.tone_levels_db[t] - level_db;
        if (search.tones_heard[t]) {
            heard_above = heard_above || (d >= -bracket_slack_db && d <= bracket_db);
        } else {
            missed_below = missed_below || (d <= bracket_slack_db && d >= -bracket_db);
        }
    }
    return heard_above && missed_below;
}

// The estimate of the step measured for the ear of channel_mask whose frequency lies nearest (on
// the octave scale) to frequency_hz; the later of two as near. False when none was.
bool nearest_estimate(const HearingTest& test, int32_t channel_mask, uint16_t frequency_hz,
                      double* estimate_db) {
    bool found = false;
    double distance = HUGE_VAL;
    double own = std::log(double(frequency_hz));
    for (int i = 0; i < test.step_count; ++i) {
        const StepResult& r = test.steps[i];
        if (r.outcome == search_running || r.channel_mask != channel_mask) {
            continue;
        }
        double d = std::fabs(std::log(double(r.frequency_hz)) - own);
        if (d <= distance) {
            distance = d;
            found = true;
            *estimate_db = r.estimate_db;
        }
    }
    return found;
}

void end_estimate(ThresholdSearch* search, SearchOutcome outcome, int32_t threshold_db) {
    search->outcome = outcome;
    search->threshold_db = threshold_db;
}

// The share of p within distance_db of mean_db.
double mass_around(const double* p, double mean_db, double distance_db) {
    return mass_within(p, int32_t(std::ceil(mean_db - distance_db)),
                       int32_t(std::floor(mean_db + distance_db)));
}

void decide(ThresholdSearch* search, const double* chance) {
    const double* p = search->probability;
    bool above = mass_within(p, test_level_ceiling_db + 1, estimate_ceiling_db) > most;
    bool below = mass_within(p, estimate_floor_db, test_level_floor_db - 1) > most;
    if (above && search->misses_at_ceiling >= limit_repeats) {
        end_estimate(search, search_no_response, 0);
        return;
    }
    if (below && search->answers_at_floor >= limit_repeats) {
        end_estimate(search, search_threshold, test_level_floor_db);
        return;
    }
    double mean = mean_of(p);
    int32_t threshold = int32_t(std::lround(mean));
    bool settled = !above && !below && bracketed(*search, mean) &&
                   mass_around(p, mean, near_db) >= near_share &&
                   1.0 - mass_around(p, mean, far_db) <= far_share;
    if (search->presentations >= estimate_tone_cap) {
        if (above || below || spread_of(p) > wide_spread_db) {
            end_estimate(search, search_undetermined, 0);
            return;
        }
        settled = true;
    }
    if (settled) {
        end_estimate(search, search_threshold,
                     std::min(std::max(threshold, test_level_floor_db), test_level_ceiling_db));
        return;
    }
    search->level_db = most_telling_level(p, chance);
}

} // namespace

double heard_chance(double level_db, double threshold_db, double false_alarm_rate,
                    double lapse_rate, double width_db) {
    // The logistic 1 / (1 + exp(-x / s)) is 5 % at x = -s ln 19 and 95 % at s ln 19.
    double s = width_db / (2.0 * std::log(19.0));
    return false_alarm_rate +
           (1.0 - false_alarm_rate - lapse_rate) / (1.0 + std::exp(-(level_db - threshold_db) / s));
}

double false_alarm_estimate(const HearingTest& test) {
    double outside = double(test.false_alarms - test.catch_answers);
    double rate = (estimate_false_alarm_rate * false_alarm_weight + test.false_alarms) /
                  (false_alarm_weight + test.catch_trials + outside);
    return std::min(rate, false_alarm_limit);
}

void begin_estimates(HearingTest* test) {
    double predicted[test_ear_capacity] = {};
    // The retest starts afresh, so that it measures how well the first result repeats.
    bool near = !is_retest(*test, test->frequency * test->ear_count);
    uint16_t frequency_hz = test->steps[test->frequency * test->ear_count].frequency_hz;
    for (int k = 0; k < test_ear_capacity; ++k) {
        // With one ear tested, the second is the other ear, predicted like the first.
        int32_t ear =
            k < test->ear_count ? test->searches[k].channel_mask : test->searches[0].channel_mask;
        near = near && nearest_estimate(*test, ear, frequency_hz, &predicted[k]);
    }
    if (near) {
        set_prior(test, predicted, common_step_share);
    } else {
        predicted[0] = predicted[1] = 0.0;
        set_prior(test, predicted, 1.0);
    }
    share_out(test);
    double chance[difference_count];
    fill_chances(false_alarm_estimate(*test), chance);
    for (int k = 0; k < test->ear_count; ++k) {
        ThresholdSearch* search = &test->searches[k];
        search->level_db = most_telling_level(search->probability, chance);
    }
}

void record_estimate_answer(HearingTest* test, int search, bool heard) {
    ThresholdSearch* answered = &test->searches[search];
    if (answered->outcome != search_running) {
        return;
    }
    ++answered->presentations;
    int32_t level = answered->level_db;
    if (!heard && level == test_level_ceiling_db) {
        ++answered->misses_at_ceiling;
    }
    if (heard && level == test_level_floor_db) {
        ++answered->answers_at_floor;
    }
    double chance[difference_count];
    fill_chances(false_alarm_estimate(*test), chance);
    for (int i = 0; i < estimate_grid_count; ++i) {
        for (int j = 0; j < estimate_grid_count; ++j) {
            double c = chance_at(chance, level, search == 0 ? i : j);
            test->joint[i][j] *= heard ? c : 1.0 - c;
        }
    }
    share_out(test);
    for (int k = 0; k < test->ear_count; ++k) {
        if (test->searches[k].outcome == search_running) {
            decide(&test->searches[k], chance);
        }
    }
}

double estimate_mean_db(const ThresholdSearch& search) {
    return mean_of(search.probability);
}

double estimate_spread_db(const ThresholdSearch& search) {
    return spread_of(search.probability);
}
