#pragma once
// Comment-marker state shared by the counting run and the line scanner, and the steps the scanner takes
// with it. Positions are 0-based indexes into the line being scanned.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vesk {

struct CommentMarkers {
    std::string StartMarkers[2];     // empty: pair not in use
    std::string EndMarkers[2];       // empty: the comment runs to the end of the line
    std::int16_t CommentState = -1;  // -1 outside a comment, else the pair whose comment is open
    bool CommentsActive = false;
    bool blnIsCodeFile = false;  // markers chosen from the input file's type
};

// The pair (0 or 1) whose start marker begins at `scanPosition`, compared ignoring letter case, or -1.
// With the markup set, an "&" counts only when a character entity starts there.
std::int16_t CommentMarkerAt(const CommentMarkers& markers, std::string_view currentLine, std::size_t scanPosition);
// The length of the character entity ("&name;" or "&#digits;") at the start of `text`, or 0.
std::int16_t EntityLengthAt(std::string_view text);
// Moves `scanPosition` past the end marker of the open comment (searching from `scanPosition` itself, for
// the marker in lower case), or to the end of the line when the marker is not there or the pair has none.
void SkipToCommentEnd(CommentMarkers& markers, std::string_view currentLine, std::size_t& scanPosition);

}  // namespace vesk
