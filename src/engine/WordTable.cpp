// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/WordTable.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "engine/Encoding.h"
#include "engine/UnicodeKeys.h"

namespace vesk {

namespace {

constexpr std::size_t kInitialSlots = 1024;
constexpr std::size_t kInitialRecords = 512;

__extension__ typedef unsigned __int128 Uint128;

inline std::uint64_t Mix(std::uint64_t a, std::uint64_t b) {
    const Uint128 product = static_cast<Uint128>(a) * b;
    return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
}

inline std::uint64_t Load64(const char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

inline std::uint64_t Load32(const char* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

// A multiply-fold hash that takes eight bytes per step.
std::uint64_t HashKey(std::string_view key) {
    constexpr std::uint64_t k0 = 0xa0761d6478bd642full, k1 = 0xe7037ed1a0b428dbull, k2 = 0x8ebc6af09c88c6e3ull;
    const char* p = key.data();
    std::size_t n = key.size();
    std::uint64_t h = k0 ^ n;
    while (n > 8) {
        h = Mix(h ^ Load64(p), k1);
        p += 8;
        n -= 8;
    }
    std::uint64_t a = 0, b = 0;
    if (n >= 4) {
        a = Load32(p);
        b = Load32(p + n - 4);
    } else if (n > 0) {
        a = static_cast<unsigned char>(p[0]);
        b = (static_cast<std::uint64_t>(static_cast<unsigned char>(p[n / 2])) << 8) |
            static_cast<unsigned char>(p[n - 1]);
    }
    return Mix(h ^ a ^ (b << 32), k2 ^ key.size());
}

// The first seven bytes of the key, zero-padded, with its length in the top byte.
inline std::uint64_t KeyTag(std::string_view key) {
    const char* p = key.data();
    const std::size_t n = key.size();
    std::uint64_t bytes;
    if (n >= 8) {
        bytes = Load64(p) & 0x00FFFFFFFFFFFFFFull;
    } else if (n >= 4) {
        bytes = Load32(p) | (Load32(p + n - 4) << (8 * (n - 4)));
    } else if (n > 0) {
        bytes = static_cast<std::uint64_t>(static_cast<unsigned char>(p[0])) |
                (static_cast<std::uint64_t>(static_cast<unsigned char>(p[n / 2])) << (8 * (n / 2))) |
                (static_cast<std::uint64_t>(static_cast<unsigned char>(p[n - 1])) << (8 * (n - 1)));
    } else {
        bytes = 0;
    }
    return bytes | (static_cast<std::uint64_t>(std::min<std::size_t>(n, 255)) << 56);
}

// The index's hash of a key whose tag is `tag`.
inline std::uint32_t KeyHash(std::string_view key, std::uint64_t tag) {
    return static_cast<std::uint32_t>(key.size() <= 7 ? Mix(tag, 0xe7037ed1a0b428dbull) : HashKey(key));
}

// Whether the `key.size()` bytes at `stored` are the key.
inline bool SameBytes(const char* stored, std::string_view key) {
    const std::size_t n = key.size();
    const char* b = key.data();
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8)
        if (Load64(stored + i) != Load64(b + i)) return false;
    for (; i < n; ++i)
        if (stored[i] != b[i]) return false;
    return true;
}

// The key's place in key order as far as its tag tells it: its first seven bytes, big-endian, then its
// length capped at 8. Keys never hold a zero byte, so the padding sorts a prefix first.
inline std::uint64_t KeyOrder(std::string_view key) {
    return __builtin_bswap64(KeyTag(key) & 0x00FFFFFFFFFFFFFFull) | std::min<std::uint64_t>(key.size(), 8);
}

// Empties a vector and gives back its memory (assigning {} would keep it).
template <typename T>
void Release(std::vector<T>& values) {
    std::vector<T>().swap(values);
}

// Puts `values[source[i]]` at place i + 1, for every place from 1; place 0 stays.
template <typename T>
void Gather(std::vector<T>& values, const std::vector<std::uint32_t>& source) {
    std::vector<T> moved(values.size());
    moved[0] = values[0];
    constexpr std::size_t kAhead = 16;  // the reads are far apart: asked for early, so that they overlap
    const std::size_t n = source.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i + kAhead < n) __builtin_prefetch(&values[source[i + kAhead]]);
        moved[i + 1] = values[source[i]];
    }
    values.swap(moved);
}

}  // namespace

