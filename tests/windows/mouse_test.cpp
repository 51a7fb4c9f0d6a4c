// The mouse on the frequency field of the running dialog, driven by the messages the platform
// sends: readout, tone while a button is held, points recorded by the right button and deleted
// by the middle one, mouse capture and the tone stream (ALSA's default device discards the
// sound under the test runner).
#include "tests/windows/support/import_patch.h"
#include "tests/windows/support/main_dialog_fixture.h"
#include "tests/windows/support/refresh_count.h"

#include "app/main_dialog.h"
#include "audio/tone_stream.h"
#include "core/dialog_requests.h"
#include "core/truncate.h"
#include "editing/curve_rules.h"
#include "editing/pointer.h"
#include "graph/field_layout.h"
#include "graph/render.h"
#include "graph/scales.h"
#include "resources/resource_ids.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const COLORREF readout_background = RGB(250, 250, 250);

// A mouse message with its key-state flags, at a dialog position.
struct Step {
    UINT message;
    WPARAM flags;
};

void send(HWND dialog, UINT message, WPARAM flags, int x, int y) {
    SendMessageA(dialog, message, flags, MAKELPARAM(x, y));
}

// The dialog row of field row r: the field lies 6 pixels below the control band.
int field_y(int r) {
    return app.top_band_height + band_gap + r;
}

// The first column that plays hz.
int column_of(uint16_t hz) {
    for (int x = 0; x <= app.graph_rect.right; ++x) {
        if (column_frequency(static_cast<uint16_t>(x)) == hz) {
            return x;
        }
    }
    ADD_FAILURE() << "no column plays " << hz << " Hz";
    return 0;
}

// The level in dB of field row r, as the readout shows it.
double row_level(int r) {
    return amplitude_to_db(y_to_amplitude(r, app.graph_rect.bottom));
}

bool sounding(HWND dialog) {
    return app.stream.wave_device != nullptr && GetCapture() == dialog;
}

bool idle() {
    return app.stream.wave_device == nullptr && GetCapture() == nullptr &&
           app.tone.frequency_hz == 0 && app.tone.amplitude == 0.0;
}

HGDIOBJ current_bitmap() {
    return GetCurrentObject(app.memory_dc, OBJ_BITMAP);
}

// The top-left corner of the readout in the off-screen picture.
POINT readout_corner() {
    return {app.graph_rect.right * 3 / 7, app.grid_y[level_grid_count - 1] - 24};
}

// The size the readout font gives text.
SIZE readout_extent(const std::string& text) {
    HFONT font = create_field_font(app.status_font_height);
    HGDIOBJ old_font = SelectObject(app.memory_dc, font);
    SIZE extent = {};
    GetTextExtentPoint32A(app.memory_dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(app.memory_dc, old_font);
    DeleteObject(font);
    return extent;
}

// Calls of the program to waveOutOpen and waveOutClose.
int opens = 0;
int closes = 0;
decltype(&waveOutOpen) real_open = nullptr;
decltype(&waveOutClose) real_close = nullptr;

MMRESULT WINAPI counted_open(LPHWAVEOUT device, UINT id, LPCWAVEFORMATEX format, DWORD_PTR callback,
                             DWORD_PTR instance, DWORD flags) {
    ++opens;
    return real_open(device, id, format, callback, instance, flags);
}

MMRESULT WINAPI counted_close(HWAVEOUT device) {
    ++closes;
    return real_close(device);
}

class MouseTest : public MainDialogTest {
  protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        // The real pointer stays away from the dialog: the platform's own moves would otherwise
        // reach it between the test's messages.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        set_graph_size(800, 400);
        pump_messages();
        count_refreshes(dialog);
    }
    void TearDown() override {
        tone_stream_close();
        ReleaseCapture();
        stop_counting_refreshes(dialog);
        MainDialogTest::TearDown();
    }

    // Sizes the dialog so that the graph's client area is width x height pixels.
    void set_graph_size(int width, int height) {
        ::set_graph_size(dialog, width, height);
        ASSERT_EQ(width, app.graph_rect.right);
        ASSERT_EQ(height, app.graph_rect.bottom);
    }

    // An empty main set, a tone as after a release, nothing unsaved, no refresh counted.
    void start_over() {
        for (int c = 0; c < curve_count; ++c) {
            app.main_set.count[c] = 0;
        }
        app.tone.frequency_hz = 0;
        app.tone.amplitude = 0.0;
        app.unsaved_changes = 0;
        count_refreshes(dialog);
    }
};

} // namespace

