// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table of distinct words of the last scan.
//
// While words are added the records stay in arrival order behind a hash index on the key; Finish() puts
// them in ascending ordinal key order. Every reader other than Add() sees records 1..DistinctWordCount()
// in key order, so a scan must end with Finish() (the counting run and the common-words reading do so
// whether the scan completed or was stopped). Record 0 is never used.
//
// A record is small and of fixed size: where its text lies, its count, and the marks of the filters and of
// the ranking. The texts lie in blocks of bytes that never move: each key once, followed by the word as
// first seen only where that differs from the key (capitals, accents).

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// Words of more characters (code points) than this are not counted.
inline constexpr std::size_t kMaxWordLength = 80;

// A record as read: the views stay valid until the table is reset.
struct WordRecord {
    std::string_view word;  // as first seen
    std::string_view key;   // WordKey(word): identity and order
    std::int64_t frequency = 0;
    std::int32_t rank = 0;             // 1-based rank among listed words; 0 when not placed
    std::int32_t nextByFrequency = 0;  // the record that follows in rank order; 0 at the end
    bool listed = false;
};

struct WordStatistics {
    std::int32_t longestWordLength = 0;  // in characters
    std::int64_t listedWordCount = 0;
    std::int64_t excludedWordCount = 0;
    std::int64_t listedOccurrenceCount = 0;
    std::int64_t totalOccurrenceCount = 0;
    std::int64_t highestFrequency = 0;
};

class WordTable {
  public:
    // Occurrences a counter keeps aside while it counts, which the table must have before records are read.
    class PendingCounts {
      public:
        // Adds them to the table (CountAgain), then forgets them.
        virtual void AddPendingCounts() = 0;

      protected:
        ~PendingCounts() = default;
    };

    WordTable();
    WordTable(const WordTable&) = delete;
    WordTable& operator=(const WordTable&) = delete;

    // Empties the table and gives back its memory.
    void Reset();
    // Counts one occurrence of a word. Empty words and words longer than 80 characters are dropped. Returns
    // the word's record, 0 when the word was dropped; a new word gets the next record number, listed.
    std::uint32_t Add(std::string_view word);
    // The same, for a caller that already knows the word is plain ASCII without capitals (its own key).
    std::uint32_t AddPlain(std::string_view word) { return AddWithKey(word, word); }
    // Counts the word of `record` in `other` (a table of this program, so of the same keys) as often as it
    // was counted there, without working out its key again; returns its record here as Add does.
    std::uint32_t AddFrom(const WordTable& other, std::int64_t record) {
        const std::uint32_t added = AddWithKey(other.Word(record), other.Key(record));
        if (added != 0) CountAgain(added, other.Frequency(record) - 1);
        return added;
    }
    // More occurrences (one unless said) of the word of `record`, as returned by an Add above in the same
    // generation.
    void CountAgain(std::uint32_t record, std::int64_t times = 1) { m_counts[record] += times; }
    // The counter whose pending occurrences Finish() adds first; one at a time: a new one has the last one's
    // added at once. A counter releases the table before it goes.
    void HoldPendingCounts(PendingCounts* counter);
    void ReleasePendingCounts(const PendingCounts* counter) {
        if (m_pending == counter) m_pending = nullptr;
    }
    // Adds the occurrences a counter keeps aside without moving any record, for a caller that reads the
    // frequencies of an unfinished table.
    void AddPendingCounts() {
        if (m_pending != nullptr) m_pending->AddPendingCounts();
    }
    // Asks for the index slot where the search for `key` starts to be fetched into the processor's cache.
    void PrefetchWord(std::string_view key) const;
    // Changes whenever record numbers may have changed (Reset, Finish): numbers kept by a caller from an
    // earlier generation are void.
    std::uint64_t Generation() const { return m_generation; }
    // Adds the pending occurrences, then puts the records in key order; call when a scan ends or stops.
    // Idempotent. The ranking marks are cleared when records move.
    void Finish();

