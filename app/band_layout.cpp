// Where the controls of the band lie at a given client width.
#include "app/band_layout.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

// Horizontal spans of controls that overlap, merged: start and end in client pixels.
struct Column {
    int32_t start;
    int32_t end;
};

std::vector<Column> columns_of(const BandControl* controls, int count) {
    std::vector<Column> spans;
    for (int i = 0; i < count; ++i) {
        spans.push_back({controls[i].rect.left, controls[i].rect.right});
    }
    std::sort(spans.begin(), spans.end(),
              [](const Column& a, const Column& b) { return a.start < b.start; });
    std::vector<Column> columns;
    for (const Column& span : spans) {
        if (!columns.empty() && span.start < columns.back().end) {
            columns.back().end = std::max(columns.back().end, span.end);
        } else {
            columns.push_back(span);
        }
    }
    return columns;
}

// Takes up to `wanted` pixels from the lengths, from each in proportion to its room (what it may
// give), and returns what is still wanted. The shares are cut from running totals, so that they
// add up to exactly what is taken.
int32_t take(std::vector<int32_t>& lengths, const std::vector<int32_t>& room, int32_t wanted) {
    int64_t total = std::accumulate(room.begin(), room.end(), int64_t{0});
    if (total == 0) {
        return wanted;
    }
    int64_t taken = std::min<int64_t>(wanted, total);
    int64_t running = 0;
    int64_t taken_before = 0;
    for (size_t i = 0; i < lengths.size(); ++i) {
        running += room[i];
        int64_t taken_so_far = taken * running / total;
        lengths[i] -= static_cast<int32_t>(taken_so_far - taken_before);
        taken_before = taken_so_far;
    }
    return wanted - static_cast<int32_t>(taken);
}

} // namespace

void lay_out_band(const BandControl* template_controls, BandControl* laid_out, int count,
                  int32_t template_width, int32_t client_width) {
    std::copy(template_controls, template_controls + count, laid_out);
    std::vector<Column> columns = columns_of(template_controls, count);
    if (client_width >= template_width || columns.empty()) {
        return;
    }
    int32_t margin = columns.front().start;
    // The margin right of the band is the last gap; gaps[i] lies left of column i + 1.
    std::vector<int32_t> gaps;
    std::vector<int32_t> widths;
    for (size_t i = 0; i < columns.size(); ++i) {
        int32_t next = i + 1 < columns.size() ? columns[i + 1].start : template_width;
        gaps.push_back(next - columns[i].end);
        widths.push_back(columns[i].end - columns[i].start);
    }
    std::vector<int32_t> right_margin_room(gaps.size(), 0);
    right_margin_room.back() = std::max(0, gaps.back() - margin);
    int32_t wanted = take(gaps, right_margin_room, template_width - client_width);
    std::vector<int32_t> gap_room;
    for (int32_t gap : gaps) {
        gap_room.push_back(std::max(0, gap - margin));
    }
    wanted = take(gaps, gap_room, wanted);
    take(widths, widths, wanted);

    std::vector<int32_t> starts;
    int32_t start = margin;
    for (size_t c = 0; c < columns.size(); ++c) {
        starts.push_back(start);
        start += widths[c] + gaps[c];
    }
    for (int i = 0; i < count; ++i) {
        const RECT& from = template_controls[i].rect;
        size_t c = 0;
        while (c + 1 < columns.size() && columns[c + 1].start <= from.left) {
            ++c;
        }
        int32_t old_width = std::max(1, columns[c].end - columns[c].start);
        RECT& to = laid_out[i].rect;
        to.left = starts[c] + (from.left - columns[c].start) * widths[c] / old_width;
        to.right = starts[c] + (from.right - columns[c].start) * widths[c] / old_width;
    }
}
