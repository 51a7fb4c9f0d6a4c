// Insertion and removal of curve points, keeping the order of falling frequency; the points the
// mouse records and deletes.
#include "editing/curve_rules.h"

#include "core/truncate.h"
#include "graph/field_layout.h"

#include <cstdlib>

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

uint16_t curve_amplitude(double amplitude) {
    // A played amplitude never exceeds 32767, so the truncated value fits 16 bits.
    return static_cast<uint16_t>(truncate_to_int(amplitude));
}

bool insert_point() {
    if (app.tone.frequency_hz == 0) {
        return false;
    }
    return insert_curve_point(&app.main_set, app.current_curve, app.tone.frequency_hz,
                              curve_amplitude(app.tone.amplitude));
}

int find_point_near(uint16_t column, uint16_t row) {
    int c = app.current_curve;
    for (int i = 0; i < app.main_set.count[c]; ++i) {
        FieldPoint point = curve_point_position(app.main_set, c, i);
        // Wrapped to 16 bits: a column left of the field lands near 65535, not below 0.
        uint16_t x = static_cast<uint16_t>(point.x);
        uint16_t y = static_cast<uint16_t>(point.y);
        if (std::abs(column - x) < point_reach && std::abs(row - y) < point_reach) {
            return i;
        }
    }
    return -1;
}

bool delete_point_near(uint16_t column, uint16_t row) {
    int i = find_point_near(column, row);
    if (i < 0) {
        return false;
    }
    delete_curve_point(&app.main_set, app.current_curve, i);
    return true;
}
