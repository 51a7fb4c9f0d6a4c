// The text format of the curve database: records of a title line, curve lines and an empty line,
// each line ended by CR LF. Everything here works on the whole file text held in memory; the
// file itself is opened, read and written by curve_database_win.cpp.
#pragma once

#include "core/app_state.h"

#include <cstddef>
#include <string>
#include <vector>

// Where one record lies in the file text, as byte offsets. The title line runs from title_begin
// to title_end (its CR LF follows); the record ends just past the CR LF CR LF that closes it, or
// end is no_record_end when the text stops before that closing empty line.
struct RecordSpan {
    size_t title_begin;
    size_t title_end;
    size_t end;
};

const size_t no_record_end = static_cast<size_t>(-1);

// Finds the next record at or after *position in text[0, length). Empty lines, and a line
// directly followed by an empty line, are no titles and are passed over. On success
// *position moves past the record (to length for an unclosed one, which is always the last).
bool next_record(const char* text, size_t length, size_t* position, RecordSpan* span);

// The titles of all records, the newest (last in the file) first.
std::vector<std::string> list_titles(const char* text, size_t length);

// The first record whose whole title line equals title, byte for byte.
bool find_record(const char* text, size_t length, const std::string& title, RecordSpan* span);

// Reads the curve lines of the record whose title line is span into target: its three counts are
// set to 0 first; a line with the index of an earlier one replaces it; at most curve_capacity
// points per curve are taken. Reading stops at the first line that breaks the format and keeps
// what was read until then.
void read_curves(const char* text, size_t length, const RecordSpan& span, CurveSet* target);

// Reads a decimal number as the database stores it: leading blanks and a sign allowed, reading
// ends at the first other character, no digits give 0. The result is the number modulo 65536,
// exact however many digits there are.
uint16_t read_stored_number(const char* text, size_t length);

// True when two titles are equal with letter case ignored (the letters of Windows-1252), as the
// title list compares them.
bool same_title_ignoring_case(const std::string& a, const std::string& b);

// Saving takes at most this many characters of the title field.
const size_t saved_title_limit = 49;

// The title under which a set is stored: the field's text up to its first CR or LF and at most
// saved_title_limit characters, with "|" appended while listed holds an equal title (letter case
// ignored). Empty when nothing of the field's text is left.
std::string stored_title(const std::string& field_text, const std::vector<std::string>& listed);

// True when a curve of points is worth saving: it keeps at least one point whose frequency and
// amplitude are both other than 0.
bool curve_has_points(const CurveSet& set, int curve);

// The record text for set under title: the title line, one line per curve that keeps a point
// (points with frequency 0 or amplitude 0 are left out), and the closing empty line. Empty when
// the title is empty or no curve keeps a point. A title is one line: it is cut at a CR or LF.
std::string format_record(const std::string& title, const CurveSet& set);

// What to write before a new record so that it stands on its own: the CR LF pairs that the
// file, whose last bytes are tail, lacks to end with an empty line (CR LF CR LF). A file that
// ends without that closing line (an unclosed last record, LF line ends written elsewhere, stray
// text) would otherwise make the new record part of what stands before it. Nothing for an empty
// file. At most the last 4 bytes of the file are looked at.
std::string record_separator(const char* tail, size_t length);

// The text without the record span (title line up to and including its closing empty line).
// Every byte before and after the record stays as it was. A record without its closing empty
// line is never removed: the text comes back whole.
std::string remove_record(const char* text, size_t length, const RecordSpan& span);
