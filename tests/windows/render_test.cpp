// The rendered frequency field, read back pixel by pixel from the off-screen picture after a
// refresh of the real main dialog: background, grid, labels, A-weighting curve, both curve sets;
// and the picture and the curves as the window menu copies them.
#include "tests/windows/support/main_dialog_fixture.h"

#include "app/main_dialog.h"
#include "core/dialog_requests.h"
#include "graph/field_layout.h"
#include "graph/render.h"
#include "resources/resource_ids.h"

#include <cwchar>
#include <set>
#include <string>
#include <vector>

namespace {

const COLORREF white = RGB(255, 255, 255);
const COLORREF grey = RGB(210, 210, 210);
const COLORREF black = RGB(0, 0, 0);

struct Palette {
    const char* name;
    COLORREF mark;
    COLORREF line;
};
const Palette main_colours[curve_count] = {
    {"main green", RGB(0, 80, 0), RGB(0, 140, 0)},
    {"main red", RGB(80, 0, 0), RGB(230, 0, 0)},
    {"main blue", RGB(0, 0, 80), RGB(0, 80, 200)},
};
const Palette compare_colours[curve_count] = {
    {"compare green", RGB(150, 220, 150), RGB(140, 245, 140)},
    {"compare red", RGB(220, 150, 150), RGB(255, 140, 140)},
    {"compare blue", RGB(150, 150, 220), RGB(140, 186, 255)},
};

// The off-screen picture as it stands, read once.
struct Picture {
    int width;
    int height;
    std::vector<COLORREF> pixels;
    COLORREF at(int x, int y) const {
        return pixels[static_cast<size_t>(y) * width + x];
    }
};

Picture take_picture() {
    Picture picture = {app.graph_rect.right, app.graph_rect.bottom, {}};
    picture.pixels.reserve(static_cast<size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            picture.pixels.push_back(GetPixel(app.memory_dc, x, y));
        }
    }
    return picture;
}

std::string hex(COLORREF colour) {
    char text[16];
    snprintf(text, sizeof text, "0x%06lX", static_cast<unsigned long>(colour));
    return text;
}

// Columns whose pixels are all grey from row `from` to row `to` (inclusive).
std::set<int> grey_columns(const Picture& picture, int from, int to) {
    std::set<int> found;
    for (int x = 0; x < picture.width; ++x) {
        bool all = true;
        for (int y = from; y <= to && all; ++y) {
            all = picture.at(x, y) == grey;
        }
        if (all) {
            found.insert(x);
        }
    }
    return found;
}

// Rows whose pixels are all grey from column `from` to column `to` (inclusive).
std::set<int> grey_rows(const Picture& picture, int from, int to) {
    std::set<int> found;
    for (int y = 0; y < picture.height; ++y) {
        bool all = true;
        for (int x = from; x <= to && all; ++x) {
            all = picture.at(x, y) == grey;
        }
        if (all) {
            found.insert(y);
        }
    }
    return found;
}

int count_colour(const Picture& picture, COLORREF colour, int left, int top, int right,
                 int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            count += picture.at(x, y) == colour;
        }
    }
    return count;
}

void clear_sets() {
    for (int c = 0; c < curve_count; ++c) {
        app.main_set.count[c] = 0;
        app.compare_set.count[c] = 0;
    }
}

// Points of one curve, highest frequency first.
struct CurvePoint {
    uint16_t hz;
    uint16_t amplitude;
};
void put_curve(CurveSet* set, int curve, const std::vector<CurvePoint>& points) {
    for (size_t i = 0; i < points.size(); ++i) {
        set->freq_hz[curve][i] = points[i].hz;
        set->amplitude[curve][i] = points[i].amplitude;
    }
    set->count[curve] = static_cast<uint16_t>(points.size());
}

class RenderTest : public MainDialogTest {
  protected:
    // Sizes the dialog so that the graph's client area is width x height pixels.
    void set_graph_size(int width, int height) {
        ::set_graph_size(dialog, width, height);
        ASSERT_EQ(width, app.graph_rect.right);
        ASSERT_EQ(height, app.graph_rect.bottom);
    }

