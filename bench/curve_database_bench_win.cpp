// Times the curve database operations on a large file (10,000 records of three 100-point
// curves) in the real main dialog, beside one plain read of the same file, and prints medians.
#include "app/main_dialog.h"
#include "bench/timing.h"
#include "database/curve_database.h"
#include "database/record_format.h"
#include "resources/resource_ids.h"
#include "tests/windows/driver/dialog_driver.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const int record_count = 10000;
const int runs = 9;

HWND bench_dialog = nullptr;
HHOOK question_hook = nullptr;

// Answers the delete question with OK as soon as its box is activated, without a second thread,
// so that the question costs only the box itself.
LRESULT CALLBACK answer_ok(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wparam);
        char name[16] = {};
        GetClassNameA(box, name, sizeof name);
        if (box != bench_dialog && std::strcmp(name, "#32770") == 0) {
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        }
    }
    return CallNextHookEx(question_hook, code, wparam, lparam);
}

void full_set(CurveSet* set, int seed) {
    for (int c = 0; c < curve_count; ++c) {
        set->count[c] = curve_capacity;
        for (int i = 0; i < curve_capacity; ++i) {
            set->freq_hz[c][i] = static_cast<uint16_t>(18000 - 170 * i - c);
            set->amplitude[c][i] = static_cast<uint16_t>(1 + (seed * 7919 + i * 331 + c) % 32767);
        }
    }
}

// The time of one plain read of the whole file, the floor for every operation that reads it.
void plain_read() {
    HANDLE file = CreateFileA(app.database_path, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER size = {};
    GetFileSizeEx(file, &size);
    std::string text(static_cast<size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &got, nullptr);
    CloseHandle(file);
}

HWND combo() {
    return GetDlgItem(bench_dialog, title_combo);
}

// The oldest record is the last entry of the list.
void select_oldest() {
    LRESULT count = SendMessageA(combo(), CB_GETCOUNT, 0, 0);
    SendMessageA(combo(), CB_SETCURSEL, static_cast<WPARAM>(count - 1), 0);
}

void title_oldest() {
    LRESULT last = SendMessageA(combo(), CB_GETCOUNT, 0, 0) - 1;
    std::string title(static_cast<size_t>(SendMessageA(combo(), CB_GETLBTEXTLEN, last, 0)) + 1,
                      '\0');
    SendMessageA(combo(), CB_GETLBTEXT, last, reinterpret_cast<LPARAM>(&title[0]));
    SetWindowTextA(combo(), title.c_str());
}

struct Timing {
    const char* name;
    double median_ms;
};

// Runs prepare (untimed) and operation (timed) runs times.
template <typename Prepare, typename Operation>
Timing measure(const char* name, Prepare prepare, Operation operation) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        double start = now_ms();
        operation();
        times.push_back(now_ms() - start);
        pump_messages();
    }
    return {name, median(times)};
}

} // namespace

int main() {
    app.instance = GetModuleHandleA(nullptr);
    // The dialog's initialisation names the database after this exe; start from no file.
    std::string path(32768, '\0');
    path.resize(GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size())));
    std::string database = path.substr(0, path.size() - 4) + ".txt";
    DeleteFileA(database.c_str());
    bench_dialog = CreateDialogParamA(app.instance, MAKEINTRESOURCEA(main_dialog_template), nullptr,
                                      main_dialog_proc, 0);
    pump_messages();

    std::string file;
    CurveSet set = {};
    for (int r = 0; r < record_count; ++r) {
        full_set(&set, r);
        char title[32];
        std::snprintf(title, sizeof title, "%05d 06.12.2026 10:15 ", r);
        file += format_record(title, set);
    }
    FILE* out = std::fopen(app.database_path, "wb");
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);

    full_set(&app.main_set, 424242);
    question_hook = SetWindowsHookExA(WH_CBT, answer_ok, nullptr, GetCurrentThreadId());
    auto nothing = [] {};
    std::vector<Timing> timings = {
        measure("plain read of the file", nothing, plain_read),
        measure("load_title_list", nothing, [] { load_title_list(bench_dialog); }),
        measure("load_set (oldest record)", select_oldest, [] { load_set(bench_dialog); }),
        measure(
            "add_set (three 100-point curves)", [] { SetWindowTextA(combo(), "bench"); },
            [] { add_set(bench_dialog); }),
        // The delete question alone, to tell the box's cost apart from the file work.
        measure("delete question box alone", nothing,
                [] {
                    MessageBoxA(bench_dialog, app.confirm_delete_text, question_caption,
                                MB_OKCANCEL | MB_ICONQUESTION);
                }),
        measure("delete_set (oldest record)", title_oldest, [] { delete_set(bench_dialog); }),
    };
    UnhookWindowsHookEx(question_hook);

    std::printf("curve database: %d records of three %d-point curves, %.1f MB, median of %d runs\n",
                record_count, curve_capacity, static_cast<double>(file.size()) / 1e6, runs);
    std::printf("%-36s %12s %10s\n", "operation", "median ms", "x read");
    for (const Timing& t : timings) {
        std::printf("%-36s %12.2f %10.2f\n", t.name, t.median_ms,
                    t.median_ms / timings[0].median_ms);
    }
    std::printf("records listed at the end: %d\n",
                static_cast<int>(SendMessageA(combo(), CB_GETCOUNT, 0, 0)));

    app.unsaved_changes = 0;
    SendMessageA(bench_dialog, WM_CLOSE, 0, 0);
    DestroyWindow(bench_dialog);
    DeleteFileA(app.database_path);
    return 0;
}