TEST_F(MouseTest, TheButtonLetGoLastEndsTheToneAndOnlyTheRightOneRecordsIt) {
    struct Case {
        const char* name;
        bool move_first; // an accepted move before the steps, at another column
        std::vector<Step> steps;
        std::vector<bool> sounding_after;
        int points;
        bool from_press; // the point has the frequency of the press column, not of the move
        int press_x = 500;
    };
    const Case cases[] = {
        {"right press, right release",
         true,
         {{WM_RBUTTONDOWN, MK_RBUTTON}, {WM_RBUTTONUP, 0}},
         {true, false},
         1,
         true},
        {"left press, left release",
         true,
         {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}},
         {true, false},
         0,
         false},
        {"right, left, left released, right released",
         true,
         {{WM_RBUTTONDOWN, MK_RBUTTON},
          {WM_LBUTTONDOWN, MK_LBUTTON | MK_RBUTTON},
          {WM_LBUTTONUP, MK_RBUTTON},
          {WM_RBUTTONUP, 0}},
         {true, true, true, false},
         1,
         true},
        {"left, right, right released, left released",
         true,
         {{WM_LBUTTONDOWN, MK_LBUTTON},
          {WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON},
          {WM_RBUTTONUP, MK_LBUTTON},
          {WM_LBUTTONUP, 0}},
         {true, true, true, false},
         0,
         false},
        {"right press while the middle button is held",
         true,
         {{WM_RBUTTONDOWN, MK_RBUTTON | MK_MBUTTON}, {WM_RBUTTONUP, MK_MBUTTON}},
         {false, false},
         1,
         false},
        {"right double click",
         true,
         {{WM_RBUTTONDBLCLK, MK_RBUTTON}, {WM_RBUTTONUP, 0}},
         {false, false},
         1,
         false},
        {"right release after a move, without a press",
         true,
         {{WM_RBUTTONUP, 0}},
         {false},
         1,
         false},
        {"right release with nothing since the last release",
         false,
         {{WM_RBUTTONUP, 0}},
         {false},
         0,
         false},
        {"right press on the field's last column",
         true,
         {{WM_RBUTTONDOWN, MK_RBUTTON}, {WM_RBUTTONUP, 0}},
         {true, false},
         1,
         true,
         800},
        {"right press beside the field",
         true,
         {{WM_RBUTTONDOWN, MK_RBUTTON}, {WM_RBUTTONUP, 0}},
         {false, false},
         0,
         false,
         801},
    };
    const int move_x = 300;
    const int row = 200;
    for (const Case& c : cases) {
        start_over();
        app.current_curve = 1;
        if (c.move_first) {
            send(dialog, WM_MOUSEMOVE, 0, move_x, field_y(row));
        }
        double amplitude = app.tone.amplitude;
        HGDIOBJ bitmap = current_bitmap();
        for (size_t i = 0; i < c.steps.size(); ++i) {
            send(dialog, c.steps[i].message, c.steps[i].flags, c.press_x, field_y(row + 50));
            EXPECT_EQ(c.sounding_after[i], sounding(dialog)) << c.name << ", step " << i;
        }
        EXPECT_TRUE(idle()) << c.name;
        ASSERT_EQ(c.points, app.main_set.count[1]) << c.name;
        EXPECT_EQ(c.points, refresh_count()) << c.name;
        EXPECT_EQ(c.points, app.unsaved_changes) << c.name;
        EXPECT_EQ(c.points == 1, current_bitmap() != bitmap) << c.name << ": a new picture";
        if (c.points == 1) {
            int x = c.from_press ? c.press_x : move_x;
            EXPECT_EQ(column_frequency(static_cast<uint16_t>(x)), app.main_set.freq_hz[1][0])
                << c.name;
            // The amplitude of the last move; the press and the release positions play no part.
            EXPECT_EQ(truncate_to_int(amplitude), app.main_set.amplitude[1][0]) << c.name;
        }
    }
}

