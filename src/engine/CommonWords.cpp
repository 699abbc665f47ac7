// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/CommonWords.h"

#include <utility>

#include "engine/WordTable.h"

namespace vesk {

CommonWordSet::CommonWordSet(std::vector<std::string> words) : m_words(std::move(words)) {
    m_index.reserve(m_words.size());
    for (const std::string& word : m_words) m_index.insert(word);
}

CommonWordSet CommonWordSet::FromTable(const WordTable& table) {
    std::vector<std::string> words;
    words.reserve(static_cast<std::size_t>(table.DistinctWordCount()));
    for (std::int64_t i = 1; i <= table.DistinctWordCount(); ++i) words.emplace_back(table.Word(i));
    return CommonWordSet(std::move(words));
}

bool CommonWordSet::Contains(std::string_view word) const { return m_index.find(word) != m_index.end(); }

bool IsPlainText(std::string_view text, std::size_t limit) {
    // Characters, not bytes: every byte that does not continue a UTF-8 sequence starts one.
    std::size_t characters = 0;
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if ((b & 0xC0) == 0x80) continue;
        if (++characters > limit) break;
        if (b < 32 && b != 9 && b != 10 && b != 13) return false;
    }
    return true;
}

}  // namespace vesk
