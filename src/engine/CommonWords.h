// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The set of common words that a count may leave out of its listing, and the plain-text test of clipboard
// text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace vesk {

class WordTable;

class CommonWordSet {
  public:
    CommonWordSet() = default;
    explicit CommonWordSet(std::vector<std::string> words);
    // The words of a finished table (a common-words file counted like any text), in its order.
    static CommonWordSet FromTable(const WordTable& table);

    std::int64_t Size() const { return static_cast<std::int64_t>(m_words.size()); }
    bool Empty() const { return m_words.empty(); }
    const std::vector<std::string>& Words() const { return m_words; }
    // Whether `word` is one of the words, compared exactly.
    bool Contains(std::string_view word) const;

  private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    std::vector<std::string> m_words;
    std::unordered_set<std::string, Hash, std::equal_to<>> m_index;
};

// False when one of the first `limit` characters is a control character other than tab, LF and CR.
// An empty text is plain.
bool IsPlainText(std::string_view text, std::size_t limit);

}  // namespace vesk
