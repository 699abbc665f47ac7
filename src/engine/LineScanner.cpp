// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/LineScanner.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/utext.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "engine/Encoding.h"
#include "engine/NamedEntities.h"
#include "engine/Normalisation.h"
#include "engine/ScanKernels.h"
#include "engine/UnicodeText.h"

namespace vesk {

namespace {

using namespace scankernels;

// Every "--" becomes one space, from left to right, never looking again at replaced text.
void ReplaceDoubleHyphens(std::string& line) {
    std::size_t read = line.find("--");
    if (read == std::string::npos) return;
    std::size_t write = read;
    const std::size_t size = line.size();
    while (read < size) {
        if (line[read] == '-' && read + 1 < size && line[read + 1] == '-') {
            line[write++] = ' ';
            read += 2;
        } else {
            line[write++] = line[read++];
        }
    }
    line.resize(write);
}

}  // namespace

// ICU's dictionary-based word breaking, over the UTF-8 of a run.
struct LineScanner::WordBreaker {
    std::unique_ptr<icu::BreakIterator> iterator;
    UText text = UTEXT_INITIALIZER;

    WordBreaker() {
        UErrorCode status = U_ZERO_ERROR;
        iterator.reset(icu::BreakIterator::createWordInstance(icu::Locale::getRoot(), status));
        if (U_FAILURE(status) || !iterator) throw std::runtime_error("ICU word breaking is not available");
    }
    ~WordBreaker() { utext_close(&text); }
    WordBreaker(const WordBreaker&) = delete;
    WordBreaker& operator=(const WordBreaker&) = delete;
};

LineScanner::LineScanner(WordTable& table) : m_table(table), m_letters(false, {}) { SetAllowed(AllowedCharacters{}); }

LineScanner::~LineScanner() {
    AddPendingCounts();
    m_table.ReleasePendingCounts(this);
}

void LineScanner::SetOptions(const ScanOptions& options) {
    if (options.allowed != m_options.allowed) SetAllowed(options.allowed);
    m_options = options;
    // Lines are well-formed UTF-8 and markers are searched for byte by byte: an ill-formed byte in a marker
    // could match inside a character, so it is taken as U+FFFD, as in a line.
    std::string scratch;
    for (std::string* marker : {&m_options.markers.starts[0], &m_options.markers.ends[0], &m_options.markers.starts[1],
                                &m_options.markers.ends[1]})
        if (!IsValidUtf8(*marker)) ReplaceIllFormedUtf8(*marker, scratch);
}

void LineScanner::SetAllowed(const AllowedCharacters& allowed) {
    const WordCharTable inner(allowed.numerals, AllowedInnerChars(allowed));
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        unsigned char classes = inner[c] ? kInner : 0;
        if (b >= 128 || (b >= 'A' && b <= 'Z')) classes |= kNotPlain;
        if (std::string_view("-'_:.sSnNtT").find(c) != std::string_view::npos) classes |= kSpecialEnd;
        m_classes[b] = classes;
    }
    m_innerDigits = allowed.numerals;
    m_innerExtras = AllowedInnerChars(allowed);
}

bool LineScanner::PrepareLine(std::string& line) {
    const bool lowerCase = m_options.lowerCase;
    bool hyphens = false;
    bool ampersands = false;
    unsigned char high = 0;
    std::size_t i = 0;
#if defined(__SSE2__)
    // ASCII lower case, whitespace and the search for '-', '&' and bytes from 0x80 in one pass.
    const __m128i lowerBit = lowerCase ? Bytes(0x20) : Bytes(0);
    int hyphenLanes = 0;
    int ampersandLanes = 0;
    int highLanes = 0;
    for (; i + kBlock <= line.size(); i += kBlock) {
        char* p = line.data() + i;
        __m128i v = Load(p);
        highLanes |= _mm_movemask_epi8(v);
        const __m128i capitals =
            _mm_cmplt_epi8(_mm_add_epi8(v, Bytes(static_cast<char>(0x80 - 'A'))), Bytes(static_cast<char>(0x80 + 26)));
        v = _mm_add_epi8(v, _mm_and_si128(capitals, lowerBit));
        const __m128i blanks =
            _mm_or_si128(_mm_cmpeq_epi8(v, Bytes('\t')),
                         _mm_or_si128(_mm_cmpeq_epi8(v, Bytes('\n')), _mm_cmpeq_epi8(v, Bytes('\r'))));
        v = _mm_or_si128(_mm_andnot_si128(blanks, v), _mm_and_si128(blanks, Bytes(' ')));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
        hyphenLanes |= _mm_movemask_epi8(_mm_cmpeq_epi8(v, Bytes('-')));
        ampersandLanes |= _mm_movemask_epi8(_mm_cmpeq_epi8(v, Bytes('&')));
    }
    hyphens = hyphenLanes != 0;
    ampersands = ampersandLanes != 0;
    high = highLanes != 0 ? 0x80 : 0;
#endif
    for (; i < line.size(); ++i) {
        char& c = line[i];
        if (lowerCase) c = LowerChar(c);
        const auto b = static_cast<unsigned char>(c);
        if (b == 9 || b == 10 || b == 13) c = ' ';
        hyphens = hyphens || c == '-';
        ampersands = ampersands || c == '&';
        high |= b;
    }
    bool highLine = high >= 0x80;
    if (highLine) PrepareUnicodeLine(line, lowerCase, m_scratch);
    if (hyphens) ReplaceDoubleHyphens(line);
    if (ampersands && ReplaceNamedEntities(line)) highLine = true;
    return highLine;
}

