// Times a whole refresh of the frequency field (bitmap swap, render, copy to the window) on a
// 1920 x 1000 graph with three full curves in each set, beside one plain BitBlt of the same size,
// and prints both medians and their ratio.
// With --show SECONDS it instead shows the dialog with a few points in both sets for that long,
// for a look at the field (or a screenshot of the display).
#include "app/main_dialog.h"
#include "bench/timing.h"
#include "core/dialog_requests.h"
#include "resources/resource_ids.h"
#include "tests/windows/driver/dialog_driver.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const int bench_width = 1920;
const int bench_height = 1000;
const int rounds = 200;

// The dialog keeps its own procedure; this one only lets it grow beyond the screen, which a
// 1920-pixel graph needs on a smaller display.
WNDPROC dialog_window_proc = nullptr;
LRESULT CALLBACK unbounded_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    LRESULT result = CallWindowProcA(dialog_window_proc, window, message, wparam, lparam);
    if (message == WM_GETMINMAXINFO) {
        MINMAXINFO* limits = reinterpret_cast<MINMAXINFO*>(lparam);
        limits->ptMaxTrackSize.x = 8000;
        limits->ptMaxTrackSize.y = 8000;
    }
    return result;
}

// A curve of `count` points spread evenly in log frequency from 17 kHz down to 40 Hz, its level
// following a gentle wave around `level_db`.
void put_curve(CurveSet* set, int curve, int count, double level_db) {
    for (int i = 0; i < count; ++i) {
        double share = count > 1 ? static_cast<double>(i) / (count - 1) : 0.0;
        double hz = 17000.0 * std::pow(40.0 / 17000.0, share);
        double db = level_db + 6.0 * std::sin(share * 9.0 + curve);
        set->freq_hz[curve][i] = static_cast<uint16_t>(hz);
        set->amplitude[curve][i] = static_cast<uint16_t>(32768.0 * std::pow(10.0, db / 20.0));
    }
    set->count[curve] = static_cast<uint16_t>(count);
}

int show(int seconds) {
    HWND dialog = open_main_dialog();
    set_graph_size(dialog, 1000, 560);
    put_curve(&app.main_set, 0, 7, -30.0);
    put_curve(&app.main_set, 1, 3, -45.0);
    put_curve(&app.main_set, 2, 5, -20.0);
    put_curve(&app.compare_set, 0, 6, -38.0);
    put_curve(&app.compare_set, 2, 4, -12.0);
    request_refresh(dialog);
    std::printf("showing a %ldx%ld field for %d s\n", static_cast<long>(app.graph_rect.right),
                static_cast<long>(app.graph_rect.bottom), seconds);
    std::fflush(stdout);
    double end = now_ms() + seconds * 1000.0;
    while (now_ms() < end) {
        pump_messages();
        Sleep(20);
    }
    DestroyWindow(dialog);
    return 0;
}

int bench() {
    HWND dialog = open_main_dialog();
    dialog_window_proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(unbounded_proc)));
    set_graph_size(dialog, bench_width, bench_height);
    if (app.graph_rect.right != bench_width || app.graph_rect.bottom != bench_height) {
        std::printf("the graph is %ldx%ld, not %dx%d\n", static_cast<long>(app.graph_rect.right),
                    static_cast<long>(app.graph_rect.bottom), bench_width, bench_height);
        return 1;
    }
    for (int c = 0; c < curve_count; ++c) {
        put_curve(&app.main_set, c, curve_capacity, -20.0 - 10.0 * c);
        put_curve(&app.compare_set, c, curve_capacity, -25.0 - 10.0 * c);
    }

    std::vector<double> refresh_times;
    for (int i = 0; i < rounds; ++i) {
        double start = now_ms();
        refresh_view(dialog);
        GdiFlush();
        refresh_times.push_back(now_ms() - start);
    }
    std::vector<double> copy_times;
    HDC window_dc = GetDC(app.graph_window);
    for (int i = 0; i < rounds; ++i) {
        double start = now_ms();
        BitBlt(window_dc, 0, 0, bench_width, bench_height, app.memory_dc, 0, 0, SRCCOPY);
        GdiFlush();
        copy_times.push_back(now_ms() - start);
    }
    ReleaseDC(app.graph_window, window_dc);

    double refresh = median(refresh_times);
    double copy = median(copy_times);
    std::printf("refresh_view, %dx%d graph, 3 + 3 curves of %d points: median %.3f ms (%d runs)\n",
                bench_width, bench_height, curve_capacity, refresh, rounds);
    std::printf("plain BitBlt, %dx%d: median %.3f ms (%d runs)\n", bench_width, bench_height, copy,
                rounds);
    std::printf("ratio refresh / BitBlt: %.1f\n", copy > 0.0 ? refresh / copy : 0.0);
    DestroyWindow(dialog);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--show") == 0) {
        return show(argc >= 3 ? std::atoi(argv[2]) : 5);
    }
    return bench();
}
