// The help texts are well-formed RTF that the version-1 rich-edit control shows as intended, and
// the English and German bodies have the same sections, paragraphs and button names.
#include "app/help_texts.h"

#include "app/texts.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

struct Body {
    const char* language;
    const char* text;
    int language_index; // as app.language holds it
    const char* headings[6];
    const char* warning;
    const char* note;
};

const Body bodies[] = {
    {"English",
     info_text_english,
     0,
     {"Terms of Use", "Pull down = louder", "Create curve", "Database usage", "Hearing test",
      "Hearing level"},
     "WARNING:",
     "NOTE:"},
    {"German",
     info_text_german,
     1,
     {"Nutzungsbedingungen", "Runterziehen = lauter", "Kurve erzeugen", "Datenbank nutzen",
      "H\\'f6rtest", "H\\'f6rpegel"},
     "WARNUNG:",
     "HINWEIS:"},
};

struct Section {
    std::string heading; // empty for the introduction
    std::vector<std::string> paragraphs;
};

// Splits a body at its paragraph breaks into sections that start at each bold heading. Line ends,
// the font-size word and the closing brace are layout only and are dropped first.
std::vector<Section> sections_of(std::string text) {
    if (!text.empty() && text.back() == '}') {
        text.pop_back();
    }
    for (const char* layout : {"\r\n", "\\fs22"}) {
        for (size_t at; (at = text.find(layout)) != std::string::npos;) {
            text.erase(at, std::strlen(layout));
        }
    }
    std::vector<Section> sections(1);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\\par\\par", start);
        std::string chunk = text.substr(start, end == std::string::npos ? end : end - start);
        start = end == std::string::npos ? text.size() : end + 8;
        const std::string bold = "\\b\\fs24 ";
        if (chunk.compare(0, bold.size(), bold) == 0 && chunk.size() > bold.size() + 3 &&
            chunk.compare(chunk.size() - 3, 3, "\\b0") == 0) {
            sections.push_back({chunk.substr(bold.size(), chunk.size() - bold.size() - 3), {}});
        } else if (!chunk.empty()) {
            sections.back().paragraphs.push_back(chunk);
        }
    }
    return sections;
}

// A caption as it is written in RTF: every byte outside ASCII as \'xx.
std::string rtf_of(const char* caption) {
    std::string rtf;
    for (const char* p = caption; *p != '\0'; ++p) {
        unsigned char byte = static_cast<unsigned char>(*p);
        if (byte < 0x80) {
            rtf += *p;
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\'%02x", byte);
            rtf += escape;
        }
    }
    return rtf;
}

bool is_hex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

} // namespace

TEST(HelpTexts, HeaderHoldsTitleAndVersionAndOpensOneGroup) {
    EXPECT_STREQ("{\\rtf{\\fonttbl{\\f0\\fswiss Arial;}}\r\n"
                 "\\par\\b\\fs40 Sonabrill Audiogram\\b0\\par\r\n"
                 "\\fs24 Version 2023.01.27\\par\\par\\par\r\n",
                 info_header);
}

