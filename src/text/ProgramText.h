// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbered program texts, read at start-up from vesk_text.dat beside the executable. The format is described
// at the top of data/vesk_text.dat: UTF-8 lines "<number>[:<language>]<TAB><text>", '#' comments and blank
// lines.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace vesk {

class ProgramText {
  public:
    // Load codes: greater than 0 success (the number of texts read); 0 nothing read; -1 cannot open; -2, -8
    // memory; -3 too much text; -4 text not recovered; -6 empty file; -7 read error; -501..-1000 missing string
    // at line (-code-500); -1001..-1500 string too long at line; below -1500 duplicate at line.
    //
    // A load that fails adds nothing; a later file overrides the texts of an earlier one.
    std::int32_t Load(const std::string& systemPath);
    // The same over the bytes of a file.
    std::int32_t LoadBytes(std::string_view bytes);

    // The text with that number in the current language, else in language 0, else "". A text comes back cut
    // to its first 1024 characters.
    std::string Text(std::int16_t number) const;
    void SetLanguage(std::int16_t language) { m_language = language; }

  private:
    using Key = std::pair<std::int16_t, std::int16_t>;  // number, language
    std::map<Key, std::string> m_texts;
    std::int16_t m_language = 0;
};

// The message for a load code that is not a success; `path` is the full path tried.
std::string ProgramTextLoadMessage(std::int32_t code, const std::string& path);

// The version shown after the product's name (text 1).
std::string VersionString();

}  // namespace vesk
