// Fuzzes the database text format with arbitrary file contents: listing, finding, reading and
// removing must never read outside the text, and removing a record must leave every byte outside
// it alone. The same bytes, taken as a curve set, must survive saving and loading.
#include "database/record_format.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "record format fuzz: %s\n", what);
        std::abort();
    }
}

bool ends_with(const std::string& text, const char* tail) {
    size_t n = std::strlen(tail);
    return text.size() >= n && text.compare(text.size() - n, n, tail) == 0;
}

void check_records(const char* text, size_t length) {
    std::vector<std::string> titles = list_titles(text, length);
    std::vector<RecordSpan> spans;
    size_t position = 0;
    RecordSpan span;
    while (next_record(text, length, &position, &span)) {
        require(span.title_begin < span.title_end, "a title is never empty");
        require(span.title_end + 2 <= length, "the title line has its line end");
        require(span.end == no_record_end || (span.end > span.title_end && span.end <= length),
                "a record ends inside the text");
        require(position <= length, "the position stays inside the text");
        require(spans.empty() || span.title_begin >= spans.back().end, "records do not overlap");
        spans.push_back(span);
    }
    require(titles.size() == spans.size(), "one title per record");

    for (size_t r = 0; r < spans.size(); ++r) {
        const RecordSpan& s = spans[r];
        std::string title(text + s.title_begin, s.title_end - s.title_begin);
        require(titles[spans.size() - 1 - r] == title, "titles are listed newest first");

        RecordSpan found;
        require(find_record(text, length, title, &found), "a listed title is found");
        require(found.title_begin <= s.title_begin, "the first record of a title is found");

        CurveSet set;
        std::memset(&set, 0xAB, sizeof set);
        read_curves(text, length, s, &set);
        for (int c = 0; c < curve_count; ++c) {
            require(set.count[c] <= curve_capacity, "a curve holds at most 100 points");
        }

        if (s.end == no_record_end) {
            require(remove_record(text, length, s) == std::string(text, length),
                    "an unclosed record is not removed");
            continue;
        }
        std::string rest = remove_record(text, length, s);
        size_t removed = s.end - s.title_begin;
        require(rest.size() + removed == length, "only the record's bytes go");
        require(std::memcmp(rest.data(), text, s.title_begin) == 0, "the text before stays");
        require(std::memcmp(rest.data() + s.title_begin, text + s.end, length - s.end) == 0,
                "the text after stays");
        std::string record(text + s.title_begin, removed);
        require(record.compare(0, title.size() + 2, title + "\r\n") == 0,
                "the record starts with its title line");
        require(ends_with(record, "\r\n\r\n"), "the record ends with its empty line");
    }
}

// The input taken as a title and a curve set: saved behind the input taken as a file, whatever
// that file ends with, it is the newest record, and loading it back keeps every point with
// frequency and level, in order.
void check_round_trip(const uint8_t* data, size_t size) {
    const std::string before(reinterpret_cast<const char*>(data), size);
    size_t title_length = size > 0 ? data[0] % 60 : 0;
    size_t at = size > 0 ? 1 : 0;
    std::string field(reinterpret_cast<const char*>(data + at),
                      title_length < size - at ? title_length : size - at);
    at += field.size();
    std::vector<std::string> listed = list_titles(before.c_str(), before.size());
    listed.push_back(field.substr(0, 10));
    std::string title = stored_title(field, listed);

    CurveSet set = {};
    for (int c = 0; c < curve_count; ++c) {
        int count = at < size ? data[at++] % (curve_capacity + 1) : 0;
        for (int i = 0; i < count; ++i) {
            uint16_t value[2] = {};
            for (uint16_t& v : value) {
                if (at + 1 < size) {
                    v = static_cast<uint16_t>(data[at] | data[at + 1] << 8);
                    at += 2;
                }
            }
            set.freq_hz[c][i] = value[0];
            set.amplitude[c][i] = value[1];
        }
        set.count[c] = static_cast<uint16_t>(count);
    }

    std::string record = format_record(title, set);
    bool any = curve_has_points(set, 0) || curve_has_points(set, 1) || curve_has_points(set, 2);
    require(record.empty() == (title.empty() || !any), "a record is written exactly when due");
    if (record.empty()) {
        return;
    }
    for (const std::string& entry : listed) {
        require(!same_title_ignoring_case(entry, title), "the stored title is not listed yet");
    }
    size_t tail = size < 4 ? size : 4;
    std::string separator = record_separator(before.data() + size - tail, tail);
    std::string file = before + separator + record;
    std::vector<std::string> titles = list_titles(file.c_str(), file.size());
    require(!titles.empty() && titles[0] == title, "the saved title is listed first");
    RecordSpan span;
    require(find_record(file.c_str(), file.size(), title, &span) &&
                span.title_begin == size + separator.size(),
            "the saved record is found where it was appended");
    CurveSet loaded;
    read_curves(file.c_str(), file.size(), span, &loaded);
    for (int c = 0; c < curve_count; ++c) {
        int n = 0;
        for (int i = 0; i < set.count[c]; ++i) {
            if (set.freq_hz[c][i] == 0 || set.amplitude[c][i] == 0) {
                continue;
            }
            require(n < loaded.count[c] && loaded.freq_hz[c][n] == set.freq_hz[c][i] &&
                        loaded.amplitude[c][n] == set.amplitude[c][i],
                    "a saved point loads back");
            ++n;
        }
        require(n == loaded.count[c], "no point is added");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy: a read one byte past the text is caught by AddressSanitizer.
    std::vector<char> text(data, data + size);
    check_records(text.data(), text.size());
    check_round_trip(data, size);
    return 0;
}
