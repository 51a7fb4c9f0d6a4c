// The curve database's file and combo box work: open, read, write, close, and the title list.
// What the text means is record_format's business.
#include "database/curve_database.h"

#include "core/dialog_requests.h"
#include "database/record_format.h"
#include "resources/resource_ids.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// ReadFile and WriteFile move at most a DWORD at a time; a gigabyte per call keeps clear of that.
const size_t chunk_limit = size_t(1) << 30;

HWND title_box(HWND dialog) {
    return GetDlgItem(dialog, title_combo);
}

bool read_whole(HANDLE file, std::string* text) {
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) >= text->max_size()) {
        return false;
    }
    // std::string keeps a zero byte after the text.
    text->resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < text->size()) {
        size_t left = text->size() - done;
        DWORD got = 0;
        if (!ReadFile(file, &(*text)[done],
                      static_cast<DWORD>(left < chunk_limit ? left : chunk_limit), &got, nullptr) ||
            got == 0) {
            return false;
        }
        done += got;
    }
    return true;
}

bool write_whole(HANDLE file, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        size_t left = text.size() - done;
        DWORD put = 0;
        if (!WriteFile(file, text.data() + done,
                       static_cast<DWORD>(left < chunk_limit ? left : chunk_limit), &put,
                       nullptr) ||
            put == 0) {
            return false;
        }
        done += put;
    }
    return true;
}

// The whole database file. Like every access it is opened without sharing, so a file that
// another program holds open cannot be read.
bool read_database(std::string* text) {
    HANDLE file = CreateFileA(app.database_path, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool read = read_whole(file, text);
    CloseHandle(file);
    return read;
}

// Appends the record at the end of the open file, after the line ends that the file lacks to
// close what stands before it. A record written only in part would make every record saved after
// it part of itself, so a failed write is cut off again, back to the old end.
bool append_record(HANDLE file, const std::string& record) {
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file, &size)) {
        return false;
    }
    char tail[4];
    DWORD tail_size = static_cast<DWORD>(size.QuadPart < 4 ? size.QuadPart : 4);
    LARGE_INTEGER tail_start = {};
    tail_start.QuadPart = size.QuadPart - tail_size;
    DWORD got = 0;
    if (!SetFilePointerEx(file, tail_start, nullptr, FILE_BEGIN) ||
        !ReadFile(file, tail, tail_size, &got, nullptr) || got != tail_size) {
        return false;
    }
    if (!SetFilePointerEx(file, size, nullptr, FILE_BEGIN)) {
        return false;
    }
    if (write_whole(file, record_separator(tail, tail_size) + record)) {
        return true;
    }
    SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    return false;
}

// Replaces the database with content. The new content goes to a file of its own in the same
// folder first; only when all of it is written and flushed does it take the database's place,
// so a failure at any point leaves the old file whole. The temporary file never stays behind.
bool replace_database(const std::string& content) {
    std::string temporary =
        std::string(app.database_path) + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool written = write_whole(file, content) && FlushFileBuffers(file);
    CloseHandle(file);
    if (written && MoveFileExA(temporary.c_str(), app.database_path,
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileA(temporary.c_str());
    return false;
}

std::string window_text(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowTextA(window, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

std::string list_entry(HWND combo, WPARAM index) {
    LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) {
        return std::string();
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT got = SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(got == CB_ERR ? 0 : static_cast<size_t>(got));
    return text;
}

std::vector<std::string> listed_titles(HWND combo) {
    std::vector<std::string> titles;
    LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        titles.push_back(list_entry(combo, static_cast<WPARAM>(i)));
    }
    return titles;
}

// A date or time text of the user's locale, as long as the locale's format makes it.
std::string date_text(const SYSTEMTIME& now) {
    int size = GetDateFormatA(LOCALE_USER_DEFAULT, 0, &now, nullptr, nullptr, 0);
    std::string text(size > 0 ? static_cast<size_t>(size) : 1, '\0');
    GetDateFormatA(LOCALE_USER_DEFAULT, 0, &now, nullptr, &text[0], size);
    return text.c_str();
}

std::string time_text(const SYSTEMTIME& now) {
    int size = GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &now, nullptr, nullptr, 0);
    std::string text(size > 0 ? static_cast<size_t>(size) : 1, '\0');
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &now, nullptr, &text[0], size);
    return text.c_str();
}

} // namespace