    void set_options(int highs_zoom, int linear_db, int a_weighting) {
        app.highs_zoom = highs_zoom;
        app.linear_db = linear_db;
        app.a_weighting = a_weighting;
        request_refresh(dialog);
    }
};

} // namespace

TEST_F(RenderTest, GridLinesLieAtTheirPositionsOnAWhiteBackground) {
    struct Case {
        const char* name;
        int width;
        int height;
        int highs_zoom;
        int linear_db;
        std::vector<int> columns; // every frequency line that is drawn
        std::vector<int> rows;
    };
    const std::vector<int> cube_rows = {26,  39,  58,  71,  86,  104, 126,
                                        153, 185, 224, 252, 283, 317, 356};
    const std::vector<int> linear_rows = {22,  49,  76,  103, 130, 156, 183,
                                          209, 236, 262, 289, 315, 342, 368};
    const std::vector<int> all_columns = {39,  129, 218, 270, 336, 426, 515, 567,
                                          605, 657, 694, 723, 746, 766, 783};
    const std::vector<int> zoomed_columns = {145, 302, 393, 458, 550, 615, 665, 706, 741, 771};
    const Case cases[] = {
        {"800x400 cube law", 800, 400, 0, 0, all_columns, cube_rows},
        {"800x400 linear-dB law", 800, 400, 0, 1, all_columns, linear_rows},
        {"800x400 zoomed", 800, 400, 1, 0, zoomed_columns, cube_rows},
        // At 600 pixels the 50 Hz line would lie at column 29: it is left out with its labels.
        {"600x400 without the 50 Hz line",
         600,
         400,
         0,
         1,
         {96, 163, 203, 252, 319, 386, 425, 453, 493, 520, 542, 560, 574, 587},
         linear_rows},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        set_graph_size(c.width, c.height);
        set_options(c.highs_zoom, c.linear_db, 0);
        clear_sets();
        request_refresh(dialog);
        Picture picture = take_picture();

        // Full-height lines, clear of the labels at the top and bottom edges.
        std::set<int> columns = grey_columns(picture, 20, c.height - 20);
        EXPECT_EQ(std::set<int>(c.columns.begin(), c.columns.end()), columns);
        // Full-width lines, clear of the level labels at the left and right edges.
        std::set<int> rows = grey_rows(picture, 40, c.width - 30);
        EXPECT_EQ(std::set<int>(c.rows.begin(), c.rows.end()), rows);

        // Everywhere else between the labels the field is white.
        int stray = 0;
        for (int y = 20; y <= c.height - 20; ++y) {
            for (int x = 40; x <= c.width - 30; ++x) {
                if (columns.count(x) == 0 && rows.count(y) == 0 && picture.at(x, y) != white) {
                    ++stray;
                }
            }
        }
        EXPECT_EQ(0, stray);

        // Each drawn line has its label beside it at the top and at the bottom; a line left out
        // has none.
        int h = c.height;
        for (int x : c.columns) {
            EXPECT_GT(count_colour(picture, black, x + 2, 4, x + 12, 16), 0) << "column " << x;
            EXPECT_GT(count_colour(picture, black, x + 2, h - 16, x + 12, h - 4), 0)
                << "column " << x;
        }
        if (c.width == 600) {
            EXPECT_EQ(29, app.grid_x[0]);
            EXPECT_EQ(0, count_colour(picture, black, 31, 4, 40, 20));
            EXPECT_EQ(0, count_colour(picture, black, 31, h - 16, 40, h));
        }
        // "[dB]" at the top left, "[Hz]" at the bottom left, a level label at both ends of the
        // first level line.
        EXPECT_GT(count_colour(picture, black, 4, 4, 30, 4 + app.label_font_height), 0);
        EXPECT_GT(count_colour(picture, black, 4, h - 16, 30, h), 0);
        int first_row = c.rows.front();
        EXPECT_GT(count_colour(picture, black, 4, first_row, 30, first_row + 14), 0);
        EXPECT_GT(count_colour(picture, black, c.width - 24, first_row, c.width, first_row + 14),
                  0);
    }
}