TEST_F(MouseTest, MovesWhileAButtonIsHeldSetTheLevelOnlyInsideTheField) {
    start_over();
    send(dialog, WM_MOUSEMOVE, 0, 300, field_y(100));
    send(dialog, WM_RBUTTONDOWN, MK_RBUTTON, 500, field_y(100));
    uint16_t hz = column_frequency(500);
    ASSERT_EQ(hz, app.tone.frequency_hz);
    send(dialog, WM_MOUSEMOVE, MK_RBUTTON, 200, field_y(300));
    double held = app.tone.amplitude;
    EXPECT_EQ(hz, app.tone.frequency_hz);
    EXPECT_GT(held, 0.0);

    // Beyond the field, and beyond the dialog where the capture still brings the moves.
    const POINT outside[] = {{500, field_y(3)},  {500, field_y(400)}, {801, field_y(300)},
                             {-1, field_y(300)}, {500, -1},           {500, 5}};
    for (const POINT& p : outside) {
        send(dialog, WM_MOUSEMOVE, MK_RBUTTON, p.x, p.y);
        EXPECT_EQ(held, app.tone.amplitude) << p.x << ", " << p.y;
        EXPECT_EQ(hz, app.tone.frequency_hz) << p.x << ", " << p.y;
    }
    EXPECT_TRUE(sounding(dialog));
    send(dialog, WM_RBUTTONUP, 0, -1, -1);
    ASSERT_EQ(1, app.main_set.count[0]);
    EXPECT_EQ(hz, app.main_set.freq_hz[0][0]);
    EXPECT_EQ(truncate_to_int(held), app.main_set.amplitude[0][0]);
}

TEST_F(MouseTest, ShiftOrCtrlFreezeTheFrequencyWhileTheLevelFollows) {
    for (WPARAM key : {MK_SHIFT, MK_CONTROL}) {
        send(dialog, WM_MOUSEMOVE, 0, 300, field_y(100));
        uint16_t hz = app.tone.frequency_hz;
        double amplitude = app.tone.amplitude;
        send(dialog, WM_MOUSEMOVE, key, 600, field_y(300));
        EXPECT_EQ(hz, app.tone.frequency_hz) << "key " << key;
        EXPECT_GT(app.tone.amplitude, amplitude) << "key " << key;
        send(dialog, WM_MOUSEMOVE, 0, 600, field_y(300));
        EXPECT_EQ(column_frequency(600), app.tone.frequency_hz) << "key " << key;
    }
}

TEST_F(MouseTest, MovesOutsideTheAcceptedAreaChangeNothing) {
    send(dialog, WM_MOUSEMOVE, 0, 300, field_y(100));
    POINT corner = readout_corner();
    SIZE extent = readout_extent(readout_text(app.tone.frequency_hz, row_level(100), true));
    std::vector<COLORREF> line;
    for (int x = corner.x; x < corner.x + extent.cx; ++x) {
        line.push_back(GetPixel(app.memory_dc, x, corner.y + extent.cy / 2));
    }
    const POINT outside[] = {{600, field_y(3)},   {600, field_y(400)}, {801, field_y(200)},
                             {-1, field_y(200)},  {600, -1},           {600, 10},
                             {900, field_y(200)}, {600, field_y(500)}};
    for (const POINT& p : outside) {
        app.tone.frequency_hz = 1234;
        app.tone.amplitude = 777.0;
        send(dialog, WM_MOUSEMOVE, 0, p.x, p.y);
        EXPECT_EQ(1234, app.tone.frequency_hz) << p.x << ", " << p.y;
        EXPECT_EQ(777.0, app.tone.amplitude) << p.x << ", " << p.y;
        for (int x = corner.x; x < corner.x + extent.cx; ++x) {
            ASSERT_EQ(line[x - corner.x], GetPixel(app.memory_dc, x, corner.y + extent.cy / 2))
                << "readout redrawn by a move at " << p.x << ", " << p.y;
        }
    }
    EXPECT_EQ(0, refresh_count());
}

