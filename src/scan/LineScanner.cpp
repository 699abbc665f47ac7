#include "scan/LineScanner.h"

#include <cstring>

#include "scan/NamedEntities.h"
#include "scan/Normalisation.h"

namespace vesk {

namespace {

bool IsOn(const int* box) { return box != nullptr && *box == 1; }

// Tab, line feed, carriage return and no-break space become spaces.
void MapWhitespace(std::string& line) {
    for (char& c : line) {
        const auto b = static_cast<unsigned char>(c);
        c = (b == 9 || b == 10 || b == 13 || b == 160) ? ' ' : c;
    }
}

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
}

void LineScanner::PrepareLine(std::string& line) const {
    MapWhitespace(line);
    if (std::memchr(line.data(), '-', line.size()) != nullptr) ReplaceDoubleHyphens(line);
    if (std::memchr(line.data(), '&', line.size()) != nullptr) ReplaceNamedEntities(line);
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

void LineScanner::ScanLine(std::string& line) {
    PrepareLine(line);
    CommentMarkers& cm = m_comments;
    const bool markersAllowed = IsOn(m_live.allowCommentMarkers);
    cm.CommentsActive =
        (markersAllowed && (!cm.StartMarkers[1].empty() || !cm.StartMarkers[0].empty())) || cm.blnIsCodeFile;
    if (cm.CommentsActive) RefreshMarkerStarts();
    const bool commentsActive = cm.CommentsActive;

    const std::string_view text(line);
    const std::size_t size = text.size();
    if (size == 0) return;
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
            const std::string_view run = text.substr(pos, end - pos);
            pos = end;
            // Most words end in a letter that no rule touches; only the others need the whole normalisation.
            const bool special = run.size() < 3 || (m_classes[static_cast<unsigned char>(run.back())] & kSpecialEnd);
            const std::size_t n =
                special ? NormalisedLength(run, IsOn(m_live.dropFinalS), IsOn(m_live.allowApostrophes)) : run.size();
            if (n > 0) {
                if (seen & kNotPlain)
                    m_table.AddWord(run.substr(0, n), m_view);
                else
                    m_table.AddPlainWord(run.substr(0, n), m_view);
            }
        }
        if (m_events != nullptr) {
            m_events->PumpEvents();
            if (m_events->IsStopRequested()) return;
        }
    }
}

}  // namespace vesk