WordTable::WordTable() { Reset(); }

std::uint64_t WordTable::TextStore::Append(std::string_view first, std::string_view second) {
    const std::uint64_t size = first.size() + second.size();
    std::uint64_t start = m_end;
    if ((start & (kBlockSize - 1)) + size > kBlockSize) start = (start | (kBlockSize - 1)) + 1;
    while ((start >> kBlockBits) >= m_blocks.size())
        m_blocks.push_back(std::make_unique_for_overwrite<char[]>(kBlockSize));
    char* p = m_blocks[start >> kBlockBits].get() + (start & (kBlockSize - 1));
    std::memcpy(p, first.data(), first.size());
    if (!second.empty()) std::memcpy(p + first.size(), second.data(), second.size());
    m_end = start + size;
    return start;
}

void WordTable::TextStore::Clear() {
    m_blocks.clear();
    m_blocks.shrink_to_fit();
    m_end = 0;
}

void WordTable::Reset() {
    m_text.clear();
    m_text.shrink_to_fit();
    m_text.reserve(kInitialRecords);
    m_text.push_back(0);
    m_counts.clear();
    m_counts.shrink_to_fit();
    m_counts.reserve(kInitialRecords);
    m_counts.push_back(0);
    m_listed.clear();
    m_listed.shrink_to_fit();
    m_listed.reserve(kInitialRecords);
    m_listed.push_back(0);
    Release(m_ranks);
    Release(m_next);
    m_texts.Clear();
    ++m_generation;
    m_slots.assign(kInitialSlots, Slot{});
    m_slots.shrink_to_fit();
    m_mask = kInitialSlots - 1;
    m_ordered = true;
}

std::string_view WordTable::Key(std::int64_t record) const {
    const std::uint64_t text = m_text[Index(record)];
    const std::size_t keyLength = KeyLength(text);
    if (keyLength == 0) return {};
    return {m_texts.At(TextOffset(text)), keyLength};
}

std::string_view WordTable::Word(std::int64_t record) const {
    const std::uint64_t text = m_text[Index(record)];
    const std::size_t keyLength = KeyLength(text);
    const std::size_t wordLength = WordLength(text);
    if (keyLength == 0) return {};
    const char* start = m_texts.At(TextOffset(text));
    return wordLength == 0 ? std::string_view(start, keyLength) : std::string_view(start + keyLength, wordLength);
}

std::int32_t WordTable::Rank(std::int64_t record) const {
    return Index(record) < m_ranks.size() ? m_ranks[Index(record)] : 0;
}

std::int32_t WordTable::NextByFrequency(std::int64_t record) const {
    return Index(record) < m_next.size() ? m_next[Index(record)] : 0;
}

void WordTable::SetRanking(std::int64_t record, std::int32_t rank, std::int32_t nextByFrequency) {
    if (m_ranks.size() < m_text.size()) {
        m_ranks.resize(m_text.size(), 0);
        m_next.resize(m_text.size(), 0);
    }
    m_ranks[Index(record)] = rank;
    m_next[Index(record)] = nextByFrequency;
}

WordRecord WordTable::Record(std::int64_t record) const {
    return WordRecord{Word(record),    Key(record), Frequency(record), Rank(record), NextByFrequency(record),
                      IsListed(record)};
}
void WordTable::PrefetchWord(std::string_view key) const {
    if (m_slots.empty()) return;
    __builtin_prefetch(&m_slots[KeyHash(key, KeyTag(key)) & m_mask]);
}