TEST_F(MouseTest, TheReadoutIsDrawnBelowTheLoudestLineAndShownAtOnce) {
    POINT corner = readout_corner();
    for (int a_weighting : {1, 0}) {
        app.a_weighting = a_weighting;
        request_refresh(dialog);
        ASSERT_NE(readout_background, GetPixel(app.memory_dc, corner.x, corner.y));

        send(dialog, WM_MOUSEMOVE, 0, 500, field_y(150));
        std::string text = readout_text(column_frequency(500), row_level(150), a_weighting != 0);
        SIZE extent = readout_extent(text);
        // The opaque background covers exactly the text's cell, blanks included.
        const POINT inside[] = {
            {0, 0}, {extent.cx - 1, 0}, {0, extent.cy - 1}, {extent.cx - 1, extent.cy - 1}};
        for (const POINT& p : inside) {
            EXPECT_EQ(readout_background, GetPixel(app.memory_dc, corner.x + p.x, corner.y + p.y))
                << text << " at " << p.x << ", " << p.y;
        }
        EXPECT_NE(readout_background, GetPixel(app.memory_dc, corner.x + extent.cx, corner.y))
            << text;
        EXPECT_NE(readout_background, GetPixel(app.memory_dc, corner.x, corner.y + extent.cy))
            << text;
        int black = 0;
        for (int y = corner.y; y < corner.y + extent.cy; ++y) {
            for (int x = corner.x; x < corner.x + extent.cx; ++x) {
                black += GetPixel(app.memory_dc, x, y) == RGB(0, 0, 0);
            }
        }
        EXPECT_GT(black, 0) << text;
        // The move asked for a paint, which copied the picture to the field.
        EXPECT_EQ(readout_background, GetPixel(app.graph_dc, corner.x + 1, corner.y + 1)) << text;
    }
    EXPECT_EQ(2, refresh_count()) << "a move never renders";

    // Recording a point renders the field anew, without the readout.
    send(dialog, WM_RBUTTONDOWN, MK_RBUTTON, 500, field_y(150));
    send(dialog, WM_RBUTTONUP, 0, 500, field_y(150));
    EXPECT_EQ(3, refresh_count());
    EXPECT_NE(readout_background, GetPixel(app.memory_dc, corner.x, corner.y));
}

TEST_F(MouseTest, AWeightedRowsPlayAndRecordThePhysicalAmplitude) {
    struct Case {
        const char* name;
        int a_weighting;
        uint16_t hz;
        int row;
        bool clamped;
        double louder_db; // the tone against the level of the row
    };
    const Case cases[] = {
        {"dB(A) at 50 Hz", 1, 50, 200, false, 30.266},
        {"dB(A) at 1000 Hz", 1, 1000, 200, false, 0.0},
        {"dB(A) at 50 Hz near full scale", 1, 50, 390, true, 0.0},
        {"dB at 50 Hz", 0, 50, 200, false, 0.0},
    };
    for (const Case& c : cases) {
        start_over();
        app.a_weighting = c.a_weighting;
        int x = column_of(c.hz);
        send(dialog, WM_MOUSEMOVE, 0, x, field_y(c.row));
        double played = app.tone.amplitude;
        if (c.clamped) {
            EXPECT_EQ(32767.0, played) << c.name;
        } else {
            EXPECT_NEAR(c.louder_db, amplitude_to_db(played) - row_level(c.row), 0.01) << c.name;
        }
        send(dialog, WM_RBUTTONDOWN, MK_RBUTTON, x, field_y(c.row));
        send(dialog, WM_RBUTTONUP, 0, x, field_y(c.row));
        ASSERT_EQ(1, app.main_set.count[0]) << c.name;
        EXPECT_EQ(truncate_to_int(played), app.main_set.amplitude[0][0]) << c.name;
    }
}