void LineScanner::RefreshMarkerStarts() {
    const CommentMarkers& markers = m_options.markers;
    if (m_markerStarts[0] == markers.starts[0] && m_markerStarts[1] == markers.starts[1]) return;
    m_markerFirst.fill(false);
    for (int k = 0; k < 2; ++k) {
        m_markerStarts[k] = markers.starts[k];
        if (m_markerStarts[k].empty()) continue;
        const char first = LowerChar(m_markerStarts[k][0]);
        for (int b = 0; b < 128; ++b)
            if (LowerChar(static_cast<char>(b)) == first) m_markerFirst[b] = true;
        // A character beyond ASCII may equal a letter ignoring case (the Kelvin sign is a k).
        const auto firstByte = static_cast<unsigned char>(first);
        if (firstByte >= 0x80 || LowerChar(first) != UpperChar(first))
            for (int b = 128; b < 256; ++b) m_markerFirst[b] = true;
    }
}

bool LineScanner::CommentStep(std::string_view line, std::size_t& pos) {
    const CommentMarkers& markers = m_options.markers;
    if (m_openComment == -1) {
        if (!m_markerFirst[static_cast<unsigned char>(line[pos])]) return true;
        m_openComment = CommentMarkerAt(markers, line, pos);
    }
    while (m_openComment == 0 || m_openComment == 1) {
        m_openComment = SkipToCommentEnd(markers, m_openComment, line, pos);
        if (pos >= line.size()) return false;
        if (pos == line.size() - 1 && line[pos] == ' ') {
            m_openComment = -1;
            return false;
        }
        m_openComment = CommentMarkerAt(markers, line, pos);
    }
    return true;
}

#if defined(__SSE2__)
// Inlined into ScanLine, its one caller: a call per line would show on texts of short lines.
[[gnu::always_inline]] inline bool LineScanner::ScanBlocks(std::string& line) {
    // Spaces behind the text let every block load stay inside the string; no run continues into them.
    const std::size_t size = line.size();
    const PaddingGuard guard(line, size);
    line.append(kBlock, ' ');
    const std::string_view text(line.data(), size);
    // With a quiet observer nothing can end the line early, so its words may be found independently of
    // one another.
    const bool quiet = m_observer == nullptr || m_observer->IsQuiet();
    if (quiet && size <= static_cast<std::size_t>(kMaxWordRun)) {
        ScanQuietLine(text);
        return true;
    }
    return ScanPlainLine(text);
}
#endif

// The end of the run of word characters that starts at `pos`, cut at kMaxWordRun characters; `seen` gathers
// the classes of its characters. `bounded`: the last character of `text` ends every run from `pos` before the
// cut, so the loop needs no bound of its own.
[[gnu::always_inline]] inline std::size_t LineScanner::RunEnd(std::string_view text, std::size_t pos, bool bounded,
                                                              unsigned char& seen) const {
    std::size_t end = pos;
    if (bounded) {
        for (;; ++end) {
            const unsigned char classes = m_classes[static_cast<unsigned char>(text[end])];
            if ((classes & kInner) == 0) return end;
            seen |= classes;
        }
    }
    const std::size_t limit = std::min(text.size(), pos + static_cast<std::size_t>(kMaxWordRun));
    for (; end < limit; ++end) {
        const unsigned char classes = m_classes[static_cast<unsigned char>(text[end])];
        if ((classes & kInner) == 0) break;
        seen |= classes;
    }
    return end;
}

// Inlined into ScanLine, its one caller: a call per line would show on texts of short lines.
[[gnu::always_inline]] inline bool LineScanner::ScanBytes(std::string_view text, bool commentsActive) {
    const std::size_t size = text.size();
    // The last character (the space the caller appended) is never examined.
    const std::size_t last = size - 1;
    const bool sentinel = (m_classes[static_cast<unsigned char>(text[last])] & kInner) == 0;
    std::size_t pos = 0;
    while (pos < last) {
        if (commentsActive && !CommentStep(text, pos)) return true;
        const char c = text[pos];
        if (!m_letters[c] && !(c == '_' && m_options.underscoresStartWords)) {
            ++pos;
            if (!commentsActive)
                while (pos < last && !m_letters[text[pos]] && text[pos] != '_') ++pos;
            continue;
        }
        unsigned char seen = 0;
        const std::size_t end =
            RunEnd(text, pos, sentinel && size - pos <= static_cast<std::size_t>(kMaxWordRun), seen);
        if (end == pos) {
            // An underscore may start a word that the allowed characters do not let it continue (they are
            // taken when a run starts, the other option when the word starts): step over it.
            ++pos;
        } else {
            CountRun(text.substr(pos, end - pos), (seen & kNotPlain) != 0);
            pos = end;
        }
        if (m_observer != nullptr && m_observer->ShouldStop()) return false;
    }
    return true;
}