void WordTable::SortByOrder(std::vector<SortEntry>& entries) {
    // Least significant byte first, each pass stable; a byte that all entries share needs no pass.
    const std::size_t n = entries.size();
    std::vector<std::array<std::uint32_t, 256>> counts(8);
    for (const SortEntry& e : entries)
        for (int b = 0; b < 8; ++b) ++counts[static_cast<std::size_t>(b)][(e.order >> (8 * b)) & 0xFF];
    std::vector<SortEntry> buffer;
    SortEntry* from = entries.data();
    for (int b = 0; b < 8; ++b) {
        auto& count = counts[static_cast<std::size_t>(b)];
        if (n == 0 || count[(from[0].order >> (8 * b)) & 0xFF] == n) continue;
        if (buffer.empty()) buffer.resize(n);
        SortEntry* to = from == entries.data() ? buffer.data() : entries.data();
        std::uint32_t start = 0;
        for (std::uint32_t& c : count) {
            const std::uint32_t size = c;
            c = start;
            start += size;
        }
        for (std::size_t i = 0; i < n; ++i) to[count[(from[i].order >> (8 * b)) & 0xFF]++] = from[i];
        from = to;
    }
    if (from != entries.data()) entries.swap(buffer);
}

void WordTable::RebuildIndex() {
    std::size_t size = kInitialSlots;
    while (3 * size < 4 * m_text.size()) size *= 2;
    m_slots.assign(size, Slot{});
    m_mask = size - 1;
    for (std::size_t i = 1; i < m_text.size(); ++i) {
        const std::string_view key = Key(static_cast<std::int64_t>(i));
        const std::uint64_t tag = KeyTag(key);
        InsertSlot(Slot{tag, static_cast<std::uint32_t>(i), KeyHash(key, tag)});
    }
}

void WordTable::InsertSlot(const Slot& slot) {
    std::size_t i = slot.hash & m_mask;
    while (m_slots[i].record != 0) i = (i + 1) & m_mask;
    m_slots[i] = slot;
}

void WordTable::GrowIndex() {
    std::vector<Slot> old(m_slots.size() * 2);
    old.swap(m_slots);
    m_mask = m_slots.size() - 1;
    for (const Slot& slot : old)
        if (slot.record != 0) InsertSlot(slot);
}

std::uint32_t WordTable::Add(std::string_view word) {
    if (word.empty() || (word.size() > kMaxWordLength && Utf8Length(word) > kMaxWordLength)) return 0;
    // Plain ASCII without capitals is its own key; anything else goes through the folding tables.
    bool plain = true;
    for (const char c : word) {
        const auto b = static_cast<unsigned char>(c);
        plain = plain && b < 128 && static_cast<unsigned char>(b - 'A') >= 26;
    }
    const std::string_view key = !plain && WordKeyDiffers(word, m_keyBuffer) ? std::string_view(m_keyBuffer) : word;
    return AddWithKey(word, key);
}

std::uint32_t WordTable::AddWithKey(std::string_view word, std::string_view key) {
    // Counted in characters; a word of more bytes than that has more characters only when it is not ASCII.
    if (word.empty() || (word.size() > kMaxWordLength && Utf8Length(word) > kMaxWordLength)) return 0;
    if (m_slots.empty()) RebuildIndex();
    const std::uint64_t tag = KeyTag(key);
    const bool shortKey = key.size() <= 7;
    const std::uint32_t hash = KeyHash(key, tag);
    for (std::size_t i = hash & m_mask;; i = (i + 1) & m_mask) {
        const Slot& slot = m_slots[i];
        if (slot.record == 0) break;
        // Equal tags mean equal lengths below 255 bytes: a longer key is compared byte by byte.
        if (slot.hash == hash && slot.tag == tag && (shortKey || SameKey(m_text[slot.record], key))) {
            ++m_counts[slot.record];
            return slot.record;
        }
    }
    return AddRecord(word, key, tag, hash);
}

bool WordTable::SameKey(std::uint64_t text, std::string_view key) const {
    return KeyLength(text) == key.size() && SameBytes(m_texts.At(TextOffset(text)), key);
}

