// The search for a hearing threshold at one frequency, from the listener's answers alone: after an
// answer the next tone is 10 dB lower, after a miss 5 dB higher, and the threshold is the lowest
// level answered on two of at most three ascending tones (tones that follow a miss); a level whose
// three ascents gave fewer answers sends the next tone 10 dB up and is counted anew. Levels stay on
// the 5 dB grid from -80 to -5 dBFS.
#pragma once

#include "core/hearing_test_state.h"

// The level every search but the first begins at, and the familiarisation too.
const int32_t search_start_db = -20;
// Misses at the ceiling that end a search with no response, and answers at the floor that give
// the floor as threshold.
const int32_t limit_repeats = 2;

// Begins a search at search_start_db. With familiarise, the first tones find a comfortable level
// first: 20 dB down after each answer until a miss, then 10 dB up until an answer (20 dB after a
// first tone missed); the search proper then begins 10 dB below that answer.
void begin_search(ThresholdSearch* search, bool familiarise);

// Takes the answer to a tone at search->level_db and sets the level of the next tone, or the
// outcome: a threshold; no response (missed twice at -5 dBFS); undetermined (30 tones without a
// threshold). Answered twice at -80 dBFS, the threshold is -80. Does nothing once ended.
void record_answer(ThresholdSearch* search, bool heard);
