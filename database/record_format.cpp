// The text format of the curve database: finding records, reading and writing their curve lines.
#include "database/record_format.h"

#include <cstring>
#include <unordered_set>

namespace {

const size_t not_found = static_cast<size_t>(-1);

// Offset of the next CR LF at or after from, or not_found.
size_t find_line_end(const char* text, size_t length, size_t from) {
    while (from < length) {
        const void* cr = std::memchr(text + from, '\r', length - from);
        if (cr == nullptr) {
            return not_found;
        }
        size_t at = static_cast<size_t>(static_cast<const char*>(cr) - text);
        if (at + 1 < length && text[at + 1] == '\n') {
            return at;
        }
        from = at + 1;
    }
    return not_found;
}

bool empty_line_at(const char* text, size_t length, size_t at) {
    return at + 1 < length && text[at] == '\r' && text[at + 1] == '\n';
}

// Offset of the next CR LF CR LF at or after from: a line end followed by an empty line.
size_t find_record_end(const char* text, size_t length, size_t from) {
    for (;;) {
        size_t at = find_line_end(text, length, from);
        if (at == not_found) {
            return not_found;
        }
        if (empty_line_at(text, length, at + 2)) {
            return at;
        }
        // A CR LF CR LF cannot start at at + 1, which holds the LF.
        from = at + 2;
    }
}

// Windows-1252 letters to lower case; every other byte stays.
unsigned char fold_case(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<unsigned char>(c + 0x20);
    }
    switch (c) {
    case 0x8A: return 0x9A; // S with caron
    case 0x8C: return 0x9C; // ligature OE
    case 0x8E: return 0x9E; // Z with caron
    case 0x9F: return 0xFF; // Y with diaeresis
    default: return c;
    }
}

std::string folded(const std::string& title) {
    std::string result(title);
    for (char& c : result) {
        c = static_cast<char>(fold_case(static_cast<unsigned char>(c)));
    }
    return result;
}

void append_number(std::string* out, unsigned value) {
    char digits[12];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n > 0) {
        out->push_back(digits[--n]);
    }
}

// The title up to its first CR or LF: a title is a single line of the file.
std::string one_line(const std::string& title) {
    return title.substr(0, title.find_first_of("\r\n"));
}

} // namespace

bool next_record(const char* text, size_t length, size_t* position, RecordSpan* span) {
    size_t p = *position;
    while (p < length) {
        size_t line_end = find_line_end(text, length, p);
        if (line_end == not_found) {
            break;
        }
        // An empty line is never a title (no title is ever saved empty), and neither is a lone
        // line before an empty line.
        if (line_end == p || empty_line_at(text, length, line_end + 2)) {
            p = line_end + 2;
            continue;
        }
        span->title_begin = p;
        span->title_end = line_end;
        size_t closing = find_record_end(text, length, line_end + 2);
        if (closing == not_found) {
            // The last record lacks its closing empty line: it still counts, and nothing follows.
            span->end = no_record_end;
            *position = length;
            return true;
        }
        span->end = closing + 4;
        p = closing;
        while (empty_line_at(text, length, p)) {
            p += 2;
        }
        *position = p;
        return true;
    }
    *position = length;
    return false;
}

std::vector<std::string> list_titles(const char* text, size_t length) {
    std::vector<std::string> titles;
    size_t position = 0;
    RecordSpan span;
    while (next_record(text, length, &position, &span)) {
        titles.emplace_back(text + span.title_begin, span.title_end - span.title_begin);
    }
    // The file holds the oldest record first; the list shows the newest first.
    return std::vector<std::string>(titles.rbegin(), titles.rend());
}

bool find_record(const char* text, size_t length, const std::string& title, RecordSpan* span) {
    size_t position = 0;
    while (next_record(text, length, &position, span)) {
        size_t size = span->title_end - span->title_begin;
        if (size == title.size() &&
            std::memcmp(text + span->title_begin, title.data(), size) == 0) {
            return true;
        }
    }
    return false;
}

