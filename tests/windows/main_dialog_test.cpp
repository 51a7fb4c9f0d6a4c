// The main dialog as the program creates it: template, controls, layout, bitmap lifecycle, close.
#include "tests/windows/support/main_dialog_fixture.h"

#include "app/main_dialog.h"
#include "core/dialog_requests.h"
#include "graph/field_layout.h"
#include "resources/resource_ids.h"

#include <string>
#include <vector>

namespace {

enum Kind { push_check, push_button, static_text, combo_edit, combo_list };

struct ControlRow {
    int id;
    Kind kind;
    const char* caption;
    RECT units; // x, y, width, height in dialog units
};

// The template's controls in creation (z) order.
const ControlRow template_rows[] = {
    {btn_left, push_check, "L", {4, 4, 26, 14}},
    {btn_both, push_check, "M", {34, 4, 24, 14}},
    {btn_right, push_check, "R", {62, 4, 26, 14}},
    {btn_pulse, push_check, nullptr, {4, 22, 50, 14}},
    {btn_a_weighting, push_check, "dB(A)", {58, 22, 30, 14}},
    {band_probe, static_text, "", {90, 0, 10, 40}},
    {btn_snap_hz, push_check, nullptr, {108, 4, 50, 14}},
    {btn_snap_db, push_check, nullptr, {108, 22, 50, 14}},
    {btn_linear_db, push_check, nullptr, {162, 4, 50, 14}},
    {btn_heights, push_check, nullptr, {162, 22, 50, 14}},
    {btn_green, push_check, nullptr, {232, 4, 30, 14}},
    {btn_red, push_check, nullptr, {266, 4, 30, 14}},
    {btn_blue, push_check, nullptr, {300, 4, 30, 14}},
    {btn_delete_curve, push_button, nullptr, {232, 22, 98, 14}},
    {title_combo, combo_edit, nullptr, {350, 4, 112, 300}},
    {btn_add_set, push_button, nullptr, {350, 22, 54, 14}},
    {btn_delete_set, push_button, nullptr, {408, 22, 54, 14}},
    {btn_compare, push_check, nullptr, {466, 22, 54, 14}},
    {btn_reset, push_button, nullptr, {466, 4, 54, 14}},
    {btn_info, push_button, nullptr, {538, 4, 80, 14}},
    {language_combo, combo_list, nullptr, {538, 23, 80, 100}},
    {usage_hint, static_text, nullptr, {638, 4, 120, 36}},
};

// One control as the dialog template stores it.
struct TemplateItem {
    DWORD style;
    DWORD ex_style;
    int id;
    short x, y, cx, cy;
    std::wstring class_name; // empty where the class is given as an atom
    WORD class_atom;
    std::wstring title;
};

// Skips a string-or-ordinal field, returning the string (empty for an ordinal or nothing).
const WORD* read_name(const WORD* p, std::wstring* name, WORD* ordinal) {
    if (*p == 0xFFFF) {
        if (ordinal != nullptr) {
            *ordinal = p[1];
        }
        return p + 2;
    }
    const wchar_t* text = reinterpret_cast<const wchar_t*>(p);
    if (name != nullptr) {
        *name = text;
    }
    return p + wcslen(text) + 1;
}

// Reads dialog template 100 from this executable's resources (the DLGTEMPLATEEX layout).
std::vector<TemplateItem> read_template(DWORD* dialog_style, std::wstring* font) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(main_dialog_template), RT_DIALOG);
    const BYTE* base = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    const WORD* p = reinterpret_cast<const WORD*>(base);
    EXPECT_EQ(1, p[0]);
    EXPECT_EQ(0xFFFF, p[1]);
    const DWORD* d = reinterpret_cast<const DWORD*>(p + 2);
    *dialog_style = d[2];
    p = reinterpret_cast<const WORD*>(d + 3);
    int count = *p++;
    p += 4;                             // x, y, cx, cy
    p = read_name(p, nullptr, nullptr); // menu
    p = read_name(p, nullptr, nullptr); // class
    p = read_name(p, nullptr, nullptr); // title
    WORD points = *p;
    p += 3; // point size, weight, italic and charset
    std::wstring face;
    p = read_name(p, &face, nullptr);
    *font = std::to_wstring(points) + L" " + face;
    std::vector<TemplateItem> items;
    for (int i = 0; i < count; ++i) {
        uintptr_t offset = reinterpret_cast<const BYTE*>(p) - base;
        p = reinterpret_cast<const WORD*>(base + ((offset + 3) & ~uintptr_t(3)));
        const DWORD* head = reinterpret_cast<const DWORD*>(p);
        TemplateItem item = {};
        item.ex_style = head[1];
        item.style = head[2];
        const short* box = reinterpret_cast<const short*>(head + 3);
        item.x = box[0];
        item.y = box[1];
        item.cx = box[2];
        item.cy = box[3];
        item.id = static_cast<int>(*reinterpret_cast<const DWORD*>(box + 4));
        p = reinterpret_cast<const WORD*>(box + 6);
        p = read_name(p, &item.class_name, &item.class_atom);
        p = read_name(p, &item.title, nullptr);
        WORD extra = *p++;
        p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p) + extra);
        items.push_back(item);
    }
    return items;
}

