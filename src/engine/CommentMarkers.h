// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Comment markers: the sets a count may use, which set follows from the input's type, when markers are in
// force, the checks of the user's pairs, and the steps the scanner takes with them. Positions are 0-based
// indexes into the line being scanned.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "engine/CharClasses.h"

namespace vesk {

// Two pairs of start and end markers.
struct CommentMarkers {
    std::array<std::string, 2> starts;  // empty: the pair is not in use
    std::array<std::string, 2> ends;    // empty: the comment runs to the end of the line
    // Chosen from the input's file type: in force whatever the user allows, and the markup set's "&" opens a
    // "comment" only where a character entity starts.
    bool fromFileType = false;
    bool operator==(const CommentMarkers&) const = default;
};

// Tags and character entities of markup: "<" to ">" and "&" to ";".
CommentMarkers MarkupMarkers();
// Block and line comments of C sources: "/*" to "*/" and "//" to the end of the line.
CommentMarkers CodeMarkers();

enum class MarkerChoice { Markup, Code, None, User };
// The set for an input whose lower-cased extension is `extension`: markup pages and C sources are
// recognised whatever the user allows; any other file uses the user's pairs when they are allowed.
MarkerChoice MarkersForExtension(std::string_view extension, bool userMarkersAllowed);

// Whether a scan skips comments with these markers.
bool CommentsActive(const CommentMarkers& markers, bool userMarkersAllowed);

enum class MarkerProblem {
    None,
    EmptyStartWithEnd,  // a pair has an end marker but no start marker
    NoStart,            // neither pair has a start marker
    SameStartAndEnd,    // a pair's start and end markers are equal
    StartInWord,        // a start marker is made only of characters that form words
};
struct MarkerCheck {
    MarkerProblem problem = MarkerProblem::None;
    int pair = -1;  // the pair at fault, when there is one
};
// The user's pairs checked in that order, each check over both pairs before the next. A start marker
// fails the last check when every character of it could belong to a word under `allowed`.
MarkerCheck CheckUserMarkers(const CommentMarkers& markers, const AllowedCharacters& allowed);

// Whether `text` begins with `marker`, character by character, ignoring letter case.
bool SameIgnoringCase(std::string_view text, std::string_view marker);
// The pair (0 or 1) whose start marker begins at `pos`, compared ignoring letter case, or -1. With markers
// from the file type, a second start marker "&" counts only where a character entity starts.
int CommentMarkerAt(const CommentMarkers& markers, std::string_view line, std::size_t pos);
// The length in bytes of the character entity ("&name;" or "&#digits;") at the start of `text`, or 0.
int EntityLengthAt(std::string_view text);
// Moves `pos` past the end marker of the comment open with pair `open` (searching from `pos` itself, for
// the marker in lower case), or to the end of the line when the marker is not there or the pair has none.
// Returns the pair still open afterwards: -1 when the pair has no end marker, else `open`.
int SkipToCommentEnd(const CommentMarkers& markers, int open, std::string_view line, std::size_t& pos);

}  // namespace vesk