TEST_F(RenderTest, TheCopyInTheGraphWindowIsTheOffScreenPicture) {
    set_graph_size(800, 400);
    set_options(0, 0, 1);
    Picture picture = take_picture();
    HDC window_dc = GetDC(app.graph_window);
    const POINT probes[] = {{39, 200}, {100, 26}, {426, 356}, {5, 5}, {799, 399}, {250, 250}};
    for (const POINT& p : probes) {
        EXPECT_EQ(hex(picture.at(p.x, p.y)), hex(GetPixel(window_dc, p.x, p.y)))
            << p.x << ", " << p.y;
    }
    ReleaseDC(app.graph_window, window_dc);
}

TEST_F(RenderTest, AWeightingCurveOnlyWhileAWeightingIsOn) {
    for (int zoom = 0; zoom <= 1; ++zoom) {
        SCOPED_TRACE(zoom ? "zoomed" : "not zoomed");
        set_graph_size(800, 400);
        clear_sets();
        set_options(zoom, 0, 0);
        Picture plain = take_picture();
        std::vector<uint16_t> plain_rows(app.grid_y, app.grid_y + level_grid_count);
        set_options(zoom, 0, 1);
        Picture weighted = take_picture();
        // The level grid is never weighted.
        EXPECT_EQ(plain_rows, std::vector<uint16_t>(app.grid_y, app.grid_y + level_grid_count));

        // The curve adds grey pixels and nothing else.
        int added = 0;
        for (size_t i = 0; i < plain.pixels.size(); ++i) {
            if (plain.pixels[i] != weighted.pixels[i]) {
                ++added;
                ASSERT_EQ(hex(white), hex(plain.pixels[i])) << "pixel " << i;
                ASSERT_EQ(hex(grey), hex(weighted.pixels[i])) << "pixel " << i;
            }
        }
        // Thirty samples 26 columns apart, joined into one line from the first to the last;
        // the line's own last pixel is left out, as with every line the platform draws.
        EXPECT_GT(added, 100);
        std::vector<FieldPoint> samples = a_weighting_curve();
        ASSERT_EQ(30u, samples.size());
        samples.pop_back();
        for (const FieldPoint& sample : samples) {
            if (sample.y >= 0 && sample.y < 400) {
                EXPECT_EQ(hex(grey), hex(weighted.at(sample.x, sample.y))) << sample.x;
            }
        }
        // Nothing left of the first sample at column 26 nor right of the last at 780.
        for (int y = 20; y < 380; ++y) {
            for (int x : {10, 20, 785, 795}) {
                EXPECT_EQ(plain.at(x, y), weighted.at(x, y)) << x << ", " << y;
            }
        }
    }

    // A graph narrower than 30 pixels has no curve at all. The dialog does not shrink that far,
    // so the render is told the narrow size directly.
    set_options(0, 0, 0);
    app.graph_rect = {0, 0, 29, 200};
    render_graph();
    Picture plain = take_picture();
    app.a_weighting = 1;
    render_graph();
    EXPECT_EQ(plain.pixels, take_picture().pixels);
}

TEST_F(RenderTest, CurvesInTheirPaletteWithMarksOnlyUpToFourPoints) {
    set_graph_size(800, 400);
    set_options(0, 0, 0);
    // Far apart in frequency and level, and off the grid lines.
    const std::vector<CurvePoint> points = {
        {9000, 20000}, {5000, 3000}, {2500, 12000}, {700, 1500}, {150, 8000}};
    for (int pale = 0; pale <= 1; ++pale) {
        for (int curve = 0; curve < curve_count; ++curve) {
            const Palette& colours = pale ? compare_colours[curve] : main_colours[curve];
            SCOPED_TRACE(colours.name);
            CurveSet* set = pale ? &app.compare_set : &app.main_set;
            clear_sets();
            // The compare set is drawn whatever compare_mode says.
            app.compare_mode = curve % 2;

            put_curve(set, curve, points);
            std::vector<FieldPoint> at;
            for (int i = 0; i < 5; ++i) {
                at.push_back(curve_point_position(*set, curve, i));
            }
            set->count[curve] = 4;
            request_refresh(dialog);
            Picture four = take_picture();
            for (int i = 0; i < 4; ++i) {
                // The mark: a stroke from the point two pixels down, widened to three pixels.
                for (int dy = 0; dy <= 2; ++dy) {
                    EXPECT_EQ(hex(colours.mark), hex(four.at(at[i].x, at[i].y + dy)))
                        << "point " << i << " row +" << dy;
                }
                EXPECT_EQ(hex(colours.mark), hex(four.at(at[i].x - 1, at[i].y + 1)));
                EXPECT_EQ(hex(colours.mark), hex(four.at(at[i].x + 1, at[i].y + 1)));
            }
            EXPECT_EQ(0, count_colour(four, colours.line, 0, 0, 800, 400));

            put_curve(set, curve, points);
            request_refresh(dialog);
            Picture five = take_picture();
            EXPECT_EQ(hex(colours.mark), hex(five.at(at[4].x, at[4].y)));
            // The line runs from the top of the first mark to the bottom of each later one.
            for (int i = 1; i < 5; ++i) {
                int from_y = at[i - 1].y + (i == 1 ? 0 : 2);
                int x = (at[i - 1].x + at[i].x) / 2;
                int y = (from_y + at[i].y + 2) / 2;
                EXPECT_EQ(hex(colours.line), hex(five.at(x, y))) << "segment " << i;
            }
            EXPECT_EQ(hex(colours.line), hex(five.at(at[0].x, at[0].y)));
            EXPECT_GT(count_colour(five, colours.line, 0, 0, 800, 400), 700);
        }
    }
}

