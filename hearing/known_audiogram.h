// A known audiogram, typed in from a clinic's or pasted: whole dB HL of each ear at the grid's
// frequencies. It gives the half-gain equalizer directly, and together with the same person's
// thresholds on these headphones (the main set's red and blue curves) a reference for them: the
// reference level at a frequency is the measured level less the known hearing level.
#pragma once

#include "core/app_state.h"
#include "hearing/hearing_level.h"

#include <cstdint>
#include <string>
#include <vector>

// The grid's rows, rising.
extern const uint16_t known_frequencies_hz[known_frequency_count];
// What a level field accepts, in dB HL.
const int32_t known_lowest_db = -10;
const int32_t known_highest_db = 120;

enum KnownField { field_empty, field_level, field_not_a_level };

// A field's text: empty or blanks only (not measured), or a whole number from known_lowest_db to
// known_highest_db with blanks around it and a "+" or "-" sign allowed; anything else is no level.
KnownField read_known_field(const char* text, int32_t* level_db);

// The levels typed for each ear (known_right_ear, known_left_ear) as points of hearing level,
// rising, index the grid's row, every one counting: the compensation reads them as it reads the
// levels of a set against a reference.
struct KnownLevels {
    std::vector<PointLevel> ears[known_ear_count];
};

// Reads every field. False at the first field that holds no level, the right ear's column top to
// bottom before the left's, as the keyboard moves through them; its row and ear go to *bad_row
// and *bad_ear.
bool read_known_levels(const KnownAudiogramFields& fields, KnownLevels* levels, int* bad_row,
                       int* bad_ear);

// No more frequencies the grid lacks are named than this.
const int named_not_taken = 12;

struct PastedRows {
    int taken; // rows of the grid that the text filled
    // Frequencies of rows the grid lacks, each once in the order they came, as written.
    std::vector<std::string> not_taken;
    bool more_not_taken; // further ones that were not named
};

// Fills the grid from pasted text: lines (CR LF or LF) of a frequency followed by the right ear's
// and the left ear's level. A line that holds a tab is split at its tabs, else at its ";", else at
// its ",", else at its runs of blanks; blanks around a cell go. A line whose first cell is not a
// whole number is skipped. The first row of a grid frequency fills that row with its cells as
// they stand (an empty or missing cell empties its field; a cell too long for a field is cut and
// ends in "...", which no level does); rows the grid has not in the text are emptied. When no
// line has a grid frequency, the fields stay as they were.
PastedRows paste_known_levels(const std::string& text, KnownAudiogramFields* fields);

// Why a typed level is not in the reference.
enum LeftOutReason { left_out_no_threshold, left_out_too_quiet, left_out_too_loud };

struct LeftOut {
    int ear;
    uint16_t frequency_hz;
    LeftOutReason reason;
};

struct KnownReference {
    CurveSet set;                  // the right ear's curve red, the left's blue, falling frequency
    int held[known_ear_count];     // frequencies each ear's curve holds
    std::vector<LeftOut> left_out; // the right ear's first, rising
};

// The reference from the typed levels and the thresholds in the main set (red right, blue left).
// At each typed frequency where the ear's curve has a counted point (counted_points) at exactly
// that frequency, the reference level is the point's level in dBFS less the typed level, stored
// as stored_amplitude stores it; a frequency without such a point, or whose reference level no
// amplitude can hold, is left out with its reason.
KnownReference make_known_reference(const KnownLevels& levels, const CurveSet& main_set);
