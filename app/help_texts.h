// The help window's RTF texts: a header with title and version, and one body per language.
// They are written in resources/*.rtf and embedded by the build (cmake/help_texts.cmake); plain
// 7-bit text, lines ending in CR LF. The header opens the RTF group that a body closes.
#pragma once

extern const char info_header[];
extern const char info_text_english[];
extern const char info_text_german[];
