#pragma once
// Comment-marker state shared by the counting run and the line scanner.

#include <cstdint>
#include <string>

namespace vesk {

struct CommentMarkers {
    std::string StartMarkers[2];  // empty: pair not in use
    std::string EndMarkers[2];    // empty: the comment runs to the end of the line
    std::int16_t CommentState = -1;  // -1 outside a comment, else the pair whose comment is open
    bool CommentsActive = false;
    bool blnIsCodeFile = false;  // markers chosen from the input file's type
};

}  // namespace vesk
