// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/CommentMarkers.h"

#include <algorithm>

#include "engine/UnicodeText.h"

namespace vesk {

namespace {

// Kept out of line: inlined with constant markers, GCC 12 warns of an overlap that cannot happen.
[[gnu::noinline]] CommentMarkers MakeMarkers(std::string_view start0, std::string_view end0, std::string_view start1,
                                             std::string_view end1) {
    CommentMarkers markers;
    markers.starts[0].assign(start0);
    markers.ends[0].assign(end0);
    markers.starts[1].assign(start1);
    markers.ends[1].assign(end1);
    return markers;
}

}  // namespace

bool SameIgnoringCase(std::string_view text, std::string_view marker) {
    std::size_t i = 0;
    char32_t a = 0, b = 0;
    for (std::size_t k = 0; k < marker.size();) {
        if (i >= text.size()) return false;
        const bool ascii = static_cast<unsigned char>(text[i] | marker[k]) < 0x80;
        if (ascii) {
            if (LowerChar(text[i++]) != LowerChar(marker[k++])) return false;
            continue;
        }
        i += NextCodePoint(text, i, a);
        k += NextCodePoint(marker, k, b);
        if (SimpleLower(a) != SimpleLower(b)) return false;
    }
    return true;
}

CommentMarkers MarkupMarkers() { return MakeMarkers("<", ">", "&", ";"); }

CommentMarkers CodeMarkers() { return MakeMarkers("/*", "*/", "//", ""); }

MarkerChoice MarkersForExtension(std::string_view extension, bool userMarkersAllowed) {
    if (extension.find("htm") != std::string_view::npos || extension == "php" || extension == "xml")
        return MarkerChoice::Markup;
    if (extension == "cpp" || extension == "c") return MarkerChoice::Code;
    return userMarkersAllowed ? MarkerChoice::User : MarkerChoice::None;
}

bool CommentsActive(const CommentMarkers& markers, bool userMarkersAllowed) {
    return (userMarkersAllowed && (!markers.starts[1].empty() || !markers.starts[0].empty())) || markers.fromFileType;
}

MarkerCheck CheckUserMarkers(const CommentMarkers& markers, const AllowedCharacters& allowed) {
    for (int k = 0; k < 2; ++k)
        if (markers.starts[k].empty() && !markers.ends[k].empty()) return {MarkerProblem::EmptyStartWithEnd, k};
    if (markers.starts[0].empty() && markers.starts[1].empty()) return {MarkerProblem::NoStart, -1};
    for (int k = 0; k < 2; ++k)
        if (!markers.starts[k].empty() && markers.starts[k] == markers.ends[k])
            return {MarkerProblem::SameStartAndEnd, k};
    const std::string extra = AllowedInnerChars(allowed);
    for (int k = 0; k < 2; ++k) {
        const std::string& marker = markers.starts[k];
        if (!marker.empty() &&
            CountWordChars(marker, 1, allowed.numerals, extra) == static_cast<std::int32_t>(CodePointCount(marker)))
            return {MarkerProblem::StartInWord, k};
    }
    return {};
}

int CommentMarkerAt(const CommentMarkers& markers, std::string_view line, std::size_t pos) {
    for (int k = 0; k < 2; ++k) {
        const std::string& marker = markers.starts[k];
        if (marker.empty() || !SameIgnoringCase(line.substr(pos), marker)) continue;
        if (k == 1 && markers.fromFileType && markers.starts[1] == "&")
            return EntityLengthAt(line.substr(pos)) >= 1 ? 1 : -1;
        return k;
    }
    return -1;
}

int EntityLengthAt(std::string_view text) {
    if (text.size() < 4 || text[0] != '&') return 0;
    // The first ";" must lie within the first 20 characters, with no space before it.
    const std::size_t semicolon = text.substr(0, OffsetOfCodePoint(text, 20)).find(';');
    if (semicolon == std::string_view::npos) return 0;
    if (text.substr(0, semicolon).find(' ') != std::string_view::npos) return 0;
    char32_t second = 0;
    NextCodePoint(text, 1, second);
    if (!IsWordCharacter(second, false, "#")) return 0;
    return static_cast<int>(semicolon + 1);
}

int SkipToCommentEnd(const CommentMarkers& markers, int open, std::string_view line, std::size_t& pos) {
    const std::string& end = markers.ends[static_cast<std::size_t>(open)];
    if (end.empty()) {
        pos = line.size();
        return -1;
    }
    const std::string lowered = LowerCase(end);
    const std::size_t found = line.find(lowered, pos);
    pos = found == std::string_view::npos ? line.size() : found + lowered.size();
    return open;
}

}  // namespace vesk
