#include "engine/CommentMarkers.h"

#include <algorithm>

#include "engine/CharClasses.h"

namespace vesk {

std::int16_t CommentMarkerAt(const CommentMarkers& markers, std::string_view currentLine, std::size_t scanPosition) {
    for (std::int16_t k = 0; k < 2; ++k) {
        const std::string& marker = markers.StartMarkers[k];
        if (marker.empty() || scanPosition + marker.size() > currentLine.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < marker.size() && same; ++i)
            same = LowerChar(currentLine[scanPosition + i]) == LowerChar(marker[i]);
        if (!same) continue;
        if (k == 1 && markers.blnIsCodeFile && markers.StartMarkers[1] == "&")
            return EntityLengthAt(currentLine.substr(scanPosition)) >= 1 ? 1 : -1;
        return k;
    }
    return -1;
}

std::int16_t EntityLengthAt(std::string_view text) {
    if (text.size() < 4 || text[0] != '&') return 0;
    // The first ";" must lie within the first 20 characters, with no space before it.
    const std::size_t window = std::min<std::size_t>(text.size(), 20);
    const std::size_t semicolon = text.substr(0, window).find(';');
    if (semicolon == std::string_view::npos) return 0;
    if (text.substr(0, semicolon).find(' ') != std::string_view::npos) return 0;
    if (!IsWordChar(text[1], false, "#")) return 0;
    return static_cast<std::int16_t>(semicolon + 1);
}

void SkipToCommentEnd(CommentMarkers& markers, std::string_view currentLine, std::size_t& scanPosition) {
    const std::string& end = markers.EndMarkers[markers.CommentState];
    if (end.empty()) {
        scanPosition = currentLine.size();
        markers.CommentState = -1;
        return;
    }
    const std::string lowered = LowerCase(end);
    const std::size_t found = currentLine.find(lowered, scanPosition);
    scanPosition = found == std::string_view::npos ? currentLine.size() : found + lowered.size();
}

}  // namespace vesk