std::uint32_t WordTable::AddRecord(std::string_view word, std::string_view key, std::uint64_t tag, std::uint32_t hash) {
    const auto index = static_cast<std::uint32_t>(m_text.size());
    // The word is kept apart only when it is not its own key.
    const bool keyOnly = key.data() == word.data() || key == word;
    // Beyond any key that a word of 80 characters gives; such a word is not counted rather than cut.
    if (key.size() > kLengthMask || word.size() > kLengthMask) return 0;
    const std::uint64_t offset = m_texts.Append(key, keyOnly ? std::string_view() : word);
    try {
        m_text.push_back(PackText(offset, key.size(), keyOnly ? 0 : word.size()));
        m_counts.push_back(1);
        m_listed.push_back(1);
    } catch (...) {
        // Out of memory: the table stays as it was.
        m_text.resize(index);
        m_counts.resize(index);
        m_listed.resize(index);
        throw;
    }
    if (index > 1) m_ordered = m_ordered && Key(index - 1) < key;
    InsertSlot(Slot{tag, index, hash});
    if (4 * static_cast<std::size_t>(index) > 3 * m_slots.size()) GrowIndex();
    return index;
}

std::vector<WordTable::SortEntry> WordTable::SortedEntries() const {
    // Sorted on the key's first seven bytes and its length (capped at 8): a key of up to seven bytes is
    // decided there; only keys sharing seven bytes and longer than seven are compared whole.
    std::vector<SortEntry> entries;
    entries.reserve(m_text.size() - 1);
    for (std::size_t i = 1; i < m_text.size(); ++i)
        entries.push_back(SortEntry{KeyOrder(Key(static_cast<std::int64_t>(i))), static_cast<std::uint32_t>(i)});
    SortByOrder(entries);
    for (std::size_t i = 0; i + 1 < entries.size();) {
        std::size_t j = i + 1;
        while (j < entries.size() && entries[j].order == entries[i].order) ++j;
        if (j - i > 1)
            std::sort(entries.begin() + static_cast<std::ptrdiff_t>(i),
                      entries.begin() + static_cast<std::ptrdiff_t>(j),
                      [this](const SortEntry& a, const SortEntry& b) { return Key(a.record) < Key(b.record); });
        i = j;
    }
    return entries;
}

void WordTable::HoldPendingCounts(PendingCounts* counter) {
    if (m_pending == counter) return;
    if (m_pending != nullptr) m_pending->AddPendingCounts();
    m_pending = counter;
}

void WordTable::Finish() {
    if (m_pending != nullptr) m_pending->AddPendingCounts();
    ++m_generation;
    if (m_ordered) return;
    // The index would need every record's new place: it is rebuilt when a word is next added, if ever.
    Release(m_slots);
    m_mask = 0;
    std::vector<std::uint32_t> source;  // source[new place - 1] = old place
    {
        const std::vector<SortEntry> entries = SortedEntries();
        source.reserve(entries.size());
        for (const SortEntry& entry : entries) source.push_back(entry.record);
    }
    // The texts stay where they are; only the small records move, one array at a time.
    Gather(m_text, source);
    Gather(m_counts, source);
    Gather(m_listed, source);
    Release(m_ranks);
    Release(m_next);
    m_ordered = true;
}

void WordTable::ComputeStatistics() {
    m_stats = WordStatistics{};
    for (std::size_t i = 1; i < m_text.size(); ++i) {
        const std::int64_t frequency = m_counts[i];
        m_stats.totalOccurrenceCount += frequency;
        if (m_listed[i] != 0) {
            ++m_stats.listedWordCount;
            m_stats.listedOccurrenceCount += frequency;
            m_stats.highestFrequency = std::max(m_stats.highestFrequency, frequency);
            // A word has no more characters than bytes: only a longer one need be counted.
            const std::uint64_t text = m_text[i];
            const std::size_t bytes = WordLength(text) != 0 ? WordLength(text) : KeyLength(text);
            if (bytes > static_cast<std::size_t>(m_stats.longestWordLength))
                m_stats.longestWordLength =
                    std::max(m_stats.longestWordLength,
                             static_cast<std::int32_t>(Utf8Length(Word(static_cast<std::int64_t>(i)))));
        } else {
            ++m_stats.excludedWordCount;
        }
    }
}

}  // namespace vesk
