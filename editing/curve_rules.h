// The rules of a curve: its points stay in order of falling frequency, at most 100 of them.
#pragma once

#include "app/app_state.h"

// Inserts (frequency, amplitude) into curve c of set before the first point whose frequency is
// less than or equal to it, so a newer point stands before an older one of equal frequency.
// Returns false and changes nothing when the curve is full.
bool insert_curve_point(CurveSet* set, int c, uint16_t frequency, uint16_t amplitude);

// Removes point i of curve c; the later points move down one place.
void delete_curve_point(CurveSet* set, int c, int i);
