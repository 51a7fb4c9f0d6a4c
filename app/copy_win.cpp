// The copies the window menu offers, put on the clipboard. When another program holds the
// clipboard, a copy does nothing and says nothing.
#include "app/copy.h"

#include "app/curve_text.h"
#include "core/dialog_requests.h"
#include "resources/resource_ids.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// One format and its bytes, exactly as the clipboard is to hold them.
struct ClipboardItem {
    UINT format;
    std::string bytes;
};

void put_on_clipboard(HWND dialog, const std::vector<ClipboardItem>& items) {
    if (!OpenClipboard(dialog)) {
        return;
    }
    EmptyClipboard();
    for (const ClipboardItem& item : items) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, item.bytes.size());
        if (memory == nullptr) {
            continue;
        }
        std::memcpy(GlobalLock(memory), item.bytes.data(), item.bytes.size());
        GlobalUnlock(memory);
        // The clipboard owns the memory once it has taken it; until then it is ours to free.
        if (SetClipboardData(item.format, memory) == nullptr) {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

// UTF-8 as UTF-16 and UTF-16 in a code page, each with its terminator.
std::wstring widen(const std::string& utf8) {
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0], length);
    return wide;
}

std::string narrow(const std::wstring& wide, UINT code_page) {
    int length = WideCharToMultiByte(code_page, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length > 0 ? length : 1), '\0');
    WideCharToMultiByte(code_page, 0, wide.c_str(), -1, &text[0], length, nullptr, nullptr);
    return text;
}

} // namespace

std::string decimal_separator() {
    wchar_t separator[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 0) {
        return ".";
    }
    return narrow(separator, CP_UTF8).c_str();
}

bool clipboard_text(HWND owner, std::string* ansi) {
    if (!OpenClipboard(owner)) {
        return false;
    }
    HANDLE memory = GetClipboardData(CF_UNICODETEXT);
    const wchar_t* text =
        memory != nullptr ? static_cast<const wchar_t*>(GlobalLock(memory)) : nullptr;
    if (text != nullptr) {
        // The text ends at its terminator or at the end of its memory, whichever comes first.
        size_t size = GlobalSize(memory) / sizeof(wchar_t);
        std::wstring wide(text, std::find(text, text + size, L'\0'));
        GlobalUnlock(memory);
        *ansi = narrow(wide, CP_ACP).c_str();
    }
    CloseClipboard();
    return text != nullptr;
}

std::string title_text(HWND dialog) {
    HWND title = GetDlgItem(dialog, title_combo);
    std::wstring wide(static_cast<size_t>(GetWindowTextLengthW(title)) + 1, L'\0');
    GetWindowTextW(title, &wide[0], static_cast<int>(wide.size()));
    return narrow(wide, CP_UTF8).c_str();
}

void put_text_on_clipboard(HWND dialog, const std::string& utf8) {
    std::wstring wide = widen(utf8);
    std::string unicode(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
    put_on_clipboard(dialog, {{CF_UNICODETEXT, unicode}, {CF_TEXT, narrow(wide, CP_ACP)}});
}

std::string utf8_of_ansi(const char* text) {
    int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    return narrow(wide, CP_UTF8).c_str();
}

void copy_bitmap(HWND owner, HBITMAP bitmap, int width, int height) {
    if (width <= 0 || height <= 0 || bitmap == nullptr) {
        return;
    }
    // 24 bits per pixel, rows from the bottom up, each padded to whole 32-bit words: the form
    // every program that pastes a bitmap reads.
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>((width * 3 + 3) / 4 * 4 * height);
    std::string dib(sizeof header + header.biSizeImage, '\0');
    std::memcpy(&dib[0], &header, sizeof header);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), &dib[sizeof header],
              reinterpret_cast<BITMAPINFO*>(&dib[0]), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    put_on_clipboard(owner, {{CF_DIB, dib}});
}

void copy_picture(HWND dialog) {
    // The readout lives in the picture between refreshes; a fresh render has none and is
    // otherwise the picture the last refresh drew.
    request_refresh(dialog);
    if (app.stock_bitmap == nullptr) {
        return;
    }
    // GetDIBits reads a bitmap that no device context holds: the picture steps out of
    // memory_dc for the read and back in afterwards.
    HGDIOBJ picture = SelectObject(app.memory_dc, app.stock_bitmap);
    copy_bitmap(dialog, static_cast<HBITMAP>(picture), app.graph_rect.right, app.graph_rect.bottom);
    SelectObject(app.memory_dc, picture);
}

void copy_curves_as_text(HWND dialog) {
    put_text_on_clipboard(dialog,
                          format_curve_text(app.main_set, app.compare_set, app.a_weighting != 0,
                                            app.language, decimal_separator()));
}

void copy_curve_as_equalizer(HWND dialog) {
    std::string text =
        format_equalizer_text(app.main_set, app.current_curve, title_text(dialog), app.language);
    if (text.empty()) {
        return;
    }
    put_text_on_clipboard(dialog, text);
}