uint16_t read_stored_number(const char* text, size_t length) {
    size_t i = 0;
    while (i < length && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < length && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Only the value modulo 65536 is kept, so no digit string can overflow it.
    uint32_t value = 0;
    for (; i < length && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = (value * 10 + static_cast<uint32_t>(text[i] - '0')) & 0xFFFF;
    }
    if (negative) {
        value = (0x10000 - value) & 0xFFFF;
    }
    return static_cast<uint16_t>(value);
}

void read_curves(const char* text, size_t length, const RecordSpan& span, CurveSet* target) {
    for (int c = 0; c < curve_count; ++c) {
        target->count[c] = 0;
    }
    size_t line = span.title_end + 2;
    // Curve lines up to the empty line that closes the record.
    while (line < length && text[line] != '\r') {
        if (line + 1 >= length || text[line + 1] != ';') {
            return;
        }
        int c = text[line] >= '0' && text[line] <= '9' ? text[line] - '0' : 0;
        if (c >= curve_count) {
            return;
        }
        uint16_t& count = target->count[c];
        count = 0;
        size_t at = line + 1; // on the ';' before the next point
        while (count < curve_capacity) {
            ++at;
            if (at >= length) {
                return;
            }
            if (text[at] == '\r') {
                break;
            }
            // A point runs to the next ';', wherever that is: the search crosses line ends.
            const void* semicolon = std::memchr(text + at, ';', length - at);
            if (semicolon == nullptr) {
                return;
            }
            size_t point_end = static_cast<size_t>(static_cast<const char*>(semicolon) - text);
            const void* comma = std::memchr(text + at, ',', point_end - at);
            if (comma == nullptr) {
                return;
            }
            size_t separator = static_cast<size_t>(static_cast<const char*>(comma) - text);
            target->freq_hz[c][count] = read_stored_number(text + at, separator - at);
            target->amplitude[c][count] =
                read_stored_number(text + separator + 1, point_end - separator - 1);
            ++count;
            at = point_end;
        }
        // Past the end of this line; a full curve skips the rest of its line.
        size_t line_end = find_line_end(text, length, at);
        if (line_end == not_found) {
            return;
        }
        line = line_end + 2;
    }
}

bool same_title_ignoring_case(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (fold_case(static_cast<unsigned char>(a[i])) !=
            fold_case(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string stored_title(const std::string& field_text, const std::vector<std::string>& listed) {
    std::string title = one_line(field_text.substr(0, saved_title_limit));
    if (title.empty()) {
        return title;
    }
    // One pass over the list, however many "|" the title then needs.
    std::unordered_set<std::string> taken;
    for (const std::string& entry : listed) {
        taken.insert(folded(entry));
    }
    std::string key = folded(title);
    while (taken.count(key) != 0) {
        title.push_back('|');
        key.push_back('|');
    }
    return title;
}

bool curve_has_points(const CurveSet& set, int curve) {
    int count = set.count[curve] < curve_capacity ? set.count[curve] : curve_capacity;
    for (int i = 0; i < count; ++i) {
        if (set.freq_hz[curve][i] != 0 && set.amplitude[curve][i] != 0) {
            return true;
        }
    }
    return false;
}

std::string format_record(const std::string& title, const CurveSet& set) {
    std::string line = one_line(title);
    if (line.empty()) {
        return std::string();
    }
    std::string record;
    for (int c = 0; c < curve_count; ++c) {
        if (!curve_has_points(set, c)) {
            continue;
        }
        if (record.empty()) {
            record = line + "\r\n";
        }
        record.push_back(static_cast<char>('0' + c));
        int count = set.count[c] < curve_capacity ? set.count[c] : curve_capacity;
        for (int i = 0; i < count; ++i) {
            // A point without frequency or level cannot be drawn or played: it is left out, and
            // the points after it are kept.
            if (set.freq_hz[c][i] == 0 || set.amplitude[c][i] == 0) {
                continue;
            }
            record.push_back(';');
            append_number(&record, set.freq_hz[c][i]);
            record.push_back(',');
            append_number(&record, set.amplitude[c][i]);
        }
        record += ";\r\n";
    }
    if (!record.empty()) {
        record += "\r\n";
    }
    return record;
}

std::string record_separator(const char* tail, size_t length) {
    std::string separator;
    if (length == 0) {
        return separator;
    }
    // Counted back from the end: each CR LF found is one that need not be written.
    size_t end = length;
    for (int pair = 0; pair < 2; ++pair) {
        if (end >= 2 && empty_line_at(tail, length, end - 2)) {
            end -= 2;
        } else {
            separator += "\r\n";
        }
    }
    return separator;
}

std::string remove_record(const char* text, size_t length, const RecordSpan& span) {
    if (span.end == no_record_end || span.end > length || span.title_begin > span.end) {
        return std::string(text, length);
    }
    std::string result;
    result.reserve(length - (span.end - span.title_begin));
    result.append(text, span.title_begin);
    result.append(text + span.end, length - span.end);
    return result;
}
