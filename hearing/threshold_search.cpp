// The threshold search at one frequency.
#include "hearing/threshold_search.h"

#include <algorithm>
#include <cstring>

namespace {

const int32_t familiarisation_descent_db = 20;
const int32_t familiarisation_ascent_db = 10;
const int32_t first_miss_ascent_db = 20;
const int32_t search_descent_db = 10;
const int32_t search_ascent_db = 5;
// After three ascents at a level gave fewer than two answers, the next tone is this much louder
// and that level's ascents are counted anew; the counts of the other levels stay.
const int32_t recount_ascent_db = 10;
const int ascents_per_level = 3;
const int answers_for_threshold = 2;

int32_t clamp_level(int32_t level_db) {
    return std::min(std::max(level_db, test_level_floor_db), test_level_ceiling_db);
}

int level_index(int32_t level_db) {
    return (level_db - test_level_floor_db) / test_level_step_db;
}

void end_search(ThresholdSearch* search, SearchOutcome outcome, int32_t threshold_db) {
    search->outcome = outcome;
    search->threshold_db = threshold_db;
}

void clear_ascents(ThresholdSearch* search) {
    std::memset(search->ascents, 0, sizeof search->ascents);
    std::memset(search->ascent_answers, 0, sizeof search->ascent_answers);
}

void familiarisation_step(ThresholdSearch* search, bool heard, bool first_tone) {
    int32_t level = search->level_db;
    if (!heard) {
        search->level_db =
            clamp_level(level + (first_tone ? first_miss_ascent_db : familiarisation_ascent_db));
        search->ascending = 1;
    } else if (search->ascending) {
        // The answer after a miss ends the familiarisation; the search starts below it.
        search->familiarising = 0;
        search->ascending = 0;
        search->level_db = clamp_level(level - search_descent_db);
        clear_ascents(search);
    } else {
        search->level_db = clamp_level(level - familiarisation_descent_db);
    }
}

void search_step(ThresholdSearch* search, bool heard) {
    int32_t level = search->level_db;
    if (search->ascending) {
        int i = level_index(level);
        ++search->ascents[i];
        search->ascent_answers[i] += heard ? 1 : 0;
        if (search->ascent_answers[i] >= answers_for_threshold) {
            end_search(search, search_threshold, level);
            return;
        }
        if (search->ascents[i] >= ascents_per_level) {
            search->ascents[i] = 0;
            search->ascent_answers[i] = 0;
            search->level_db = clamp_level(level + recount_ascent_db);
            search->ascending = heard ? 0 : 1;
            return;
        }
    }
    search->level_db = clamp_level(heard ? level - search_descent_db : level + search_ascent_db);
    search->ascending = heard ? 0 : 1;
}

} // namespace

void begin_search(ThresholdSearch* search, bool familiarise) {
    std::memset(search, 0, sizeof *search);
    search->level_db = search_start_db;
    search->familiarising = familiarise ? 1 : 0;
    search->first_tone = 1;
    search->outcome = search_running;
}

void record_answer(ThresholdSearch* search, bool heard) {
    if (search->outcome != search_running) {
        return;
    }
    int32_t level = search->level_db;
    bool first_tone = search->first_tone != 0;
    search->first_tone = 0;
    ++search->presentations;
    if (!heard && level == test_level_ceiling_db && ++search->misses_at_ceiling >= limit_repeats) {
        end_search(search, search_no_response, 0);
        return;
    }
    if (heard && level == test_level_floor_db && ++search->answers_at_floor >= limit_repeats) {
        end_search(search, search_threshold, test_level_floor_db);
        return;
    }
    if (search->familiarising) {
        familiarisation_step(search, heard, first_tone);
    } else {
        search_step(search, heard);
    }
    if (search->outcome == search_running && search->presentations >= search_presentation_limit) {
        end_search(search, search_undetermined, 0);
    }
}
