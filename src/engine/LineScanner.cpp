// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/LineScanner.h"

#include <algorithm>
#include <cstring>

#include "engine/NamedEntities.h"
#include "engine/Normalisation.h"
#include "engine/ScanKernels.h"

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

LineScanner::LineScanner(WordTable& table) : m_table(table), m_letters(false, {}) { SetAllowed(AllowedCharacters{}); }

void LineScanner::SetOptions(const ScanOptions& options) {
    if (options.allowed != m_options.allowed) SetAllowed(options.allowed);
    m_options = options;
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

void LineScanner::PrepareLine(std::string& line) const {
    const bool lowerCase = m_options.lowerCase;
    bool hyphens = false;
    bool ampersands = false;
    std::size_t i = 0;
#if defined(__SSE2__)
    // Lower case, whitespace and the search for '-' and '&' in one pass.
    const __m128i lowerBit = lowerCase ? Bytes(0x20) : Bytes(0);
    int hyphenLanes = 0;
    int ampersandLanes = 0;
    for (; i + kBlock <= line.size(); i += kBlock) {
        char* p = line.data() + i;
        __m128i v = Load(p);
        const __m128i capitals = _mm_or_si128(
            _mm_cmplt_epi8(_mm_add_epi8(v, Bytes(static_cast<char>(0x80 - 'A'))), Bytes(static_cast<char>(0x80 + 26))),
            _mm_andnot_si128(_mm_cmpeq_epi8(v, Bytes(static_cast<char>(215))),
                             _mm_cmplt_epi8(_mm_add_epi8(v, Bytes(static_cast<char>(0x80 - 192))),
                                            Bytes(static_cast<char>(0x80 + 31)))));
        v = _mm_add_epi8(v, _mm_and_si128(capitals, lowerBit));
        const __m128i blanks = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(v, Bytes('\t')), _mm_cmpeq_epi8(v, Bytes('\n'))),
            _mm_or_si128(_mm_cmpeq_epi8(v, Bytes('\r')), _mm_cmpeq_epi8(v, Bytes(static_cast<char>(160)))));
        v = _mm_or_si128(_mm_andnot_si128(blanks, v), _mm_and_si128(blanks, Bytes(' ')));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
        hyphenLanes |= _mm_movemask_epi8(_mm_cmpeq_epi8(v, Bytes('-')));
        ampersandLanes |= _mm_movemask_epi8(_mm_cmpeq_epi8(v, Bytes('&')));
    }
    hyphens = hyphenLanes != 0;
    ampersands = ampersandLanes != 0;
#endif
    for (; i < line.size(); ++i) {
        char& c = line[i];
        if (lowerCase) c = LowerChar(c);
        const auto b = static_cast<unsigned char>(c);
        if (b == 9 || b == 10 || b == 13 || b == 160) c = ' ';
        hyphens = hyphens || c == '-';
        ampersands = ampersands || c == '&';
    }
    if (hyphens) ReplaceDoubleHyphens(line);
    if (ampersands) ReplaceNamedEntities(line);
}

void LineScanner::RefreshMarkerStarts() {
    const CommentMarkers& markers = m_options.markers;
    if (m_markerStarts[0] == markers.starts[0] && m_markerStarts[1] == markers.starts[1]) return;
    m_markerFirst.fill(false);
    for (int k = 0; k < 2; ++k) {
        m_markerStarts[k] = markers.starts[k];
        if (m_markerStarts[k].empty()) continue;
        const char first = LowerChar(m_markerStarts[k][0]);
        for (int b = 0; b < 256; ++b)
            if (LowerChar(static_cast<char>(b)) == first) m_markerFirst[b] = true;
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

bool LineScanner::ScanLine(std::string& line) {
    PrepareLine(line);
    const bool commentsActive = CommentsActive(m_options.markers, m_options.userMarkersAllowed);
    if (commentsActive) RefreshMarkerStarts();

    if (line.empty()) return true;
#if defined(__SSE2__)
    // The block scans find words on masks of the whole line, which the comment markers would cut up.
    if (!commentsActive) return ScanBlocks(line);
#endif
    return ScanBytes(line, commentsActive);
}

}  // namespace vesk
