// The rules of a curve: its points stay in order of falling frequency, at most 100 of them; the
// mouse records the tone as a point and deletes the point under the pointer.
#pragma once

#include "core/app_state.h"

#include <cstdint>

// Inserts (frequency, amplitude) into curve c of set before the first point whose frequency is
// less than or equal to it, so a newer point stands before an older one of equal frequency.
// Returns false and changes nothing when the curve is full.
bool insert_curve_point(CurveSet* set, int c, uint16_t frequency, uint16_t amplitude);

// The amplitude a curve point stores for a played amplitude (0 to 32767): truncated to 16 bits.
uint16_t curve_amplitude(double amplitude);

// Removes point i of curve c; the later points move down one place.
void delete_curve_point(CurveSet* set, int c, int i);

// Records the tone as a point of the current curve of the main set: its frequency and its
// amplitude truncated to 16 bits (unweighted, as played). A tone of 0 Hz is no point: no move
// or press gave it a frequency, and such a point could never be seen, reached or saved while it
// took one of the curve's places. Returns false and records nothing then, and when the curve is
// full.
bool insert_point();

// A point is in reach of the pointer when it lies less than this many pixels from it both
// across and up and down.
const int point_reach = 6;

// The index of the first point of the current curve of the main set that is in reach of field
// position (column, row), or -1. Positions are compared as unsigned 16-bit numbers, the points'
// positions included: a point left of the visible field (under the highs zoom) has a column near
// 65535 and is out of reach of every pointer inside the field.
int find_point_near(uint16_t column, uint16_t row);

// Deletes the point that find_point_near finds; returns whether there was one.
bool delete_point_near(uint16_t column, uint16_t row);
