#include "engine/WordTable.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "engine/Normalisation.h"

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

inline bool SameKey(const std::string& stored, std::string_view key) {
    const std::size_t n = key.size();
    if (stored.size() != n) return false;
    const char* a = stored.data();
    const char* b = key.data();
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8)
        if (Load64(a + i) != Load64(b + i)) return false;
    for (; i < n; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

}  // namespace

WordTable::WordTable() { Reset(); }

void WordTable::Reset() {
    m_records.clear();
    m_records.shrink_to_fit();
    m_records.reserve(kInitialRecords);
    m_records.emplace_back();
    m_counts.clear();
    m_counts.shrink_to_fit();
    m_counts.reserve(kInitialRecords);
    m_counts.push_back(0);
    ++m_generation;
    m_slots.assign(kInitialSlots, Slot{});
    m_slots.shrink_to_fit();
    m_mask = kInitialSlots - 1;
    m_ordered = true;
    m_countsInRecords = true;
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
    while (3 * size < 4 * m_records.size()) size *= 2;
    m_slots.assign(size, Slot{});
    m_mask = size - 1;
    for (std::size_t i = 1; i < m_records.size(); ++i) {
        const std::string& key = m_records[i].Key;
        InsertSlot(Slot{KeyTag(key), static_cast<std::uint32_t>(i), KeyHash(key, KeyTag(key))});
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
    if (word.empty() || word.size() > kMaxWordLength) return 0;
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
    if (word.empty() || word.size() > kMaxWordLength) return 0;
    if (m_slots.empty()) RebuildIndex();
    const std::uint64_t tag = KeyTag(key);
    const bool shortKey = key.size() <= 7;
    const std::uint32_t hash = KeyHash(key, tag);
    for (std::size_t i = hash & m_mask;; i = (i + 1) & m_mask) {
        Slot& slot = m_slots[i];
        if (slot.record == 0) break;
        if (slot.hash == hash && slot.tag == tag && (shortKey || SameKey(m_records[slot.record].Key, key))) {
            CountAgain(slot.record);
            return slot.record;
        }
    }

    // A new word.
    m_counts.push_back(1);
    try {
        m_records.emplace_back();
    } catch (...) {
        m_counts.pop_back();
        throw;
    }
    WordRecord& record = m_records.back();
    record.Word.assign(word);
    record.Key.assign(key);
    record.Frequency = 1;
    record.Listed = true;
    const auto index = static_cast<std::uint32_t>(m_records.size() - 1);
    if (index > 1) m_ordered = m_ordered && m_records[index - 1].Key < record.Key;
    InsertSlot(Slot{tag, index, hash});
    if (4 * static_cast<std::size_t>(index) > 3 * m_slots.size()) GrowIndex();
    return index;
}

void WordTable::Finish() {
    ++m_generation;
    if (!m_countsInRecords)
        for (std::size_t i = 1; i < m_records.size(); ++i) m_records[i].Frequency = m_counts[i];
    m_countsInRecords = true;
    if (m_ordered) return;
    // Sorted on the key's first seven bytes and its length (capped at 8), both held by the slot: a key of
    // up to seven bytes is decided there; only keys sharing seven bytes and longer than seven are compared
    // in the records.
    const std::size_t n = m_records.size() - 1;
    std::vector<SortEntry> entries;
    entries.reserve(n);
    for (const Slot& slot : m_slots) {
        if (slot.record == 0) continue;
        const std::uint64_t bytes = __builtin_bswap64(slot.tag & 0x00FFFFFFFFFFFFFFull);  // big-endian
        const std::uint64_t length = std::min<std::uint64_t>(slot.tag >> 56, 8);
        entries.push_back(SortEntry{bytes | length, slot.record});
    }
    // The index would need every record's new place: it is rebuilt when a word is next added, if ever.
    m_slots = {};
    m_mask = 0;
    SortByOrder(entries);
    // Equal tags: keys longer than seven bytes that share their first seven, ordered by the whole key.
    for (std::size_t i = 0; i + 1 < entries.size();) {
        std::size_t j = i + 1;
        while (j < entries.size() && entries[j].order == entries[i].order) ++j;
        if (j - i > 1)
            std::sort(entries.begin() + static_cast<std::ptrdiff_t>(i),
                      entries.begin() + static_cast<std::ptrdiff_t>(j), [this](const SortEntry& a, const SortEntry& b) {
                          return m_records[a.record].Key < m_records[b.record].Key;
                      });
        i = j;
    }

    // The records moved in place, cycle by cycle, so that the table never exists twice.
    std::vector<std::uint32_t> source(n + 1, 0);  // source[new place] = old place
    for (std::size_t i = 0; i < entries.size(); ++i) source[i + 1] = entries[i].record;
    entries = {};
    // Each step of a cycle reads a record from anywhere in the table: the records some steps ahead are
    // fetched early, so that the waits for memory overlap.
    constexpr int kLookAhead = 16;
    const auto prefetch = [this](std::uint32_t index) {
        const char* p = reinterpret_cast<const char*>(&m_records[index]);
        __builtin_prefetch(p);
        __builtin_prefetch(p + sizeof(WordRecord) - 1);
    };
    for (std::uint32_t start = 1; start <= n; ++start) {
        if (source[start] == start) continue;
        std::uint32_t ahead = source[start];
        for (int k = 0; k < kLookAhead && ahead != start; ++k) {
            prefetch(ahead);
            ahead = source[ahead];
        }
        WordRecord held = std::move(m_records[start]);
        std::uint32_t place = start;
        while (source[place] != start) {
            const std::uint32_t from = source[place];
            if (ahead != start) {
                prefetch(ahead);
                ahead = source[ahead];
            }
            m_records[place] = std::move(m_records[from]);
            source[place] = place;
            place = from;
        }
        m_records[place] = std::move(held);
        source[place] = place;
    }
    for (std::size_t i = 1; i < m_records.size(); ++i) m_counts[i] = m_records[i].Frequency;
    m_ordered = true;
}

void WordTable::ComputeStatistics() {
    m_stats = WordStatistics{};
    for (std::size_t i = 1; i < m_records.size(); ++i) {
        const WordRecord& record = m_records[i];
        m_stats.TotalOccurrenceCount += record.Frequency;
        if (record.Listed) {
            ++m_stats.ListedWordCount;
            m_stats.ListedOccurrenceCount += record.Frequency;
            m_stats.HighestFrequency = std::max(m_stats.HighestFrequency, record.Frequency);
            m_stats.LongestWordLength =
                std::max(m_stats.LongestWordLength, static_cast<std::int32_t>(record.Word.size()));
        } else {
            ++m_stats.ExcludedWordCount;
        }
    }
}

}  // namespace vesk
