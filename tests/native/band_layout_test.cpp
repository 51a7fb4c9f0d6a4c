// The band above the graph at client widths from wider than the template to much narrower.
#include "app/band_layout.h"

#include <gtest/gtest.h>

TEST(BandLayout, ControlsKeepTheTemplateWhereItFitsAndStayInsideWhereNot) {
    // The template's visible controls in dialog units (x, y, width, height), at 120 dpi's
    // 9 / 4 pixels a unit: the band is 1800 pixels wide, its margins 9 at the left and 95 right.
    const int units[band_control_count][4] = {
        {4, 4, 26, 14},    {34, 4, 24, 14},    {62, 4, 26, 14},   {4, 22, 50, 14},
        {58, 22, 30, 14},  {108, 4, 50, 14},   {108, 22, 50, 14}, {162, 4, 50, 14},
        {162, 22, 50, 14}, {232, 4, 30, 14},   {266, 4, 30, 14},  {300, 4, 30, 14},
        {232, 22, 98, 14}, {350, 4, 112, 300}, {350, 22, 54, 14}, {408, 22, 54, 14},
        {466, 22, 54, 14}, {466, 4, 54, 14},   {538, 4, 80, 14},  {538, 23, 80, 100},
        {638, 4, 120, 36}};
    BandControl band[band_control_count];
    for (int i = 0; i < band_control_count; ++i) {
        const int* u = units[i];
        band[i] = {i, {u[0] * 9 / 4, u[1] * 9 / 4, (u[0] + u[2]) * 9 / 4, (u[1] + u[3]) * 9 / 4}};
    }
    const struct {
        const char* what;
        int32_t client_width;
        bool moved, narrowed;
    } cases[] = {{"wider", 2000, false, false},
                 {"equal", 1800, false, false},
                 {"narrower by less than the right margin", 1720, false, false},
                 {"narrower: the gaps close up", 1560, true, false},
                 {"120 dpi on 1366 x 768", 1358, true, true},
                 {"much narrower", 700, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        BandControl laid_out[band_control_count];
        lay_out_band(band, laid_out, band_control_count, 1800, c.client_width);
        bool moved = false;
        bool narrowed = false;
        for (int i = 0; i < band_control_count; ++i) {
            const RECT &from = band[i].rect, &to = laid_out[i].rect;
            EXPECT_EQ(i, laid_out[i].id);
            EXPECT_EQ(from.top, to.top) << "control " << i;
            EXPECT_EQ(from.bottom, to.bottom) << "control " << i;
            EXPECT_GE(to.left, 9) << "control " << i;
            EXPECT_LE(to.right, c.client_width - 9) << "control " << i;
            EXPECT_LE(to.right - to.left, from.right - from.left) << "control " << i;
            moved |= to.left != from.left;
            narrowed |= to.right - to.left < from.right - from.left;
            for (int j = 0; j < band_control_count; ++j) {
                if (from.right <= band[j].rect.left) {
                    EXPECT_LE(to.right, laid_out[j].rect.left) << "controls " << i << ", " << j;
                }
            }
        }
        EXPECT_EQ(c.moved, moved);
        EXPECT_EQ(c.narrowed, narrowed);
    }
}
