// Insertion and removal of curve points, keeping the order of falling frequency.
#include "editing/curve_rules.h"

bool insert_curve_point(CurveSet* set, int c, uint16_t frequency, uint16_t amplitude) {
    int n = set->count[c];
    if (n >= curve_capacity) {
        return false;
    }
    int i = 0;
    while (i < n && set->freq_hz[c][i] > frequency) {
        ++i;
    }
    for (int k = n; k > i; --k) {
        set->freq_hz[c][k] = set->freq_hz[c][k - 1];
        set->amplitude[c][k] = set->amplitude[c][k - 1];
    }
    set->freq_hz[c][i] = frequency;
    set->amplitude[c][i] = amplitude;
    set->count[c] = static_cast<uint16_t>(n + 1);
    return true;
}

void delete_curve_point(CurveSet* set, int c, int i) {
    int n = set->count[c];
    if (i < 0 || i >= n) {
        return;
    }
    for (int k = i; k + 1 < n; ++k) {
        set->freq_hz[c][k] = set->freq_hz[c][k + 1];
        set->amplitude[c][k] = set->amplitude[c][k + 1];
    }
    set->count[c] = static_cast<uint16_t>(n - 1);
}
