// SPDX-License-Identifier: GPL-3.0-or-later
// The counting of word runs: the cache of recent runs and the scans of lines that nothing can stop.

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <new>
#include <utility>
#include <vector>

#include "engine/LineScanner.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif
#include "engine/Normalisation.h"
#include "engine/ScanKernels.h"
#include "engine/UnicodeText.h"

namespace vesk {

using namespace scankernels;

std::uint32_t LineScanner::CountRun(std::string_view run, bool notPlain) {
    // Most words end in a letter that no rule touches; only the others need the whole normalisation.
    const bool special = run.size() < 3 || (m_classes[static_cast<unsigned char>(run.back())] & kSpecialEnd);
    const std::size_t n =
        special ? NormalisedLength(run, m_options.dropFinalS, m_options.apostrophesAllowed) : run.size();
    if (n == 0) return 0;
    const std::string_view word = run.substr(0, n);
    const std::int64_t known = m_table.DistinctWordCount();
    const std::uint32_t record = notPlain ? m_table.Add(word) : m_table.AddPlain(word);
    if (record > known && m_observer != nullptr) m_observer->OnNewWord(word, m_table.DistinctWordCount());
    return record;
}

namespace {

#if defined(__linux__)
constexpr std::size_t kLargePage = std::size_t{1} << 21;
#endif

}  // namespace

void* LineScanner::AllocateSlots(std::size_t bytes, std::size_t alignment) {
#if defined(__linux__)
    if (bytes >= kLargePage) {
        void* slots = std::aligned_alloc(kLargePage, (bytes + kLargePage - 1) & ~(kLargePage - 1));
        if (slots == nullptr) throw std::bad_alloc();
        // Only a hint: the slots work on any pages.
        madvise(slots, bytes, MADV_HUGEPAGE);
        return slots;
    }
#endif
    return ::operator new (bytes, std::align_val_t{alignment});
}

void LineScanner::FreeSlots(void* slots, std::size_t bytes, std::size_t alignment) {
#if defined(__linux__)
    if (bytes >= kLargePage) {
        std::free(slots);
        return;
    }
#endif
    ::operator delete (slots, std::align_val_t{alignment});
}

void LineScanner::ClearRuns(std::uint64_t generation, int options) {
    if (m_runs.size() != kRunSlots) {
        // A cache grown for one text starts small again.
        m_runs.assign(kRunSlots, ShortRun{});
    } else if (m_runCount > 0) {
        // One memset: a loop over 32768 slots costs much in instrumented (sanitizer, fuzzing) builds.
        std::memset(static_cast<void*>(m_runs.data()), 0, m_runs.size() * sizeof(ShortRun));
    }
    if (m_longRunCount > 0) std::memset(static_cast<void*>(m_longRuns.data()), 0, m_longRuns.size() * sizeof(LongRun));
    m_runMask = m_runs.size() - 1;
    m_runCount = 0;
    m_longRunCount = 0;
    m_runGeneration = generation;
    m_runOptions = options;
    m_runsAside = false;
    m_runLookups = 0;
    m_runMisses = 0;
}

namespace {

// The first N words of the bytes of a run, zero-padded, from `run`, whose 16 bytes past the end may be read,
// and their hash. A run of up to 8 bytes (most of a Western text) is hashed on its first word alone.
template <std::size_t N>
inline std::size_t LoadWords(const char* run, std::size_t length, std::uint64_t* bytes) {
    // The loads past the end of the run stay within the 16 bytes that may be read; the bytes are masked off.
    bytes[0] = Load64(run) & LowBytes(length);
    if constexpr (N == 1) {
        return Mix(bytes[0] ^ length, 0xe7037ed1a0b428dbull);
    } else {
        bytes[1] = Load64(run + 8) & LowBytes(length - 8);
        for (std::size_t k = 2; k < N; ++k)
            bytes[k] = length > 8 * k ? Load64(run + 8 * k) & LowBytes(length - 8 * k) : 0;
        std::uint64_t mixed =
            bytes[0] ^ (bytes[1] * 0x9E3779B97F4A7C15ull) ^ (bytes[2] * 0xC2B2AE3D27D4EB4Full) ^ length;
        for (std::size_t k = 3; k < N; ++k) mixed = Mix(mixed ^ bytes[k], 0x165667B19E3779F9ull);
        return Mix(mixed, 0xe7037ed1a0b428dbull);
    }
}

// The bytes of a run of up to 8 * Words bytes as a slot holds them; returns the slot where the search of the
// cache for it starts, before the mask of the cache's size.
template <std::size_t Words>
inline std::size_t LoadRun(const char* run, std::size_t length, std::uint64_t (&bytes)[Words]) {
    if (length > 8) return LoadWords<Words>(run, length, bytes);
    for (std::size_t k = 1; k < Words; ++k) bytes[k] = 0;
    return LoadWords<1>(run, length, bytes);
}

// Finds the run, whose bytes beyond the first N words are zero, in the slots and counts it there (true), or
// gives the empty slot where it may be put (false).
template <std::size_t N, typename Slot>
inline bool CountInSlots(Slot* slots, std::size_t mask, const char* run, std::size_t length, std::size_t& empty,
                         WordTable& table) {
    constexpr std::uint32_t kPendingOne = 0x100;
    std::uint64_t bytes[N];
    for (std::size_t i = LoadWords<N>(run, length, bytes) & mask;; i = (i + 1) & mask) {
        Slot& slot = slots[i];
        const std::uint32_t lengthAndPending = slot.lengthAndPending;
        if (lengthAndPending == 0) {
            empty = i;
            return false;
        }
        // Equal lengths: the slot's bytes beyond the first N words are zero too.
        std::uint64_t differ = (lengthAndPending % kPendingOne) ^ length;
        for (std::size_t k = 0; k < N; ++k) differ |= slot.bytes[k] ^ bytes[k];
        if (differ == 0) {
            // A sum of occurrences that would overflow goes to the table.
            if (lengthAndPending < 0xFFFFFF00) {
                slot.lengthAndPending = lengthAndPending + kPendingOne;
            } else {
                if (slot.record != 0) table.CountAgain(slot.record, lengthAndPending / kPendingOne + 1);
                slot.lengthAndPending = lengthAndPending % kPendingOne;
            }
            return true;
        }
    }
}

template <typename Slot>
inline bool CountInSlots(Slot* slots, std::size_t mask, const char* run, std::size_t length, std::size_t& empty,
                         WordTable& table) {
    constexpr std::size_t kWords = std::size(Slot{}.bytes);
    if (length > 8) return CountInSlots<kWords>(slots, mask, run, length, empty, table);
    return CountInSlots<1>(slots, mask, run, length, empty, table);
}

// Puts a run missing from the slots into the empty slot that the search for it ended at.
template <typename Slot>
inline void PutInSlot(Slot& slot, std::string_view run, std::uint32_t record) {
    LoadRun(run.data(), run.size(), slot.bytes);
    slot.record = record;
    slot.lengthAndPending = static_cast<std::uint32_t>(run.size());
}

}  // namespace

template <typename Slots>
void LineScanner::AddPendingCounts(Slots& slots) {
    for (auto& slot : slots) {
        const std::uint32_t pending = slot.lengthAndPending >> 8;
        if (pending == 0) continue;
        if (slot.record != 0) m_table.CountAgain(slot.record, pending);
        slot.lengthAndPending &= 0xFF;
    }
}

void LineScanner::AddPendingCounts() {
    if (m_runGeneration != m_table.Generation()) return;
    AddPendingCounts(m_runs);
    AddPendingCounts(m_longRuns);
}

void LineScanner::RefreshRunCache() {
    const int options = (m_options.dropFinalS ? 1 : 0) | (m_options.apostrophesAllowed ? 2 : 0);
    const std::uint64_t generation = m_table.Generation();
    m_table.HoldPendingCounts(this);
    if (generation != m_runGeneration || options != m_runOptions) {
        // The occurrences of the runs met under the other options belong to the table still.
        AddPendingCounts();
        ClearRuns(generation, options);
    }
}

void LineScanner::CountRunCached(std::string_view run, bool notPlain) {
    RefreshRunCache();
    CountRunInCache(run, notPlain);
}

void LineScanner::GrowRuns() {
    std::vector<ShortRun, LargePages<ShortRun>> runs(2 * m_runs.size());
    const std::size_t mask = runs.size() - 1;
    for (const ShortRun& slot : m_runs) {
        if (slot.lengthAndPending == 0) continue;
        // The bytes of the run, as LoadRun reads them from the text.
        char bytes[kCachedRun + 16] = {};
        std::memcpy(bytes, slot.bytes, sizeof slot.bytes);
        std::uint64_t loaded[kCachedRun / 8];
        std::size_t i = LoadRun(bytes, slot.lengthAndPending & 0xFF, loaded) & mask;
        while (runs[i].lengthAndPending != 0) i = (i + 1) & mask;
        runs[i] = slot;
    }
    m_runs.swap(runs);
    m_runMask = m_runs.size() - 1;
}

inline void LineScanner::CountRunInCache(std::string_view run, bool notPlain) {
    const std::size_t length = run.size();
    if (length > kCachedRun || m_runsAside) {
        // Kept out of the way of the short runs, which are most of a text.
        CountLongRun(run, notPlain);
        return;
    }
    std::size_t empty;
    if (!CountInSlots(m_runs.data(), m_runMask, run.data(), length, empty, m_table))
        CountMissedRun(run, notPlain, empty);
    else if (4 * m_runCount > 3 * m_runMask)
        ++m_runLookups;
}

void LineScanner::CountLongRun(std::string_view run, bool notPlain) {
    const std::size_t length = run.size();
    if (length > kLongCachedRun || m_runsAside) {
        CountRun(run, notPlain);
        return;
    }
    if (m_longRuns.empty()) m_longRuns.assign(kLongRunSlots, LongRun{});
    std::size_t empty;
    if (CountInSlots(m_longRuns.data(), kLongRunSlots - 1, run.data(), length, empty, m_table)) return;
    const std::uint32_t record = CountRun(run, notPlain);
    if (m_table.Generation() != m_runGeneration) {
        // The observer of the new word let the table change under the cache (and had the occurrences first).
        ClearRuns(m_table.Generation(), m_runOptions);
        return;
    }
    if (m_longRunCount < kLongRunSlots / 2) {
        PutInSlot(m_longRuns[empty], run, record);
        ++m_longRunCount;
    }
}

void LineScanner::CountMissedRun(std::string_view run, bool notPlain, std::size_t slot) {
    const std::uint32_t record = CountRun(run, notPlain);
    if (m_table.Generation() != m_runGeneration) {
        // The observer of the new word let the table change under the cache (and had the occurrences first).
        ClearRuns(m_table.Generation(), m_runOptions);
        return;
    }
    if (4 * m_runCount < 3 * m_runs.size()) {
        PutInSlot(m_runs[slot], run, record);
        // A text of many different words (most of those of inflected languages) gets a larger cache.
        if (4 * ++m_runCount == 3 * m_runs.size() && m_runs.size() < kMostRunSlots) GrowRuns();
        return;
    }
    ++m_runLookups;
    ++m_runMisses;
    if (m_runLookups >= kRunWindow) {
        if (2 * m_runMisses > m_runLookups) m_runsAside = true;
        m_runLookups = 0;
        m_runMisses = 0;
    }
}

#if defined(__SSE2__)
void LineScanner::ClassifyLine(std::string_view text) {
    // Every block of 16 is classified once; the last one reads into the padding.
    const std::size_t blocks = (text.size() + kBlock - 1) / kBlock;
    const std::size_t groups = (blocks + 3) / 4;  // of 64 characters
    const std::size_t words = groups + 1;
    for (std::vector<std::uint64_t>* bits : {&m_startBits, &m_underscoreBits, &m_innerBits, &m_notPlainBits}) {
        bits->resize(words);
        (*bits)[groups] = 0;
    }
    const __m128i underscore = Bytes('_');
    const __m128i zero = Bytes('0');
    const __m128i nine = Bytes(9);
    __m128i extras[8];
    const std::size_t extraCount = std::min<std::size_t>(m_innerExtras.size(), 8);
    for (std::size_t k = 0; k < extraCount; ++k) extras[k] = Bytes(m_innerExtras[k]);
    const bool digits = m_innerDigits;
    for (std::size_t group = 0; group < groups; ++group) {
        std::uint64_t starts = 0, underscores = 0, inners = 0, marks = 0;
        const std::size_t end = std::min(blocks, 4 * group + 4);
        for (std::size_t block = 4 * group; block < end; ++block) {
            const __m128i v = Load(text.data() + block * kBlock);
            const __m128i letters = LetterLanes(v);
            __m128i inner = letters;
            if (digits) {
                const __m128i d = _mm_sub_epi8(v, zero);
                inner = _mm_or_si128(inner, _mm_cmpeq_epi8(_mm_min_epu8(d, nine), d));
            }
            for (std::size_t k = 0; k < extraCount; ++k) inner = _mm_or_si128(inner, _mm_cmpeq_epi8(v, extras[k]));
            const unsigned shift = static_cast<unsigned>(block % 4) * 16;
            starts |= static_cast<std::uint64_t>(Mask(letters)) << shift;
            underscores |= static_cast<std::uint64_t>(Mask(_mm_cmpeq_epi8(v, underscore))) << shift;
            inners |= static_cast<std::uint64_t>(Mask(inner)) << shift;
            marks |= static_cast<std::uint64_t>(NotPlainMask(v)) << shift;
        }
        m_startBits[group] = starts;
        m_underscoreBits[group] = underscores;
        m_innerBits[group] = inners;
        m_notPlainBits[group] = marks;
    }
    if (m_lineHigh) ClassifyCharacters(text);
}

namespace {

// Marks the `length` bytes of a character from `from`; a character of up to four bytes may straddle two words
// of the masks.
inline void MarkCharacterBits(std::uint64_t* bits, std::size_t from, std::size_t length) {
    const std::uint64_t ones = (std::uint64_t{1} << length) - 1;
    const unsigned shift = static_cast<unsigned>(from % 64);
    bits[from / 64] |= ones << shift;
    if (shift + length > 64) bits[from / 64 + 1] |= ones >> (64 - shift);
}

// Marks both bytes of each two-byte letter whose lead is a lane of `letters` in the block at `first`; the
// second byte of the last lane is the next block's first.
inline void MarkTwoByteLetters(std::uint64_t* starts, std::uint64_t* inners, std::size_t first, unsigned letters) {
    const std::uint32_t twoByteLetters = letters | letters << 1;
    const std::size_t word = first / 64;
    const unsigned shift = static_cast<unsigned>(first % 64);
    const std::uint64_t low = std::uint64_t{twoByteLetters} << shift;
    const std::uint64_t high = shift + 17 > 64 ? std::uint64_t{twoByteLetters} >> (64 - shift) : 0;
    starts[word] |= low;
    inners[word] |= low;
    starts[word + 1] |= high;
    inners[word + 1] |= high;
}

}  // namespace

void LineScanner::ClassifyCharacters(std::string_view text) {
    const unsigned char* const leadKinds = TwoByteLeadKinds();
    m_dictionaryBits.assign(m_startBits.size(), 0);
    std::uint64_t* const starts = m_startBits.data();
    std::uint64_t* const inners = m_innerBits.data();
    std::uint64_t* const dictionary = m_dictionaryBits.data();
    BmpCharInfos& infos = BmpCharInfo();
    // The bytes of a character beyond ASCII are all marked as the character is (each is already marked as not
    // plain).
    const auto mark = MarkCharacterBits;
    const std::size_t size = text.size();
    const unsigned char digits = m_innerDigits ? kDigitClass : 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    char32_t cp = 0;
    // Only the bytes that start a character beyond ASCII (from 0xC0) are looked at: a continuation byte without
    // one is ill-formed, a separator. Most characters have two bytes led by a byte that alone tells their
    // classes (Cyrillic, most of Latin): the block's leads are tested for them at once, and their letters
    // marked at once.
    for (std::size_t block = 0; block * kBlock < size; ++block) {
        const std::size_t first = block * kBlock;
        const __m128i v = Load(text.data() + first);
        unsigned leads = Mask(_mm_cmpeq_epi8(_mm_max_epu8(v, Bytes(static_cast<char>(0xC0))), v));
        if (size - first < kBlock) leads &= (1u << (size - first)) - 1;
        if (leads == 0) continue;
        // Lanes followed by a continuation byte; the byte after the text is padding, never one.
        const __m128i followed = _mm_cmplt_epi8(Load(text.data() + first + 1), Bytes(static_cast<char>(0xC0)));
        // A script's letters lie under one or two lead bytes: the pair of lead bytes (even, odd) of the block's
        // first is tested at once, and the punctuation of Latin-1 (« », U+00A0 ...) under 0xC2.
        const unsigned firstLead = bytes[first + static_cast<unsigned>(__builtin_ctz(leads))] & ~1u;
        unsigned letters = 0;
        unsigned others = Mask(_mm_cmpeq_epi8(v, Bytes(static_cast<char>(0xC2))));
        if (leadKinds[0xC2] != kTwoByteOthers) others = 0;
        for (unsigned lead = firstLead; lead <= firstLead + 1 && lead < 0xE0; ++lead) {
            const unsigned lanes = Mask(_mm_cmpeq_epi8(v, Bytes(static_cast<char>(lead))));
            if (leadKinds[lead] == kTwoByteLetters) letters |= lanes;
            if (leadKinds[lead] == kTwoByteOthers) others |= lanes;
        }
        const unsigned follows = Mask(followed);
        letters &= follows & leads;
        others &= follows;
        for (unsigned rest = leads & ~(letters | others); rest != 0; rest &= rest - 1) {
            const std::size_t i = first + static_cast<unsigned>(__builtin_ctz(rest));
            const std::size_t length = NextCodePoint(text, i, cp);
            const unsigned char classes = cp < 0x10000 ? infos[cp].classes : CharClassOf(cp);
            if ((classes & kLetterClass) != 0) {
                mark(starts, i, length);
                mark(inners, i, length);
                if ((classes & kDictionaryClass) != 0) {
                    mark(dictionary, i, length);
                    m_lineDictionary = true;
                }
            } else if ((classes & digits) != 0) {
                mark(inners, i, length);
            }
        }
        if (letters != 0) MarkTwoByteLetters(starts, inners, first, letters);
    }
}

// Inlined into ScanQuietLine, its one caller: a call per line would show on texts of short lines.
[[gnu::always_inline]] inline void LineScanner::FindRuns(std::string_view text) {
    ClassifyLine(text);
    const std::size_t words = m_startBits.size();
    m_runStartBits.resize(words);
    m_runEndBits.resize(words);
    // Underscores start words only when they also continue them; an underscore that cannot continue a word
    // would start an empty run, which counts nothing.
    const std::uint64_t underscoreStarts =
        m_options.underscoresStartWords && m_options.allowed.underscores ? ~std::uint64_t{0} : 0;
    // A run starts at the first letter of each stretch of word characters and ends where the stretch ends.
    // The carry of an addition finds the first letter: added at the start of a stretch that opens with other
    // word characters, it runs through them and stops at the first character that is not one of them.
    std::uint64_t previousInner = 0;
    std::uint64_t carry = 0;
    for (std::size_t w = 0; w < words; ++w) {
        const std::uint64_t inner = m_innerBits[w];
        const std::uint64_t letters = m_startBits[w] | (m_underscoreBits[w] & underscoreStarts);
        const std::uint64_t shifted = (inner << 1) | previousInner;
        previousInner = inner >> 63;
        const std::uint64_t stretchStarts = inner & ~shifted;
        const std::uint64_t others = inner & ~letters;
        const std::uint64_t sum = others + (stretchStarts & others);
        const std::uint64_t total = sum + carry;
        carry = (sum < others || total < sum) ? 1 : 0;
        m_runStartBits[w] = ((total & ~others) | stretchStarts) & letters;
        m_runEndBits[w] = ~inner & shifted;
    }
    // The appended space is never the start of a word.
    const std::size_t last = text.size() - 1;
    m_runStartBits[last / 64] &= (std::uint64_t{1} << (last % 64)) - 1;
    for (std::size_t w = last / 64 + 1; w < words; ++w) m_runStartBits[w] = 0;
}

// Always inlined: each caller passes its own counting step, and the loop is the hot path of a quiet scan.
template <typename Count>
[[gnu::always_inline]] inline void LineScanner::ForEachRun(Count&& count) const {
    const std::size_t words = m_runStartBits.size();
    for (std::size_t w = 0; w < words; ++w) {
        for (std::uint64_t starts = m_runStartBits[w]; starts != 0; starts &= starts - 1) {
            const std::size_t pos = w * 64 + static_cast<std::size_t>(__builtin_ctzll(starts));
            // The 64 characters from `pos` (a start is never in the last word of the masks).
            const unsigned shift = static_cast<unsigned>(pos % 64);
            const std::uint64_t endsAhead = Window(m_runEndBits.data() + w, shift);
            std::size_t end;
            bool notPlain;
            if (endsAhead != 0) {
                const auto length = static_cast<unsigned>(__builtin_ctzll(endsAhead));
                end = pos + length;
                notPlain = (Window(m_notPlainBits.data() + w, shift) & ((std::uint64_t{1} << length) - 1)) != 0;
            } else {
                std::size_t endWord = w + 1;
                std::uint64_t ends = m_runEndBits[endWord] & (~std::uint64_t{0} << shift);
                while (ends == 0) ends = m_runEndBits[++endWord];
                end = endWord * 64 + static_cast<std::size_t>(__builtin_ctzll(ends));
                notPlain = AnyBits(m_notPlainBits.data(), pos, end);
            }
            count(pos, end - pos, notPlain);
        }
    }
}

void LineScanner::ScanQuietLine(std::string_view text) {
    FindRuns(text);
    RefreshRunCache();
    if (!m_runsAside && m_lineHigh) {
        CountRunsInCachePrefetched(text);
        return;
    }
    if (!m_runsAside) {
        ForEachRun([&](std::size_t pos, std::size_t length, bool notPlain) {
            if (IsDictionaryRun(pos, pos + length, notPlain)) {
                CountDictionaryRun(text.substr(pos, length));
                RefreshRunCache();
                return;
            }
            CountRunInCache(text.substr(pos, length), notPlain);
        });
        return;
    }
    CountRunsPrefetched(text);
}

void LineScanner::CountRunsInCachePrefetched(std::string_view text) {
    m_lineRuns.clear();
    ForEachRun([&](std::size_t pos, std::size_t length, bool notPlain) {
        const char* run = text.data() + pos;
        if (length <= kCachedRun) {
            std::uint64_t bytes[std::size(ShortRun{}.bytes)];
            __builtin_prefetch(&m_runs[LoadRun(run, length, bytes) & m_runMask]);
        } else if (length <= kLongCachedRun && !m_longRuns.empty()) {
            std::uint64_t bytes[std::size(LongRun{}.bytes)];
            __builtin_prefetch(&m_longRuns[LoadRun(run, length, bytes) & (kLongRunSlots - 1)]);
        } else {
            m_table.PrefetchWord(text.substr(pos, length));
        }
        m_lineRuns.push_back(LineRun{pos, length, notPlain});
    });
    for (const LineRun& run : m_lineRuns) {
        if (IsDictionaryRun(run.pos, run.pos + run.length, run.notPlain)) {
            CountDictionaryRun(text.substr(run.pos, run.length));
            RefreshRunCache();
            continue;
        }
        CountRunInCache(text.substr(run.pos, run.length), run.notPlain);
    }
}

void LineScanner::CountRunsPrefetched(std::string_view text) {
    // While the cache is aside most runs are new words: the runs of the line are found first and their
    // places in the table's index asked for, then counted, so that the waits for memory overlap.
    // A long line is taken in batches, so that the list stays small.
    constexpr std::size_t kBatch = 256;
    const auto countBatch = [&] {
        for (const LineRun& run : m_lineRuns) CountRun(text.substr(run.pos, run.length), run.notPlain);
        m_lineRuns.clear();
    };
    m_lineRuns.clear();
    ForEachRun([&](std::size_t pos, std::size_t length, bool notPlain) {
        if (IsDictionaryRun(pos, pos + length, notPlain)) {
            countBatch();
            CountDictionaryRun(text.substr(pos, length));
            return;
        }
        m_table.PrefetchWord(text.substr(pos, length));
        m_lineRuns.push_back(LineRun{pos, length, notPlain});
        if (m_lineRuns.size() == kBatch) countBatch();
    });
    countBatch();
}

bool LineScanner::ScanPlainLine(std::string_view text) {
    ClassifyLine(text);
    const std::size_t size = text.size();
    const std::size_t last = size - 1;  // the appended space: never the start of a word
    const std::uint64_t* const starts = m_startBits.data();
    const std::uint64_t* const underscores = m_underscoreBits.data();
    const std::uint64_t* const inner = m_innerBits.data();
    const std::uint64_t* const notPlainBits = m_notPlainBits.data();
    const std::size_t words = m_startBits.size();

    // A quiet observer has nothing to do during the line: it is not asked.
    const bool asking = m_observer != nullptr && !m_observer->IsQuiet();

    std::size_t pos = 0;
    for (;;) {
        // The next character that starts a word.
        const std::uint64_t withUnderscores = m_options.underscoresStartWords ? ~std::uint64_t{0} : 0;
        std::size_t word = pos / 64;
        std::uint64_t bits = (starts[word] | (underscores[word] & withUnderscores)) & (~std::uint64_t{0} << (pos % 64));
        while (bits == 0) {
            if (++word >= words) return true;
            bits = starts[word] | (underscores[word] & withUnderscores);
        }
        pos = word * 64 + static_cast<std::size_t>(__builtin_ctzll(bits));
        if (pos >= last) return true;

        // The first character from there that does not continue a word; the padding never does.
        std::size_t endWord = word;
        std::uint64_t stops = ~inner[endWord] & (~std::uint64_t{0} << (pos % 64));
        while (stops == 0) stops = ~inner[++endWord];
        const std::size_t end =
            CutRun(text, pos, endWord * 64 + static_cast<std::size_t>(__builtin_ctzll(stops)));  // a longer run is cut

        if (end == pos) {
            // An underscore may start a word that the allowed characters do not let it continue: step over it.
            ++pos;
        } else {
            const bool notPlain = AnyBits(notPlainBits, pos, end);
            if (IsDictionaryRun(pos, end, notPlain))
                CountDictionaryRun(text.substr(pos, end - pos));
            else
                CountRunCached(text.substr(pos, end - pos), notPlain);
            pos = end;
        }
        if (asking && m_observer->ShouldStop()) return false;
    }
}
#endif

}  // namespace vesk
