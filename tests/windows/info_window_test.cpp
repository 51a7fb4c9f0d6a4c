// The help window on the real dialog: toggling, placement beside the graph, its text and looks.
#include "tests/windows/support/main_dialog_fixture.h"

#include "app/info_window.h"
#include "resources/resource_ids.h"

#include <richedit.h>

#include <string>

namespace {

void press_info(HWND dialog) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(btn_info, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, btn_info)));
}

void select_language(HWND dialog, int index) {
    SendDlgItemMessageA(dialog, language_combo, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(language_combo, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, language_combo)));
}

RECT rect_in_client(HWND dialog, HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The plain text the control shows (the RTF already interpreted).
std::string shown_text(HWND window) {
    std::string text(GetWindowTextLengthA(window) + 1, '\0');
    text.resize(GetWindowTextA(window, &text[0], static_cast<int>(text.size())));
    return text;
}

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST_F(MainDialogTest, InfoButtonOpensAReadOnlyRichEditChild) {
    EXPECT_EQ(nullptr, app.info_window);
    HGDIOBJ picture = GetCurrentObject(app.memory_dc, OBJ_BITMAP);
    press_info(dialog);
    ASSERT_NE(nullptr, app.info_window);
    EXPECT_NE(nullptr, app.richedit_module);
    EXPECT_NE(picture, GetCurrentObject(app.memory_dc, OBJ_BITMAP)) << "no refresh";

    char name[32] = {};
    GetClassNameA(app.info_window, name, sizeof name);
    EXPECT_EQ(0, lstrcmpiA("RichEdit", name)) << name; // class names ignore case
    EXPECT_EQ(dialog, GetParent(app.info_window));
    EXPECT_EQ(0, GetDlgCtrlID(app.info_window));
    LONG style = GetWindowLongA(app.info_window, GWL_STYLE);
    const LONG wanted = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY;
    EXPECT_EQ(wanted, style & wanted);
    EXPECT_NE(0, GetWindowLongA(app.info_window, GWL_EXSTYLE) & WS_EX_STATICEDGE);

    // Nothing selected, and typing changes nothing.
    CHARRANGE selection = {-5, -5};
    SendMessageA(app.info_window, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    EXPECT_EQ(selection.cpMin, selection.cpMax);
    std::string before = shown_text(app.info_window);
    SendMessageA(app.info_window, WM_CHAR, 'x', 0);
    SendMessageA(app.info_window, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(before, shown_text(app.info_window));

    // Setting the background answers the colour it replaces: the pale grey set on opening.
    EXPECT_EQ(RGB(250, 250, 250),
              SendMessageA(app.info_window, EM_SETBKGNDCOLOR, 0, RGB(250, 250, 250)));
}

TEST_F(MainDialogTest, InfoWindowTakesTheRightThirdBesideTheGraph) {
    struct Case {
        int width;
        int height;
        int graph_width;
    };
    // Both divisions drop their remainder: 901 pixels give 600 and 300, one short.
    const Case cases[] = {{900, 500, 600}, {901, 500, 600}, {1200, 700, 800}, {700, 300, 466}};
    press_info(dialog);
    ASSERT_NE(nullptr, app.info_window);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        set_client_size(dialog, c.width, c.height);
        const int top = app.top_band_height + band_gap;
        RECT info = rect_in_client(dialog, app.info_window);
        EXPECT_EQ(c.graph_width, info.left);
        EXPECT_EQ(top, info.top);
        EXPECT_EQ(c.width / 3, info.right - info.left);
        EXPECT_EQ(c.height, info.bottom);
        RECT graph = rect_in_client(dialog, app.graph_window);
        EXPECT_EQ(0, graph.left);
        EXPECT_EQ(top, graph.top);
        EXPECT_EQ(c.graph_width, graph.right);
        EXPECT_EQ(c.height, graph.bottom);
        RECT inner = {};
        GetClientRect(app.graph_window, &inner);
        EXPECT_EQ(inner.right, app.graph_rect.right);
    }
}

TEST_F(MainDialogTest, SecondPressClosesTheInfoWindowAndWidensTheGraph) {
    set_client_size(dialog, 900, 500);
    press_info(dialog);
    HWND opened = app.info_window;
    HMODULE library = app.richedit_module;
    ASSERT_NE(nullptr, opened);
    HGDIOBJ picture = GetCurrentObject(app.memory_dc, OBJ_BITMAP);

    press_info(dialog);
    EXPECT_EQ(nullptr, app.info_window);
    EXPECT_FALSE(IsWindow(opened));
    EXPECT_EQ(library, app.richedit_module) << "the library stays loaded";
    EXPECT_NE(picture, GetCurrentObject(app.memory_dc, OBJ_BITMAP)) << "no refresh";
    EXPECT_EQ(900, rect_in_client(dialog, app.graph_window).right);
}

TEST_F(MainDialogTest, InfoTextKeepsItsLanguageUntilReopened) {
    select_language(dialog, 0);
    press_info(dialog);
    ASSERT_NE(nullptr, app.info_window);
    const std::string english = shown_text(app.info_window);
    const char* english_parts[] = {
        "Sonabrill Audiogram", "Version 2023.01.27", "WARNING:",       "Terms of Use",
        "Pull down = louder",  "Create curve",       "Database usage", "NOTE:"};
    for (const char* part : english_parts) {
        EXPECT_TRUE(contains(english, part)) << part;
    }
    EXPECT_FALSE(contains(english, "\\rtf")) << "shown as RTF source";
    EXPECT_FALSE(contains(english, "\\par"));

    select_language(dialog, 1);
    EXPECT_EQ(english, shown_text(app.info_window));

    press_info(dialog);
    press_info(dialog);
    ASSERT_NE(nullptr, app.info_window);
    const std::string german = shown_text(app.info_window);
    const char* german_parts[] = {
        "Sonabrill Audiogram",   "Version 2023.01.27", "WARNUNG:",         "Nutzungsbedingungen",
        "Runterziehen = lauter", "Kurve erzeugen",     "Datenbank nutzen", "HINWEIS:",
        "Gr\xfcn, Rot und Blau", "l\xf6schen"};
    for (const char* part : german_parts) {
        EXPECT_TRUE(contains(german, part)) << part;
    }
    EXPECT_FALSE(contains(german, "Terms of Use"));
}