void LineScanner::ClassifyBytes(std::string_view text) {
    m_byteClasses.resize(text.size());
    unsigned char* classes = m_byteClasses.data();
    char32_t cp = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            classes[i++] = 0;
            continue;
        }
        const std::size_t length = NextCodePoint(text, i, cp);
        // kHighByte, then the character's own classes, which the allowed characters complete when asked.
        std::memset(classes + i, kHighByte | CharClassOf(cp), length);
        i += length;
    }
}

std::size_t LineScanner::CutRun(std::string_view text, std::size_t pos, std::size_t end) const {
    const auto cut = static_cast<std::size_t>(kMaxWordRun);
    if (end - pos <= cut) return end;
    return m_lineHigh ? pos + OffsetOfCodePoint(text.substr(pos, end - pos), cut) : pos + cut;
}

// The scan character by character of a line that holds characters beyond ASCII: as ScanBytes, on the classes of
// the characters each byte belongs to.
bool LineScanner::ScanCharacters(std::string_view text, bool commentsActive) {
    ClassifyBytes(text);
    const unsigned char* const own = m_byteClasses.data();
    // The classes of the character at `i` under the allowed characters as they are now.
    const auto classesAt = [&](std::size_t i) -> unsigned char {
        const unsigned char c = own[i];
        if ((c & kHighByte) == 0)
            return m_classes[static_cast<unsigned char>(text[i])] | (m_letters[text[i]] ? kStart : 0);
        unsigned char classes = kNotPlain;
        if ((c & kLetterClass) != 0) classes |= kInner | kStart;
        if ((c & kDigitClass) != 0 && m_innerDigits) classes |= kInner;
        if ((c & kDictionaryClass) != 0) classes |= kDictionary;
        return classes;
    };
    const std::size_t last = text.size() - 1;  // the appended space, never examined
    std::size_t pos = 0;
    while (pos < last) {
        if (commentsActive && !CommentStep(text, pos)) return true;
        if ((classesAt(pos) & kStart) == 0 && !(text[pos] == '_' && m_options.underscoresStartWords)) {
            ++pos;
            if (!commentsActive)
                while (pos < last && (classesAt(pos) & kStart) == 0 && text[pos] != '_') ++pos;
            continue;
        }
        unsigned char seen = 0;
        std::size_t end = pos;
        while (end < text.size()) {
            const unsigned char classes = classesAt(end);
            if ((classes & kInner) == 0) break;
            seen |= classes;
            ++end;
        }
        if (const std::size_t cut = CutRun(text, pos, end); cut != end) {
            // What the run holds, up to the cut.
            end = cut;
            seen = 0;
            for (std::size_t i = pos; i < end; ++i) seen |= classesAt(i);
        }
        if (end == pos) {
            ++pos;  // an underscore that may start a word but not continue it, as in ScanBytes
        } else {
            const std::string_view run = text.substr(pos, end - pos);
            if ((seen & kDictionary) != 0)
                CountDictionaryRun(run);
            else
                CountRun(run, (seen & kNotPlain) != 0);
            pos = end;
        }
        if (m_observer != nullptr && m_observer->ShouldStop()) return false;
    }
    return true;
}

bool LineScanner::AnyDictionaryBits(std::size_t pos, std::size_t end) const {
    return AnyBits(m_dictionaryBits.data(), pos, end);
}

void LineScanner::CountDictionaryRun(std::string_view run) {
    if (!m_breaker) m_breaker = std::make_unique<WordBreaker>();
    icu::BreakIterator& words = *m_breaker->iterator;
    UErrorCode status = U_ZERO_ERROR;
    utext_openUTF8(&m_breaker->text, run.data(), static_cast<std::int64_t>(run.size()), &status);
    words.setText(&m_breaker->text, status);
    if (U_FAILURE(status)) throw std::runtime_error(std::string("ICU word breaking: ") + u_errorName(status));
    // The segments between boundaries; the status of the boundary that ends one tells whether it is a word.
    std::int32_t start = words.first();
    for (std::int32_t end = words.next(); end != icu::BreakIterator::DONE; start = end, end = words.next())
        if (words.getRuleStatus() != UBRK_WORD_NONE)
            CountRun(run.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)), true);
}

bool LineScanner::ScanLine(std::string& line) {
    m_lineHigh = PrepareLine(line);
    m_lineDictionary = false;
    const bool commentsActive = CommentsActive(m_options.markers, m_options.userMarkersAllowed);
    if (commentsActive) RefreshMarkerStarts();

    if (line.empty()) return true;
#if defined(__SSE2__)
    // The block scans find words on masks of the whole line, which the comment markers would cut up.
    if (!commentsActive) return ScanBlocks(line);
#endif
    return m_lineHigh ? ScanCharacters(line, commentsActive) : ScanBytes(line, commentsActive);
}

}  // namespace vesk
