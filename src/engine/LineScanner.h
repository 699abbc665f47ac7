// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Splits one line into words and counts each through the word table, skipping comments.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/CharClasses.h"
#include "engine/ScanOptions.h"
#include "engine/WordTable.h"

namespace vesk {

class LineScanner : private WordTable::PendingCounts {
  public:
    explicit LineScanner(WordTable& table);
    ~LineScanner();
    LineScanner(const LineScanner&) = delete;
    LineScanner& operator=(const LineScanner&) = delete;

    // Takes effect at once, also when set from within the observer's ShouldStop() in the middle of a line;
    // whether comments are skipped at all is decided at the start of each line.
    void SetOptions(const ScanOptions& options);
    const ScanOptions& Options() const { return m_options; }
    // May be null: nothing is reported and nothing can stop a line.
    void SetObserver(ScanObserver* observer) { m_observer = observer; }
    // The pair whose comment is open at the end of the last line (-1: none); it carries over to the next.
    int OpenComment() const { return m_openComment; }
    void ResetComments() { m_openComment = -1; }
    // Starts the next line inside the comment of pair `pair` (-1: outside any), as a piece of a text counted
    // on its own would when the text before it ended there.
    void SetOpenComment(int pair) { m_openComment = pair; }

    // Splits `line` into words and counts each: `line` is the line as the caller prepared it (UTF-8, trimmed,
    // one space appended); it is rewritten in place (NFC, lower case when the options ask for it, whitespace,
    // double hyphens, letter entities). A run of word characters that holds a letter of a script written
    // without spaces is split into words by ICU's dictionary-based word breaking. In the word-by-word scan the observer
    // is asked after every word taken from the line, and a stop returns at once. Returns false when the observer
    // stopped the line.
    bool ScanLine(std::string& line);

  private:
    void SetAllowed(const AllowedCharacters& allowed);
    // Returns whether the prepared line holds a byte from 0x80.
    bool PrepareLine(std::string& line);
    // The comment step at `pos`; false when the scan of the line ends there.
    bool CommentStep(std::string_view line, std::size_t& pos);
    void RefreshMarkerStarts();
    // The scan of a line character by character, which also steps over comments when they are active; false
    // when the observer stopped it.
    bool ScanBytes(std::string_view text, bool commentsActive);
    // The same for a line that holds characters beyond ASCII, on the classes of its bytes (ClassifyBytes).
    bool ScanCharacters(std::string_view text, bool commentsActive);
    std::size_t RunEnd(std::string_view text, std::size_t pos, bool bounded, unsigned char& seen) const;
    // The classes of each byte of a line that holds characters beyond ASCII into m_byteClasses: every byte of
    // a character has the classes of the character.
    void ClassifyBytes(std::string_view text);
    // Adds the word characters beyond ASCII to the masks that ClassifyLine filled, and marks the letters of
    // scripts written without spaces.
    void ClassifyCharacters(std::string_view text);
    // The end of a run from `pos` to `end` once cut at kMaxWordRun characters.
    std::size_t CutRun(std::string_view text, std::size_t pos, std::size_t end) const;
    // Counts the words of a run that holds a letter of a script written without spaces.
    void CountDictionaryRun(std::string_view run);
    // The scan of a line without comment markers on blocks of 16 characters: `line` is padded for the loads
    // while it lasts. False when the observer stopped it.
    bool ScanBlocks(std::string& line);
    // The scan of a line without comment markers, on bit masks of the character classes of the line; false
    // when the observer stopped it.
    bool ScanPlainLine(std::string_view text);
    // The same when nothing can stop the scan within the line: every run is found at once.
    void ScanQuietLine(std::string_view text);
    // Fills the masks of where runs start and of the characters that end them, for `text` as ClassifyLine.
    void FindRuns(std::string_view text);
    // Calls `count(pos, length, notPlain)` for each run that FindRuns found, from left to right.
    template <typename Count>
    void ForEachRun(Count&& count) const;
    // Counts the runs that FindRuns found, fetching their places in the table ahead of counting them.
    void CountRunsPrefetched(std::string_view text);
    // Counts the runs that FindRuns found through the cache of runs, fetching their places in the cache (and
    // the table's, for runs too long for the cache) ahead of counting them: the runs of other scripts are
    // many more than the cache keeps close to the processor.
    void CountRunsInCachePrefetched(std::string_view text);
    // Fills the masks for `text`, whose 16 bytes past the end may be read.
    void ClassifyLine(std::string_view text);
    // Whether the run from `pos` to `end` holds a letter of a script written without spaces.
    bool IsDictionaryRun(std::size_t pos, std::size_t end, bool notPlain) const {
        return notPlain && m_lineDictionary && AnyDictionaryBits(pos, end);
    }
    bool AnyDictionaryBits(std::size_t pos, std::size_t end) const;
    // Counts a run of word characters; `notPlain`: it holds a capital or a byte from 0x80. Returns the
    // record it was counted as, 0 when it was not counted.
    std::uint32_t CountRun(std::string_view run, bool notPlain);
    // CountRun through the cache of runs; the 16 bytes past the end of `run` may be read.
    void CountRunCached(std::string_view run, bool notPlain);
    // The same once the cache is known to be current (RefreshRunCache).
    void CountRunInCache(std::string_view run, bool notPlain);
    // The cache of runs for the runs longer than kCachedRun bytes.
    void CountLongRun(std::string_view run, bool notPlain);
    void CountMissedRun(std::string_view run, bool notPlain, std::size_t slot);
    // Empties the cache when the table's generation or the normalisation options have changed.
    void RefreshRunCache();

