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

LineScanner::LineScanner(WordTable& table, CommentMarkers& comments, const LiveScanOptions& live)
    : m_table(table), m_comments(comments), m_live(live), m_letters(false, {}) {
    SetSnapshot(AllowSnapshot{});
}

void LineScanner::SetSnapshot(const AllowSnapshot& snapshot) {
    m_snapshot = snapshot;
    const WordCharTable inner(snapshot.numerals, AllowedInnerChars(snapshot));
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        unsigned char classes = inner[c] ? kInner : 0;
        if (b >= 128 || (b >= 'A' && b <= 'Z')) classes |= kNotPlain;
        if (std::string_view("-'_:.sSnNtT").find(c) != std::string_view::npos) classes |= kSpecialEnd;
        m_classes[b] = classes;
    }
    m_innerDigits = snapshot.numerals;
    m_innerExtras = AllowedInnerChars(snapshot);
}

void LineScanner::PrepareLine(std::string& line, bool lowerCase) const {
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
    if (m_markerStarts[0] == m_comments.StartMarkers[0] && m_markerStarts[1] == m_comments.StartMarkers[1]) return;
    m_markerFirst.fill(false);
    for (int k = 0; k < 2; ++k) {
        m_markerStarts[k] = m_comments.StartMarkers[k];
        if (m_markerStarts[k].empty()) continue;
        const char first = LowerChar(m_markerStarts[k][0]);
        for (int b = 0; b < 256; ++b)
            if (LowerChar(static_cast<char>(b)) == first) m_markerFirst[b] = true;
    }
}

bool LineScanner::CommentStep(std::string_view line, std::size_t& pos) {
    CommentMarkers& cm = m_comments;
    if (cm.CommentState == -1) {
        if (!m_markerFirst[static_cast<unsigned char>(line[pos])]) return true;
        cm.CommentState = CommentMarkerAt(cm, line, pos);
    }
    while (cm.CommentState == 0 || cm.CommentState == 1) {
        SkipToCommentEnd(cm, line, pos);
        if (pos >= line.size()) return false;
        if (pos == line.size() - 1 && line[pos] == ' ') {
            cm.CommentState = -1;
            return false;
        }
        cm.CommentState = CommentMarkerAt(cm, line, pos);
    }
    return true;
}

void LineScanner::ScanLine(std::string& line, bool lowerCase) {
    PrepareLine(line, lowerCase);
    CommentMarkers& cm = m_comments;
    const bool markersAllowed = IsOn(m_live.allowCommentMarkers);
    cm.CommentsActive =
        (markersAllowed && (!cm.StartMarkers[1].empty() || !cm.StartMarkers[0].empty())) || cm.blnIsCodeFile;
    if (cm.CommentsActive) RefreshMarkerStarts();
    const bool commentsActive = cm.CommentsActive;

    if (line.empty()) return;
#if defined(__SSE2__)
    if (!commentsActive) {
        // Spaces behind the text let every block load stay inside the string; no run continues into them.
        const std::size_t size = line.size();
        const PaddingGuard guard(line, size);
        line.append(kBlock, ' ');
        const std::string_view text(line.data(), size);
        // Without a pump and a raised stop flag nothing can end the line early, so its words may be found
        // independently of one another.
        const bool quiet = m_events == nullptr || (m_events->PumpIsNoOp() && !m_events->IsStopRequested());
        if (quiet && size <= static_cast<std::size_t>(kMaxWordRun))
            ScanQuietLine(text);
        else
            ScanPlainLine(text);
        return;
    }
#endif

    const std::string_view text(line);
    const std::size_t size = text.size();
    // The last character (the space the caller appended) is never examined.
    const std::size_t last = size - 1;
    const bool sentinel = (m_classes[static_cast<unsigned char>(text[last])] & kInner) == 0;
    std::size_t pos = 0;
    while (pos < last) {
        if (commentsActive && !CommentStep(text, pos)) return;
        const char c = text[pos];
        if (!m_letters[c] && !(c == '_' && IsOn(m_live.allowUnderscores))) {
            ++pos;
            if (!commentsActive)
                while (pos < last && !m_letters[text[pos]] && text[pos] != '_') ++pos;
            continue;
        }
        std::size_t end = pos;
        const std::size_t limit = std::min(size, pos + static_cast<std::size_t>(kMaxWordRun));
        unsigned char seen = 0;
        if (sentinel && size - pos <= static_cast<std::size_t>(kMaxWordRun)) {
            // The last character ends every run, so the loop needs no bound of its own.
            for (;; ++end) {
                const unsigned char classes = m_classes[static_cast<unsigned char>(text[end])];
                if ((classes & kInner) == 0) break;
                seen |= classes;
            }
        } else {
            for (; end < limit; ++end) {
                const unsigned char classes = m_classes[static_cast<unsigned char>(text[end])];
                if ((classes & kInner) == 0) break;
                seen |= classes;
            }
        }
        if (end == pos) {
            // An underscore may start a word while the snapshot does not let it continue one (the box was
            // ticked after the run began): step over it rather than stand still.
            ++pos;
        } else {
            CountRun(text.substr(pos, end - pos), (seen & kNotPlain) != 0);
            pos = end;
        }
        if (m_events != nullptr) {
            m_events->PumpEvents();
            if (m_events->IsStopRequested()) return;
        }
    }
}

}  // namespace vesk