TEST_F(RenderTest, MainSetLiesOnTopOfTheCompareSet) {
    set_graph_size(800, 400);
    set_options(0, 1, 1);
    clear_sets();
    const std::vector<CurvePoint> points = {{12000, 9000}, {6000, 20000}, {1500, 3000},
                                            {800, 12000},  {250, 500},    {80, 25000}};
    put_curve(&app.compare_set, 2, points);
    put_curve(&app.main_set, 2, std::vector<CurvePoint>(points.begin(), points.begin() + 3));
    request_refresh(dialog);
    Picture picture = take_picture();
    // Where both sets have a point, the main set's mark shows.
    for (int i = 0; i < 3; ++i) {
        FieldPoint at = curve_point_position(app.main_set, 2, i);
        EXPECT_EQ(hex(main_colours[2].mark), hex(picture.at(at.x, at.y + 1))) << "point " << i;
    }
    // Elsewhere the pale line of the compare set shows.
    FieldPoint from = curve_point_position(app.compare_set, 2, 4);
    FieldPoint to = curve_point_position(app.compare_set, 2, 5);
    EXPECT_EQ(hex(compare_colours[2].line),
              hex(picture.at((from.x + to.x) / 2, (from.y + to.y + 4) / 2)));
}

TEST_F(RenderTest, AWeightingMovesThePointsButNotTheGrid) {
    set_graph_size(800, 400);
    clear_sets();
    put_curve(&app.main_set, 0, {{1000, 4096}, {100, 4096}});
    set_options(0, 0, 0);
    Picture plain = take_picture();
    set_options(0, 0, 1);
    Picture weighted = take_picture();
    // At 1 kHz the weighting is nil; at 100 Hz the point rises from row 200 to row 95.
    EXPECT_EQ(hex(main_colours[0].mark), hex(plain.at(426, 201)));
    EXPECT_EQ(hex(main_colours[0].mark), hex(weighted.at(426, 201)));
    EXPECT_EQ(hex(main_colours[0].mark), hex(plain.at(129, 201)));
    EXPECT_NE(hex(main_colours[0].mark), hex(weighted.at(129, 201)));
    EXPECT_EQ(hex(main_colours[0].mark), hex(weighted.at(129, 96)));
    EXPECT_NE(hex(main_colours[0].mark), hex(plain.at(129, 96)));
}