    WordTable& m_table;
    ScanOptions m_options;
    ScanObserver* m_observer = nullptr;
    int m_openComment = -1;

    WordCharTable m_letters;  // characters that start a word (underscores are tested apart)
    // Per character under the allowed characters: kInner when it continues a word, kNotPlain when a word holding it
    // is not its own key (capitals, bytes from 0x80), kSpecialEnd when a word ending in it may be changed
    // by normalisation.
    // In m_byteClasses also kStart (starts a word) and kDictionary (a letter of a script written without
    // spaces).
    enum : unsigned char { kInner = 1, kNotPlain = 2, kSpecialEnd = 4, kStart = 8, kDictionary = 16 };
    std::array<unsigned char, 256> m_classes{};
    // Characters that may begin a start marker (either case), for the markers in m_markerStarts.
    std::array<bool, 256> m_markerFirst{};
    std::string m_markerStarts[2];
    // The allowed characters as the block search sees them.
    bool m_innerDigits = false;
    std::string m_innerExtras;
    // One bit per character of the line being scanned: starts a word (letters), is an underscore,
    // continues a word, is a capital or a byte from 0x80.
    std::vector<std::uint64_t> m_startBits;
    std::vector<std::uint64_t> m_underscoreBits;
    std::vector<std::uint64_t> m_innerBits;
    std::vector<std::uint64_t> m_notPlainBits;
    std::vector<std::uint64_t> m_runStartBits;    // where runs start
    std::vector<std::uint64_t> m_runEndBits;      // the characters that end runs
    std::vector<std::uint64_t> m_dictionaryBits;  // letters of scripts written without spaces
    bool m_lineHigh = false;                      // the line being scanned holds bytes from 0x80
    bool m_lineDictionary = false;                // and among them letters of scripts written without spaces
    // Per byte of such a line: kHighByte for the bytes of characters beyond ASCII, with the character's
    // classes (kLetterClass, kDigitClass, kDictionaryClass of UnicodeText).
    enum : unsigned char { kHighByte = 0x80 };
    std::vector<unsigned char> m_byteClasses;
    std::string m_scratch;  // for the Unicode steps of preparing a line
    struct WordBreaker;
    std::unique_ptr<WordBreaker> m_breaker;  // made when first needed
    struct LineRun {
        std::size_t pos;
        std::size_t length;
        bool notPlain;
    };
    std::vector<LineRun> m_lineRuns;  // the runs of the line, while the run cache is aside

    // Runs of up to kCachedRun bytes met lately, each with the record it was counted as (0: not counted), so
    // that a run met again needs neither normalisation nor the key, and with its occurrences since, which the
    // table gets when it is finished: a run met again touches nothing but its slot. Valid for one table
    // generation and one setting of the normalisation options; it doubles when three quarters full up to
    // kMostRunSlots, then stops taking runs, and is left aside while most runs miss it (kept that full, the
    // cache of a text of many different words stays small enough for the processor's larger caches to keep
    // most of it, and a search seldom looks further than the next slot). 24 bytes hold most words of the
    // alphabets written with two bytes a letter; the longer runs up to kLongCachedRun bytes, fewer, have a
    // cache of their own of kLongRunSlots slots, which stops taking runs when half full.
    static constexpr std::size_t kCachedRun = 24;
    static constexpr std::size_t kLongCachedRun = 56;
    // The slot of a run of up to 8 * Words bytes: the short runs' is half a line of the processor's cache, the
    // long runs' a whole one.
    template <std::size_t Words>
    struct alignas(8 * Words + 8) RunSlot {
        std::uint64_t bytes[Words] = {};  // the run, zero-padded
        std::uint32_t record = 0;
        // The run's length (0: empty) in the low byte, the occurrences not yet in the table above it.
        std::uint32_t lengthAndPending = 0;
    };
    static void* AllocateSlots(std::size_t bytes, std::size_t alignment);
    static void FreeSlots(void* slots, std::size_t bytes, std::size_t alignment);
    // The slots of a cache lie on large pages of memory where the system gives them: the cache is searched at
    // random, and on pages of 4 KiB most searches would also wait for the page's address.
    template <typename T>
    struct LargePages {
        using value_type = T;
        LargePages() = default;
        template <typename U>
        LargePages(const LargePages<U>&) {}
        T* allocate(std::size_t n) { return static_cast<T*>(AllocateSlots(n * sizeof(T), alignof(T))); }
        void deallocate(T* p, std::size_t n) { FreeSlots(p, n * sizeof(T), alignof(T)); }
        bool operator==(const LargePages&) const = default;
    };
    using ShortRun = RunSlot<kCachedRun / 8>;
    using LongRun = RunSlot<kLongCachedRun / 8>;
    void ClearRuns(std::uint64_t generation, int options);
    // Doubles the slots of the cache, keeping its runs.
    void GrowRuns();
    // Gives the table the occurrences the cache holds, when they are of the table's generation.
    void AddPendingCounts() override;
    template <typename Slots>
    void AddPendingCounts(Slots& slots);
    std::vector<ShortRun, LargePages<ShortRun>> m_runs;
    std::vector<LongRun, LargePages<LongRun>> m_longRuns;  // empty until a long run is met
    std::size_t m_longRunCount = 0;
    std::size_t m_runMask = 0;  // the number of slots less one
    std::size_t m_runCount = 0;
    std::uint64_t m_runGeneration = 0;
    int m_runOptions = -1;
    bool m_runsAside = false;
    std::uint32_t m_runLookups = 0;  // since the cache filled, in the current window
    std::uint32_t m_runMisses = 0;
};

}  // namespace vesk
