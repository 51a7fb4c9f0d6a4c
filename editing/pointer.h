// What a pointer position on the main dialog means for the tone: the area where moves are
// taken, the frequency of a column, the level of a row, and the readout text. Positions are the
// dialog's client coordinates as the mouse messages carry them, unsigned 16-bit numbers: a
// position left of or above the dialog (while it holds the capture) reads near 65535.
#pragma once

#include <cstdint>
#include <string>

// The frequency played at dialog column x: x_to_hz on the whole axis, snapped while snap_hz is
// on.
uint16_t column_frequency(uint16_t x);

// Takes a pointer move. Outside the accepted area (field rows 0 to 3, the control band,
// anything right of or below the field) it changes nothing and returns false. Otherwise it sets
// the tone's amplitude from the row and, while no key or button is held, the tone's frequency
// from the column; fills readout with the frequency and the row's level; and returns true.
// With a_weighting on the row stands for an A-weighted level, and the tone gets the physical
// amplitude of that level at its frequency, at most 32767.
bool take_pointer_move(uint16_t x, uint16_t y, bool keys_held, std::string* readout);

// The readout line: "     1000 Hz / -40.0 dB       ", with the unit "dB(A)" when a_weighted.
std::string readout_text(int32_t frequency, double level_db, bool a_weighted);