TEST(HelpTexts, EachBodyIsPlainRtfThatClosesTheHeadersGroup) {
    for (const Body& body : bodies) {
        SCOPED_TRACE(body.language);
        const std::string whole = std::string(info_header) + body.text;
        const std::string text = body.text;
        EXPECT_EQ(0u, text.rfind("\\fs22", 0)) << "starts with the body font size";
        EXPECT_EQ(text.size() - 11, text.rfind("\\par\\par\r\n}")) << "ends by closing the group";
        EXPECT_LT(whole.size(), 10000u) << "the help window builds its text in 10000 bytes";

        int depth = 0;
        std::set<std::string> words;
        for (size_t i = 0; i < whole.size(); ++i) {
            unsigned char c = static_cast<unsigned char>(whole[i]);
            ASSERT_TRUE((c >= 0x20 && c < 0x7F) || c == '\r' || c == '\n')
                << "byte " << int(c) << " at " << i;
            if (c == '\r') {
                EXPECT_EQ('\n', whole[i + 1]) << "bare CR at " << i;
            }
            if (c == '\n') {
                EXPECT_EQ('\r', whole[i - 1]) << "bare LF at " << i;
            }
            if (c == '{' || c == '}') {
                depth += c == '{' ? 1 : -1;
                ASSERT_GE(depth, 0) << "group closed twice at " << i;
                if (i >= std::strlen(info_header)) {
                    EXPECT_TRUE(depth > 0 || i + 1 == whole.size()) << "group ends early at " << i;
                }
            }
            if (c != '\\' || i < std::strlen(info_header)) {
                continue;
            }
            // Inside a body only \'xx for a letter of the code page and a few control words.
            char next = whole[i + 1];
            if (next == '\'') {
                ASSERT_TRUE(is_hex(whole[i + 2]) && is_hex(whole[i + 3])) << "escape at " << i;
                unsigned long code = std::strtoul(whole.substr(i + 2, 2).c_str(), nullptr, 16);
                EXPECT_GE(code, 0xC0u) << "not a letter at " << i;
                EXPECT_TRUE(code != 0xD7 && code != 0xF7) << "not a letter at " << i;
                i += 3;
                continue;
            }
            size_t end = i + 1;
            while (end < whole.size() && (std::isalnum(static_cast<unsigned char>(whole[end])))) {
                ++end;
            }
            words.insert(whole.substr(i + 1, end - i - 1));
        }
        EXPECT_EQ(0, depth);
        EXPECT_EQ((std::set<std::string>{"b", "b0", "fs22", "fs24", "par"}), words);
    }
}

TEST(HelpTexts, BothLanguagesHaveTheSameSectionsAndParagraphs) {
    std::vector<size_t> shape[2];
    for (int b = 0; b < 2; ++b) {
        const Body& body = bodies[b];
        SCOPED_TRACE(body.language);
        std::vector<Section> sections = sections_of(body.text);
        ASSERT_EQ(7u, sections.size());
        EXPECT_EQ("", sections[0].heading);
        for (int s = 1; s < 7; ++s) {
            EXPECT_EQ(body.headings[s - 1], sections[s].heading);
        }
        // Every heading is written as the section's bold line with its own paragraph break.
        for (const char* heading : body.headings) {
            std::string line = std::string("\\b\\fs24 ") + heading + "\\b0\\par\\par\\fs22\r\n";
            EXPECT_NE(std::string::npos, std::string(body.text).find(line)) << heading;
        }
        for (const Section& section : sections) {
            shape[b].push_back(section.paragraphs.size());
        }
        ASSERT_EQ(2u, sections[0].paragraphs.size());
        EXPECT_EQ(0u, sections[0].paragraphs[1].rfind(body.warning, 0));
        EXPECT_EQ(3u, sections[1].paragraphs.size()) << "terms of use";
        EXPECT_EQ(0u, sections[4].paragraphs.back().rfind(body.note, 0));

        // The help names the buttons exactly as the dialog shows them in the same language.
        auto mentions = [](const Section& section, const char* caption) {
            for (const std::string& paragraph : section.paragraphs) {
                if (paragraph.find(rtf_of(caption)) != std::string::npos) {
                    return true;
                }
            }
            return false;
        };
        for (int control : {btn_green, btn_red, btn_blue}) {
            EXPECT_TRUE(mentions(sections[3], text(control, body.language_index))) << control;
        }
        for (int control : {btn_add_set, btn_delete_set, btn_compare, btn_reset}) {
            std::string quoted = std::string("\"") + text(control, body.language_index) + "\"";
            EXPECT_TRUE(mentions(sections[4], quoted.c_str())) << quoted;
        }
        for (int entry : window_menu_keys) {
            std::string quoted = std::string("\"") + text(entry, body.language_index) + "\"";
            const Section& section = sections[entry == menu_hearing_test ? 5
                                              : entry == menu_audiogram  ? 6
                                                                         : 4];
            EXPECT_TRUE(mentions(section, quoted.c_str())) << quoted;
        }
    }
    EXPECT_EQ(shape[0], shape[1]) << "paragraphs per section differ between the languages";
}
