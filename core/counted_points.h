// Which points of a curve count where one point per frequency is wanted: the equalizer text, the
// hearing levels against a reference and the audiogram's text all read a curve through this rule.
#pragma once

#include "core/app_state.h"

#include <vector>

// The indices of the points of curve `curve` that count, in rising frequency: none of 0 Hz or of
// amplitude 0 (silent), and of the others with the same frequency only the first in stored order,
// which for points recorded by the mouse or the hearing test is the newest. A silent point never
// hides a later one of its frequency.
std::vector<int> counted_points(const CurveSet& set, int curve);