    std::int64_t DistinctWordCount() const { return static_cast<std::int64_t>(m_text.size()) - 1; }
    // Records by number 1..DistinctWordCount() (key order after Finish()).
    std::string_view Word(std::int64_t record) const;
    std::string_view Key(std::int64_t record) const;
    std::int64_t Frequency(std::int64_t record) const { return m_counts[Index(record)]; }
    bool IsListed(std::int64_t record) const { return m_listed[Index(record)] != 0; }
    void SetListed(std::int64_t record, bool listed) { m_listed[Index(record)] = listed ? 1 : 0; }
    std::int32_t Rank(std::int64_t record) const;
    std::int32_t NextByFrequency(std::int64_t record) const;
    void SetRanking(std::int64_t record, std::int32_t rank, std::int32_t nextByFrequency);
    WordRecord Record(std::int64_t record) const;

    // Recomputes the statistics from the listed marks.
    void ComputeStatistics();
    const WordStatistics& Statistics() const { return m_stats; }

  private:
    // Open-addressing index (linear probing, at most three quarters full). A slot keeps a tag of the key: its
    // first seven bytes and its length, which identifies a key of up to seven bytes without touching its text.
    struct Slot {
        std::uint64_t tag = 0;
        std::uint32_t record = 0;  // 0 = empty
        std::uint32_t hash = 0;
    };

    // A record and its place in key order: the key's first seven bytes, big-endian, then its length capped
    // at 8.
    struct SortEntry {
        std::uint64_t order;
        std::uint32_t record;
    };

    // Blocks of texts that never move once written; a text never crosses from one block into the next.
    class TextStore {
      public:
        static constexpr unsigned kBlockBits = 16;
        static constexpr std::uint64_t kBlockSize = std::uint64_t{1} << kBlockBits;
        // Writes `first` and `second` one after the other; returns where they start.
        std::uint64_t Append(std::string_view first, std::string_view second);
        const char* At(std::uint64_t offset) const {
            return m_blocks[offset >> kBlockBits].get() + (offset & (kBlockSize - 1));
        }
        void Clear();

      private:
        std::vector<std::unique_ptr<char[]>> m_blocks;
        std::uint64_t m_end = 0;  // where the next text goes
    };

    static std::size_t Index(std::int64_t record) { return static_cast<std::size_t>(record); }
    // A record's text: where it starts, the key's length, and the word's length (0: the word is the key), in
    // bytes. 80 characters take up to 320 bytes of UTF-8, and a key may have more characters than its word.
    static constexpr unsigned kLengthBits = 11;
    static constexpr std::size_t kLengthMask = (std::size_t{1} << kLengthBits) - 1;
    static std::uint64_t PackText(std::uint64_t offset, std::size_t keyLength, std::size_t wordLength) {
        return (offset << (2 * kLengthBits)) | (keyLength << kLengthBits) | wordLength;
    }
    static std::uint64_t TextOffset(std::uint64_t text) { return text >> (2 * kLengthBits); }
    static std::size_t KeyLength(std::uint64_t text) { return (text >> kLengthBits) & kLengthMask; }
    static std::size_t WordLength(std::uint64_t text) { return text & kLengthMask; }
    std::uint32_t AddWithKey(std::string_view word, std::string_view key);
    // Whether the record whose text is `text` has the key.
    bool SameKey(std::uint64_t text, std::string_view key) const;
    std::uint32_t AddRecord(std::string_view word, std::string_view key, std::uint64_t tag, std::uint32_t hash);
    static void SortByOrder(std::vector<SortEntry>& entries);
    std::vector<SortEntry> SortedEntries() const;
    void RebuildIndex();
    void InsertSlot(const Slot& slot);
    void GrowIndex();

    // By record, record 0 unused.
    std::vector<std::uint64_t> m_text;   // PackText
    std::vector<std::int64_t> m_counts;  // the frequencies
    std::vector<std::uint8_t> m_listed;
    std::vector<std::int32_t> m_ranks;  // empty until the first ranking since the records last moved
    std::vector<std::int32_t> m_next;
    TextStore m_texts;
    std::vector<Slot> m_slots;  // empty after a Finish() that moved records, until the next word is added
    std::uint64_t m_generation = 0;
    std::size_t m_mask = 0;
    bool m_ordered = true;
    PendingCounts* m_pending = nullptr;
    std::string m_keyBuffer;  // the key of the word being added, when it differs from the word
    WordStatistics m_stats;
};

}  // namespace vesk
