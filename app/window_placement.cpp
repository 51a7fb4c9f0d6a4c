// Where the main window starts.
#include "app/window_placement.h"

#include <algorithm>

namespace {

// One axis of a rectangle: where it starts and where it ends.
struct Span {
    int32_t start;
    int32_t end;
};

Span fit_span(Span window, Span area) {
    int32_t length = std::min(window.end - window.start, area.end - area.start);
    int32_t start = std::max(area.start, std::min(window.start, area.end - length));
    return {start, start + length};
}

} // namespace

RECT fit_into_work_area(const RECT& window, const RECT& work_area) {
    Span x = fit_span({window.left, window.right}, {work_area.left, work_area.right});
    Span y = fit_span({window.top, window.bottom}, {work_area.top, work_area.bottom});
    RECT fitted = window;
    fitted.left = x.start;
    fitted.right = x.end;
    fitted.top = y.start;
    fitted.bottom = y.end;
    return fitted;
}