TEST_F(MouseTest, AKeyHeldRightAfterAReleaseLeavesTheNextToneAtTheRowsLevel) {
    // Frequency 0 between the release and the next move without keys: its A-weighting gain is
    // -infinity, which must not turn the row into full scale for the next press.
    app.a_weighting = 1;
    int x = column_of(50);
    send(dialog, WM_MOUSEMOVE, 0, x, field_y(200));
    send(dialog, WM_RBUTTONDOWN, MK_RBUTTON, x, field_y(200));
    send(dialog, WM_RBUTTONUP, 0, x, field_y(200));
    ASSERT_EQ(0, app.tone.frequency_hz);

    send(dialog, WM_MOUSEMOVE, MK_SHIFT, x, field_y(200));
    EXPECT_EQ(0, app.tone.frequency_hz);
    double level = y_to_amplitude(200, app.graph_rect.bottom);
    EXPECT_EQ(level, app.tone.amplitude);

    send(dialog, WM_LBUTTONDOWN, MK_LBUTTON, x, field_y(200));
    ASSERT_TRUE(sounding(dialog));
    int loudest = 0;
    for (int b = 0; b < block_count; ++b) {
        for (int s = 0; s < block_frames * 2; ++s) {
            loudest = std::max(loudest, std::abs(app.stream.sample_buffers[b][s]));
        }
    }
    EXPECT_GT(loudest, 0);
    EXPECT_LE(loudest, truncate_to_int(level));
    send(dialog, WM_LBUTTONUP, 0, x, field_y(200));
}

TEST_F(MouseTest, APressOverAStreamLeftOpenClosesItAndStartsTheNewTone) {
    real_open = reinterpret_cast<decltype(&waveOutOpen)>(
        replace_import("waveOutOpen", reinterpret_cast<void*>(counted_open)));
    real_close = reinterpret_cast<decltype(&waveOutClose)>(
        replace_import("waveOutClose", reinterpret_cast<void*>(counted_close)));
    ASSERT_NE(nullptr, real_open);
    ASSERT_NE(nullptr, real_close);
    opens = 0;
    closes = 0;

    send(dialog, WM_MOUSEMOVE, 0, 300, field_y(200));
    send(dialog, WM_RBUTTONDOWN, MK_RBUTTON, 300, field_y(200));
    // Another window takes the capture; the release goes there.
    ReleaseCapture();
    send(dialog, WM_LBUTTONDOWN, MK_LBUTTON, 600, field_y(200));
    EXPECT_EQ(2, opens);
    EXPECT_EQ(1, closes);
    EXPECT_TRUE(sounding(dialog));
    EXPECT_EQ(column_frequency(600), app.tone.frequency_hz);
    send(dialog, WM_LBUTTONUP, 0, 600, field_y(200));
    EXPECT_EQ(2, closes);
    EXPECT_TRUE(idle());
    EXPECT_EQ(0, app.main_set.count[0]);

    replace_import("waveOutOpen", reinterpret_cast<void*>(real_open));
    replace_import("waveOutClose", reinterpret_cast<void*>(real_close));
}

