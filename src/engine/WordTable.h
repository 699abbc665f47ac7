#pragma once
// The table of distinct words of the last scan.
//
// While words are added the records stay in arrival order behind a hash index on the key; Finish() puts
// them in ascending ordinal key order. Every reader other than Add() sees records 1..DistinctWordCount()
// in key order, so a scan must end with Finish() (the counting run and the common-words reading do so
// whether the scan completed or was stopped). Slot 0 is never used.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

struct WordRecord {
    std::string Word;  // the word as first seen
    std::string Key;   // lower case of FoldAccents(Word): identity and order
    std::int64_t Frequency = 0;
    std::int32_t Rank = 0;             // 1-based rank among listed words; 0 when not placed
    std::int32_t NextByFrequency = 0;  // record that follows in rank order; 0 at the end
    bool Listed = false;
};

struct WordStatistics {
    std::int32_t LongestWordLength = 0;
    std::int64_t ListedWordCount = 0;
    std::int64_t ExcludedWordCount = 0;
    std::int64_t ListedOccurrenceCount = 0;
    std::int64_t TotalOccurrenceCount = 0;
    std::int64_t HighestFrequency = 0;
};

inline constexpr std::size_t kMaxWordLength = 80;

class WordTable {
  public:
    WordTable();

    // Empties the table (ResetWordTable).
    void Reset();
    // Counts one occurrence of a word. Empty words and words longer than 80 characters are dropped. Returns
    // the word's record, 0 when the word was dropped; a new word gets the next record number.
    std::uint32_t Add(std::string_view word);
    // The same, for a caller that already knows the word is plain ASCII without capitals (its own key).
    std::uint32_t AddPlain(std::string_view word) { return AddWithKey(word, word); }
    // One more occurrence of the word of `record`, as returned by an Add above in the same generation.
    void CountAgain(std::uint32_t record) {
        ++m_counts[record];
        m_countsInRecords = false;
    }
    // Asks for the index slot where the search for `key` starts to be fetched into the processor's cache.
    void PrefetchWord(std::string_view key) const;
    // Changes whenever record numbers may have changed (Reset, Finish): numbers kept by a caller from an
    // earlier generation are void.
    std::uint64_t Generation() const { return m_generation; }
    // Puts the records in key order; call when a scan ends or stops. Idempotent.
    void Finish();

    std::int64_t DistinctWordCount() const { return static_cast<std::int64_t>(m_records.size()) - 1; }
    // Records by index 1..DistinctWordCount() (key order after Finish()).
    WordRecord& Record(std::int64_t index) { return m_records[static_cast<std::size_t>(index)]; }
    const WordRecord& Record(std::int64_t index) const { return m_records[static_cast<std::size_t>(index)]; }
    std::vector<WordRecord>& Records() { return m_records; }  // slot 0 unused
    const std::vector<WordRecord>& Records() const { return m_records; }

    // Recomputes the statistics from the Listed flags (ComputeStatistics).
    void ComputeStatistics();
    const WordStatistics& Statistics() const { return m_stats; }

  private:
    // Open-addressing index (linear probing, at most three quarters full). A slot keeps a tag of the key: its
    // first seven bytes and its length, which identifies a key of up to seven bytes without touching the record.
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

    std::uint32_t AddWithKey(std::string_view word, std::string_view key);
    static void SortByOrder(std::vector<SortEntry>& entries);
    void RebuildIndex();
    void InsertSlot(const Slot& slot);
    void GrowIndex();

    std::vector<WordRecord> m_records;  // slot 0 unused
    std::vector<Slot> m_slots;          // empty after a Finish() that moved records, until the next word is added
    // The counts by record while the scan runs, packed so that counting touches little memory; Finish()
    // copies them into the records.
    std::vector<std::int64_t> m_counts;
    std::uint64_t m_generation = 0;
    std::size_t m_mask = 0;
    bool m_ordered = true;
    bool m_countsInRecords = true;
    std::string m_keyBuffer;  // the key of the word being added, when it differs from the word
    WordStatistics m_stats;
};

}  // namespace vesk