std::string date_title() {
    // One reading of the clock for both parts, so that midnight cannot fall between them.
    SYSTEMTIME now;
    GetLocalTime(&now);
    return date_text(now) + " " + time_text(now) + " ";
}

void set_date_title(HWND dialog) {
    SetWindowTextA(title_box(dialog), date_title().c_str());
}

void load_title_list(HWND dialog) {
    std::string text;
    if (!read_database(&text)) {
        return;
    }
    HWND combo = title_box(dialog);
    // Emptying the list empties the field as well.
    std::string field = window_text(combo);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    // The list is not sorted: adding the newest title first keeps it on top.
    for (const std::string& title : list_titles(text.data(), text.size())) {
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.c_str()));
    }
    SetWindowTextA(combo, field.c_str());
}

bool append_set_record(const char* path, const std::string& title,
                       const std::vector<std::string>& taken_titles, const CurveSet& set) {
    // Opening for appending creates the file, even when nothing is then written. The end of the
    // file is read too, to see whether it closes its last record.
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    std::string record = format_record(stored_title(title, taken_titles), set);
    bool written = !record.empty() && append_record(file, record);
    CloseHandle(file);
    return written;
}

bool add_record(HWND dialog, const std::string& title, const CurveSet& set, std::string* stored) {
    std::vector<std::string> taken = listed_titles(title_box(dialog));
    *stored = stored_title(title, taken);
    if (!append_set_record(app.database_path, title, taken, set)) {
        return false;
    }
    load_title_list(dialog);
    return true;
}

void add_set(HWND dialog) {
    // A set without a curve worth saving has nothing that could be lost.
    if (!curve_has_points(app.main_set, 0) && !curve_has_points(app.main_set, 1) &&
        !curve_has_points(app.main_set, 2)) {
        app.unsaved_changes = 0;
    }
    // The edits count as saved only once their record is in the file: a save that wrote nothing
    // (no title, a file that could not be opened or written) keeps the question before a close
    // or a load.
    std::string stored;
    if (add_record(dialog, window_text(title_box(dialog)), app.main_set, &stored)) {
        app.unsaved_changes = 0;
        set_date_title(dialog);
    }
}

void delete_set(HWND dialog) {
    if (!ask_ok_cancel(dialog, app.confirm_delete_text)) {
        return;
    }
    std::string text;
    if (!read_database(&text)) {
        return;
    }
    RecordSpan span;
    if (!find_record(text.data(), text.size(), window_text(title_box(dialog)), &span) ||
        span.end == no_record_end) {
        return;
    }
    if (!replace_database(remove_record(text.data(), text.size(), span))) {
        return;
    }
    load_title_list(dialog);
    set_date_title(dialog);
}

void load_set(HWND dialog) {
    std::string text;
    if (!read_database(&text)) {
        return;
    }
    HWND combo = title_box(dialog);
    LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) {
        return;
    }
    RecordSpan span;
    if (!find_record(text.data(), text.size(), list_entry(combo, static_cast<WPARAM>(selected)),
                     &span)) {
        return;
    }
    if (app.compare_mode == 0) {
        read_curves(text.data(), text.size(), span, &app.main_set);
        return;
    }
    read_curves(text.data(), text.size(), span, &app.compare_set);
    std::string title(text.data() + span.title_begin, span.title_end - span.title_begin);
    std::snprintf(app.compare_title, sizeof app.compare_title, "%s", title.c_str());
}