TEST_F(MouseTest, AFullCurveRecordsNothingAndKeepsTheFlag) {
    for (int unsaved : {0, 1}) {
        start_over();
        app.current_curve = 2;
        for (int i = 0; i < curve_capacity; ++i) {
            insert_curve_point(&app.main_set, 2, static_cast<uint16_t>(10000 - i), 100);
        }
        CurveSet before = app.main_set;
        app.unsaved_changes = unsaved;
        send(dialog, WM_MOUSEMOVE, 0, 700, field_y(200));
        send(dialog, WM_RBUTTONDOWN, MK_RBUTTON, 700, field_y(200));
        send(dialog, WM_RBUTTONUP, 0, 700, field_y(200));
        EXPECT_EQ(0, std::memcmp(&before, &app.main_set, sizeof before)) << "unsaved " << unsaved;
        EXPECT_EQ(unsaved, app.unsaved_changes);
        EXPECT_EQ(0, refresh_count()) << "unsaved " << unsaved;
        EXPECT_TRUE(idle()) << "unsaved " << unsaved;
    }
}

TEST_F(MouseTest, AMiddleReleaseDeletesAPointFromThreeLeftToSevenRightAndFiveRowsEachWay) {
    const int dxs[] = {-4, -3, 7, 8};
    const int dys[] = {-6, -5, 0, 5, 6};
    for (int dx : dxs) {
        for (int dy : dys) {
            start_over();
            insert_curve_point(&app.main_set, 0, 1000, 4096);
            request_refresh(dialog);
            count_refreshes(dialog);
            FieldPoint point = curve_point_position(app.main_set, 0, 0);
            send(dialog, WM_MBUTTONUP, 0, point.x + dx, field_y(point.y + dy));
            int deleted = dx >= -3 && dx <= 7 && std::abs(dy) <= 5 ? 1 : 0;
            EXPECT_EQ(1 - deleted, app.main_set.count[0]) << "dx " << dx << ", dy " << dy;
            EXPECT_EQ(deleted, refresh_count()) << "dx " << dx << ", dy " << dy;
            EXPECT_EQ(deleted, app.unsaved_changes) << "dx " << dx << ", dy " << dy;
        }
    }
}

TEST_F(MouseTest, AMiddleReleaseWhileOneButtonPlaysDeletesAndTheToneGoesOn) {
    struct Case {
        const char* name;
        std::vector<Step> presses;
        WPARAM held;
        bool deletes;
    };
    const Case cases[] = {
        {"right held", {{WM_RBUTTONDOWN, MK_RBUTTON}}, MK_RBUTTON, true},
        {"left held", {{WM_LBUTTONDOWN, MK_LBUTTON}}, MK_LBUTTON, true},
        {"both held",
         {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON}},
         MK_LBUTTON | MK_RBUTTON,
         false},
    };
    for (const Case& c : cases) {
        start_over();
        insert_curve_point(&app.main_set, 0, 1000, 4096);
        request_refresh(dialog);
        count_refreshes(dialog);
        FieldPoint point = curve_point_position(app.main_set, 0, 0);
        int x = point.x + 2;
        int y = field_y(point.y);
        send(dialog, WM_MOUSEMOVE, 0, x, y);
        for (const Step& press : c.presses) {
            send(dialog, press.message, press.flags, x, y);
        }
        uint16_t hz = app.tone.frequency_hz;
        double amplitude = app.tone.amplitude;

        send(dialog, WM_MBUTTONUP, c.held, x, y);
        EXPECT_EQ(c.deletes ? 0 : 1, app.main_set.count[0]) << c.name;
        EXPECT_EQ(c.deletes ? 1 : 0, refresh_count()) << c.name;
        EXPECT_EQ(c.deletes ? 1 : 0, app.unsaved_changes) << c.name;
        EXPECT_TRUE(sounding(dialog)) << c.name;
        EXPECT_EQ(hz, app.tone.frequency_hz) << c.name;
        EXPECT_EQ(amplitude, app.tone.amplitude) << c.name;

        // Let go with the left button last: no point is recorded.
        send(dialog, WM_RBUTTONUP, MK_LBUTTON, x, y);
        send(dialog, WM_LBUTTONUP, 0, x, y);
        EXPECT_TRUE(idle()) << c.name;
    }
}
