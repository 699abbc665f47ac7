// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rules of a count that every driver follows the same way: the words-to-ignore list as it is kept, and the
// comment markers in force for each choice of set.

#include <string>
#include <string_view>

#include "engine/CommentMarkers.h"

namespace vesk {

// The words to ignore as the user typed them, tidied as they are kept: with `lowerCase` lower-cased and
// trimmed, then every blank a comma, runs of commas one comma, and no comma at the end.
std::string TidyIgnoreList(std::string_view typed, bool lowerCase);
// The text the filters search for the tidied list: each word followed by a comma.
inline std::string IgnoreListForFilters(const std::string& tidied) { return tidied + ","; }

// The markers in force for `choice`: those of the file type (marked as such), none, or the user's pairs as
// typed.
CommentMarkers MarkersOfChoice(MarkerChoice choice, const CommentMarkers& user);

}  // namespace vesk
