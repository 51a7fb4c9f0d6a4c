// The tone's frequency and level from the pointer, and the readout line.
#include "editing/pointer.h"

#include "core/app_state.h"
#include "graph/scales.h"
#include "resources/resource_ids.h"

#include <cstdio>

namespace {

const double loudest = 32767.0; // the largest amplitude ever played

// Field rows 0 to 3 are not taken: the first accepted row lies this far below the band.
const int first_row_gap = 10;
// Rows up to this far below the band plus the field height are taken (the last field row).
const int last_row_gap = 5;

} // namespace

uint16_t column_frequency(uint16_t x) {
    int32_t width = app.graph_rect.right;
    return static_cast<uint16_t>(x_to_hz(x + app.x_offset, width + app.x_offset));
}

bool take_pointer_move(uint16_t x, uint16_t y, bool keys_held, std::string* readout) {
    int32_t band = app.top_band_height;
    int32_t width = app.graph_rect.right;
    int32_t height = app.graph_rect.bottom;
    if (y < band + first_row_gap || y > band + height + last_row_gap || x > width) {
        return false;
    }
    app.tone.amplitude = y_to_amplitude(y - band - band_gap, height);
    if (!keys_held) {
        app.tone.frequency_hz = column_frequency(x);
    }
    double level = amplitude_to_db(app.tone.amplitude);
    *readout = readout_text(app.tone.frequency_hz, level, app.a_weighting != 0);

    // The gain at 0 Hz is -infinity, which would turn any row into full scale. A tone has 0 Hz
    // only between a release and the next move without keys; it keeps the row's level then.
    if (app.a_weighting != 0 && app.tone.frequency_hz != 0) {
        double amplitude = db_to_amplitude(level - a_weighting_db(app.tone.frequency_hz));
        app.tone.amplitude = amplitude > loudest ? loudest : amplitude;
    }
    return true;
}

std::string readout_text(int32_t frequency, double level_db, bool a_weighted) {
    char text[64];
    std::snprintf(text, sizeof text, "     %d Hz / %.1f %s       ", static_cast<int>(frequency),
                  level_db, a_weighted ? "dB(A)" : "dB");
    return text;
}
