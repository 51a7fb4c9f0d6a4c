// The band above the graph at client widths from wider than the template to much narrower.
#include "app/band_layout.h"

#include <gtest/gtest.h>

#include <string>

TEST(BandLayout, ControlsKeepTheTemplateWhereItFitsAndStayInsideWhereNot) {
    // A band 1000 pixels wide of three columns (two buttons over a third, a list, the legend),
    // 40 pixels apart, with margins of 10 at the left and 100 at the right.
    const BandControl band[] = {{1, {10, 5, 60, 30}},
                                {2, {70, 5, 120, 30}},
                                {3, {10, 35, 120, 60}},
                                {4, {160, 5, 400, 300}},
                                {5, {440, 5, 900, 60}}};
    // Client widths: wider, equal, narrower by less than the right margin can give, narrower
    // by less than it and the gaps can give, narrower, much narrower.
    const struct {
        int32_t client_width;
        bool moved, narrowed;
    } cases[] = {{1200, 0, 0}, {1000, 0, 0}, {920, 0, 0}, {870, 1, 0}, {700, 1, 1}, {300, 1, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE("client width " + std::to_string(c.client_width));
        BandControl laid_out[5];
        lay_out_band(band, laid_out, 5, 1000, c.client_width);
        bool moved = false, narrowed = false;
        for (int i = 0; i < 5; ++i) {
            const RECT &from = band[i].rect, &to = laid_out[i].rect;
            EXPECT_TRUE(to.left >= 10 && to.right <= c.client_width - 10) << "control " << i;
            moved |= to.left != from.left;
            narrowed |= to.right - to.left < from.right - from.left;
            for (int j = 0; j < 5; ++j) {
                if (from.right <= band[j].rect.left) {
                    EXPECT_LE(to.right, laid_out[j].rect.left) << "controls " << i << ", " << j;
                }
            }
        }
        EXPECT_EQ(c.moved, moved);
        EXPECT_EQ(c.narrowed, narrowed);
    }
}
