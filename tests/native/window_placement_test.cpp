// The main window starts inside the work area: unchanged where it fits, else moved in and shrunk.
#include "app/window_placement.h"

#include <gtest/gtest.h>

#include <array>

TEST(WindowPlacement, AWindowIsMovedAndShrunkIntoTheWorkAreaOnlyWhereItLeavesIt) {
    const RECT screen = {0, 0, 1920, 1080};
    const RECT second = {1920, -200, 3286, 568}; // a 1366 x 768 monitor right of the first
    const struct {
        const char* what;
        RECT window, work_area, fitted;
    } cases[] = {
        {"inside", {30, 32, 1408, 771}, screen, {30, 32, 1408, 771}},
        {"too wide", {30, 32, 1964, 771}, screen, {0, 32, 1920, 771}},
        {"too high", {30, 32, 1408, 1132}, screen, {30, 0, 1408, 1080}},
        {"both", {45, 48, 2113, 1157}, screen, {0, 0, 1920, 1080}},
        {"left of and above it", {-100, -50, 500, 400}, screen, {0, 0, 600, 450}},
        {"second monitor, too wide and low", {1950, 0, 3328, 739}, second, {1920, -171, 3286, 568}},
    };
    auto corners = [](const RECT& r) {
        return std::array<long, 4>{r.left, r.top, r.right, r.bottom};
    };
    for (const auto& c : cases) {
        EXPECT_EQ(corners(c.fitted), corners(fit_into_work_area(c.window, c.work_area))) << c.what;
    }
}