TEST_F(RenderTest, EveryRenderReturnsItsObjectsAndLeaksNone) {
    set_graph_size(800, 400);
    // Full curves in both sets, with points far outside the field: 0 Hz and silence (drawn at
    // INT32_MIN under the linear-dB law), the top of the frequency range and loud A-weighted
    // points below the bottom edge.
    for (int c = 0; c < curve_count; ++c) {
        for (int i = 0; i < curve_capacity; ++i) {
            uint16_t hz = static_cast<uint16_t>(20000 - i * 199);
            uint16_t amplitude = static_cast<uint16_t>((i * 331 * (c + 1)) % 32768);
            if (i == 50 + c) {
                hz = 0;
                amplitude = 0;
            }
            app.main_set.freq_hz[c][i] = hz;
            app.main_set.amplitude[c][i] = amplitude;
            app.compare_set.freq_hz[c][i] = hz;
            app.compare_set.amplitude[c][i] = static_cast<uint16_t>(32767 - amplitude);
        }
        app.main_set.count[c] = curve_capacity;
        app.compare_set.count[c] = curve_capacity;
    }
    for (int round = 0; round < 8; ++round) {
        set_options(round & 1, (round >> 1) & 1, (round >> 2) & 1);
    }
    DWORD before = gdi_object_count();
    for (int round = 0; round < 200; ++round) {
        set_options(round & 1, (round >> 1) & 1, (round >> 2) & 1);
    }
    EXPECT_EQ(before, gdi_object_count());
    // What was selected into the picture's context before a render is selected again after it.
    EXPECT_EQ(GetStockObject(BLACK_PEN), GetCurrentObject(app.memory_dc, OBJ_PEN));
    EXPECT_EQ(GetStockObject(SYSTEM_FONT), GetCurrentObject(app.memory_dc, OBJ_FONT));
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), GetCurrentObject(app.memory_dc, OBJ_BRUSH));
}

TEST_F(RenderTest, TheWindowMenuCopiesThePictureWithoutTheReadoutAndTheCurvesAsText) {
    // 801 pixels of 3 bytes make rows of 2403 bytes, each padded to 2404.
    set_graph_size(801, 400);
    clear_sets();
    put_curve(&app.main_set, 0, {{1000, 3093}});
    put_curve(&app.compare_set, 1, {{2000, 1000}});
    set_options(0, 1, 1);
    Picture drawn = take_picture();
    // A pointer move writes its readout into the picture.
    SendMessageA(dialog, WM_MOUSEMOVE, 0, MAKELPARAM(400, app.top_band_height + 200));
    ASSERT_NE(drawn.pixels, take_picture().pixels);

    // The platform's low four bits of the command are set here. The user's decimal separator
    // comes through whole, also one outside the program's code page: the Arabic one, for this
    // copy only. The whole texts are read back by the end-to-end story.
    wchar_t separator[8] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L"\x066b");
    SendMessageA(dialog, WM_SYSCOMMAND, menu_copy_curves | 3, 0);
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE unicode = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(nullptr, unicode);
    EXPECT_NE(nullptr, wcsstr(static_cast<const wchar_t*>(GlobalLock(unicode)), L"\t-20\x066b"
                                                                                L"5\t"));
    GlobalUnlock(unicode);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
    CloseClipboard();

    SendMessageA(dialog, WM_SYSCOMMAND, menu_copy_picture, 0);
    // The red curve is empty: the equalizer entry is greyed as the menu opens (the end-to-end
    // story chooses it for green), and it copies nothing; the picture stays.
    app.current_curve = 1;
    HMENU menu = GetSystemMenu(dialog, FALSE);
    SendMessageA(dialog, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, TRUE));
    EXPECT_NE(0u, GetMenuState(menu, menu_copy_equalizer, MF_BYCOMMAND) & MF_GRAYED);
    SendMessageA(dialog, WM_SYSCOMMAND, menu_copy_equalizer, 0);
    app.current_curve = 0;
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    HANDLE dib = GetClipboardData(CF_DIB);
    ASSERT_NE(nullptr, dib);
    const BITMAPINFOHEADER* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
    EXPECT_EQ(801, header->biWidth);
    EXPECT_EQ(400, header->biHeight);
    EXPECT_EQ(24, header->biBitCount);
    EXPECT_EQ(2404u * 400, header->biSizeImage);
    // Rows from the bottom up, blue, green, red.
    const BYTE* bits = reinterpret_cast<const BYTE*>(header + 1);
    int differing = 0;
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 801; ++x) {
            const BYTE* pixel = bits + (399 - y) * 2404 + x * 3;
            differing += RGB(pixel[2], pixel[1], pixel[0]) != drawn.at(x, y);
        }
    }
    EXPECT_EQ(0, differing);
    GlobalUnlock(dib);
    CloseClipboard();
}