std::string class_of(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string text_of(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

RECT rect_in_client(HWND dialog, HWND control) {
    RECT r = {};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace

TEST_F(MainDialogTest, HasItsCaptionStylesAndIcon) {
    EXPECT_EQ("Sonabrill Audiogram", text_of(dialog));
    LONG style = GetWindowLongA(dialog, GWL_STYLE);
    const LONG wanted = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                        WS_MAXIMIZEBOX | DS_MODALFRAME;
    EXPECT_EQ(wanted, style & wanted);
    EXPECT_EQ("#32770", class_of(dialog));
    EXPECT_NE(0, SendMessageA(dialog, WM_GETICON, ICON_BIG, 0));

    // The window menu keeps the platform's commands and ends with a separator, the hearing test,
    // the audiogram, a separator and the three copy entries, in this order.
    HMENU menu = GetSystemMenu(dialog, FALSE);
    int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 8);
    EXPECT_NE(0u, GetMenuState(menu, count - 7, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(UINT(menu_hearing_test), GetMenuItemID(menu, count - 6));
    EXPECT_EQ(UINT(menu_audiogram), GetMenuItemID(menu, count - 5));
    EXPECT_NE(0u, GetMenuState(menu, count - 4, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(UINT(menu_copy_picture), GetMenuItemID(menu, count - 3));
    EXPECT_EQ(UINT(menu_copy_curves), GetMenuItemID(menu, count - 2));
    EXPECT_EQ(UINT(menu_copy_equalizer), GetMenuItemID(menu, count - 1));
    EXPECT_NE(UINT(-1), GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND));
}

TEST(DialogTemplate, StoresTheControlsWithTheirExactStyles) {
    DWORD dialog_style = 0;
    std::wstring font;
    std::vector<TemplateItem> items = read_template(&dialog_style, &font);
    EXPECT_EQ(DWORD(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                    WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_MODALFRAME | DS_SETFONT),
              dialog_style);
    EXPECT_EQ(L"9 MS Shell Dlg", font);
    ASSERT_EQ(22u, items.size());
    const DWORD child = WS_CHILD | WS_VISIBLE;
    for (size_t i = 0; i < items.size(); ++i) {
        const ControlRow& row = template_rows[i];
        const TemplateItem& item = items[i];
        SCOPED_TRACE("control " + std::to_string(row.id));
        EXPECT_EQ(row.id, item.id);
        EXPECT_EQ(0u, item.ex_style);
        EXPECT_EQ(row.units.left, item.x);
        EXPECT_EQ(row.units.top, item.y);
        EXPECT_EQ(row.units.right, item.cx);
        EXPECT_EQ(row.units.bottom, item.cy);
        DWORD wanted = 0;
        switch (row.kind) {
        case push_check: wanted = child | BS_CHECKBOX | BS_PUSHLIKE; break;
        case push_button: wanted = child | BS_PUSHBUTTON; break;
        case static_text: wanted = (row.id == band_probe ? WS_CHILD : child) | SS_LEFT; break;
        case combo_edit: wanted = child | CBS_DROPDOWN | WS_VSCROLL; break;
        case combo_list: wanted = child | CBS_DROPDOWNLIST; break;
        }
        if (row.id == btn_left) {
            wanted |= WS_GROUP;
        }
        EXPECT_EQ(wanted, item.style);
        if (row.caption != nullptr) {
            EXPECT_EQ(std::wstring(row.caption, row.caption + strlen(row.caption)), item.title);
        } else {
            EXPECT_EQ(L"", item.title);
        }
    }
}

TEST_F(MainDialogTest, CreatesTheTemplateControlsInOrder) {
    // Every refresh lifts the graph window to the top of its siblings; below it follow the
    // template's 22 controls in their order, and nothing else.
    HWND child = GetWindow(dialog, GW_CHILD);
    ASSERT_EQ(app.graph_window, child);
    child = GetWindow(child, GW_HWNDNEXT);
    for (const ControlRow& row : template_rows) {
        ASSERT_NE(nullptr, child) << "control " << row.id << " missing";
        SCOPED_TRACE("control " + std::to_string(row.id));
        EXPECT_EQ(row.id, GetDlgCtrlID(child));
        LONG style = GetWindowLongA(child, GWL_STYLE);
        EXPECT_EQ(row.id != band_probe, (style & WS_VISIBLE) != 0);
        EXPECT_EQ(0, style & WS_TABSTOP);
        EXPECT_EQ(row.id == btn_left, (style & WS_GROUP) != 0);
        switch (row.kind) {
        case push_check:
            EXPECT_EQ("Button", class_of(child));
            EXPECT_EQ(BS_CHECKBOX, style & BS_TYPEMASK);
            EXPECT_NE(0, style & BS_PUSHLIKE);
            break;
        case push_button:
            EXPECT_EQ("Button", class_of(child));
            EXPECT_EQ(BS_PUSHBUTTON, style & BS_TYPEMASK);
            break;
        case static_text:
            EXPECT_EQ("Static", class_of(child));
            EXPECT_EQ(SS_LEFT, style & SS_TYPEMASK);
            break;
        case combo_edit:
            EXPECT_EQ("ComboBox", class_of(child));
            EXPECT_EQ(CBS_DROPDOWN, style & 3);
            EXPECT_EQ(0, style & CBS_SORT);
            break;
        case combo_list:
            EXPECT_EQ("ComboBox", class_of(child));
            EXPECT_EQ(CBS_DROPDOWNLIST, style & 3);
            EXPECT_EQ(0, style & CBS_SORT);
            break;
        }
        if (row.caption != nullptr) {
            EXPECT_EQ(row.caption, text_of(child));
        }
        // Placement through the dialog-unit conversion, which maps position and size each on
        // its own; a combo box's height is that of its opened list.
        RECT mapped = row.units;
        MapDialogRect(dialog, &mapped);
        RECT actual = rect_in_client(dialog, child);
        EXPECT_EQ(mapped.left, actual.left);
        EXPECT_EQ(mapped.top, actual.top);
        EXPECT_EQ(mapped.right, actual.right - actual.left);
        if (row.kind != combo_edit && row.kind != combo_list) {
            EXPECT_EQ(mapped.bottom, actual.bottom - actual.top);
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(nullptr, child);
}

TEST_F(MainDialogTest, GraphWindowIsASunkenStaticThatLetsTheMouseThrough) {
    ASSERT_NE(nullptr, app.graph_window);
    EXPECT_EQ("Static", class_of(app.graph_window));
    EXPECT_EQ(0, GetDlgCtrlID(app.graph_window));
    LONG style = GetWindowLongA(app.graph_window, GWL_STYLE);
    EXPECT_NE(0, style & SS_SUNKEN);
    EXPECT_NE(0, style & WS_VISIBLE);
    EXPECT_EQ(0, style & SS_NOTIFY);
    EXPECT_EQ(0, GetWindowLongA(app.graph_window, GWL_EXSTYLE) & ~WS_EX_STATICEDGE);
}

TEST_F(MainDialogTest, InitialisationSetsTheDefaults) {
    RECT probe = {0, 0, 10, 40};
    MapDialogRect(dialog, &probe);
    EXPECT_EQ(probe.bottom, app.top_band_height);
    EXPECT_EQ(3, app.tone.channel_mask);
    EXPECT_EQ(0, app.current_curve);
    EXPECT_EQ(1, app.snap_hz);
    EXPECT_EQ(1, app.snap_db);
    EXPECT_EQ(1, app.linear_db);
    EXPECT_EQ(1, app.a_weighting);
    EXPECT_EQ(0, app.compare_mode | app.pulse_mode | app.highs_zoom | app.unsaved_changes);
    HDC screen = GetDC(dialog);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(dialog, screen);
    EXPECT_EQ(font_heights(dpi).label, app.label_font_height);
    EXPECT_EQ(font_heights(dpi).readout, app.status_font_height);

    // The database lies beside this executable, named like it.
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string expected(module);
    expected = expected.substr(0, expected.rfind('.')) + ".txt";
    EXPECT_EQ(expected, app.database_path);

    HWND languages = GetDlgItem(dialog, language_combo);
    ASSERT_EQ(2, SendMessageA(languages, CB_GETCOUNT, 0, 0));
    char entry[32] = {};
    SendMessageA(languages, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(entry));
    EXPECT_STREQ("English", entry);
    SendMessageA(languages, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(entry));
    EXPECT_STREQ("Deutsch", entry);
    EXPECT_EQ(app.language, SendMessageA(languages, CB_GETCURSEL, 0, 0));

    // The title field takes at most 40 typed characters.
    HWND title_edit = GetWindow(GetDlgItem(dialog, title_combo), GW_CHILD);
    ASSERT_NE(nullptr, title_edit);
    EXPECT_EQ(40, SendMessageA(title_edit, EM_GETLIMITTEXT, 0, 0));
}

TEST_F(MainDialogTest, GraphSitsBelowTheBandAndFollowsTheSize) {
    const int sizes[][2] = {{800, 500}, {1200, 700}, {401, 300}, {900, 200}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size[0]) + "x" + std::to_string(size[1]));
        set_client_size(dialog, size[0], size[1]);
        RECT client = {};
        GetClientRect(dialog, &client);
        RECT graph = rect_in_client(dialog, app.graph_window);
        EXPECT_EQ(0, graph.left);
        EXPECT_EQ(app.top_band_height + band_gap, graph.top);
        EXPECT_EQ(client.right, graph.right);
        EXPECT_EQ(client.bottom, graph.bottom);
        RECT inner = {};
        GetClientRect(app.graph_window, &inner);
        EXPECT_EQ(inner.right, app.graph_rect.right);
        EXPECT_EQ(inner.bottom, app.graph_rect.bottom);
        BITMAP picture = {};
        GetObjectA(GetCurrentObject(app.memory_dc, OBJ_BITMAP), sizeof picture, &picture);
        EXPECT_EQ(app.graph_rect.right, picture.bmWidth);
        EXPECT_EQ(app.graph_rect.bottom, picture.bmHeight);
    }
}

TEST_F(MainDialogTest, ATinyClientGivesAnEmptyGraphWithoutNegativeSizes) {
    set_client_size(dialog, 50, 10);
    EXPECT_EQ(0, app.graph_rect.bottom);
    RECT graph = {};
    GetWindowRect(app.graph_window, &graph);
    EXPECT_EQ(0, graph.bottom - graph.top);
}

TEST_F(MainDialogTest, EachRefreshDeletesExactlyThePreviousBitmap) {
    // The memory context's own 1x1 bitmap went to stock_bitmap on the first refresh.
    BITMAP own = {};
    ASSERT_EQ(OBJ_BITMAP, GetObjectType(app.stock_bitmap));
    GetObjectA(app.stock_bitmap, sizeof own, &own);
    EXPECT_EQ(1, own.bmWidth);
    EXPECT_EQ(1, own.bmHeight);

    std::vector<HGDIOBJ> pictures;
    pictures.push_back(GetCurrentObject(app.memory_dc, OBJ_BITMAP));
    for (int i = 0; i < 3; ++i) {
        request_refresh(dialog);
        pictures.push_back(GetCurrentObject(app.memory_dc, OBJ_BITMAP));
        HGDIOBJ previous = pictures[pictures.size() - 2];
        EXPECT_EQ(0u, GetObjectType(previous)) << "refresh " << i << " kept the old bitmap";
        EXPECT_EQ(OBJ_BITMAP, GetObjectType(pictures.back()));
        EXPECT_EQ(OBJ_BITMAP, GetObjectType(app.stock_bitmap));
    }
}

TEST_F(MainDialogTest, RefreshesAndPaintsWithoutLeakingGdiObjects) {
    for (int i = 0; i < 10; ++i) {
        request_refresh(dialog);
        SendMessageA(dialog, WM_PAINT, 0, 0);
    }
    DWORD before = gdi_object_count();
    for (int i = 0; i < 200; ++i) {
        request_refresh(dialog);
        SendMessageA(dialog, WM_PAINT, 0, 0);
    }
    EXPECT_EQ(before, gdi_object_count());
}

TEST_F(MainDialogTest, EnterAndEscapeDoNotClose) {
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    SendMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    pump_messages();
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_NE(nullptr, app.memory_dc);
}

TEST_F(MainDialogTest, CloseReleasesTheGraphicsAndEndsTheDialog) {
    HGDIOBJ picture = GetCurrentObject(app.memory_dc, OBJ_BITMAP);
    HDC memory = app.memory_dc;
    EXPECT_EQ(TRUE, main_dialog_proc(dialog, WM_CLOSE, 0, 0));
    EXPECT_EQ(0u, GetObjectType(picture));
    EXPECT_EQ(0u, GetObjectType(memory));
    EXPECT_EQ(nullptr, app.memory_dc);
    pump_messages();
    EXPECT_FALSE(IsWindowVisible(dialog)); // EndDialog hides a modeless dialog
}

TEST_F(MainDialogTest, MessagesWithoutAHandlerReturnFalse) {
    EXPECT_EQ(FALSE, main_dialog_proc(dialog, WM_SIZE, 0, 0));
    EXPECT_EQ(FALSE, main_dialog_proc(dialog, WM_PAINT, 0, 0));
    EXPECT_EQ(FALSE, main_dialog_proc(dialog, WM_COMMAND, 999, 0));
    EXPECT_EQ(FALSE, main_dialog_proc(dialog, WM_USER + 5, 1, 2));
}
