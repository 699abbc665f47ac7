// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/CountRules.h"

#include "engine/CharClasses.h"

namespace vesk {

std::string TidyIgnoreList(std::string_view typed, bool lowerCase) {
    const std::string s = lowerCase ? TrimSpaces(LowerCase(typed)) : std::string(typed);
    std::string tidied;
    tidied.reserve(s.size());
    for (char c : s) {
        if (c == ' ') c = ',';
        if (!(c == ',' && !tidied.empty() && tidied.back() == ',')) tidied.push_back(c);
    }
    if (!tidied.empty() && tidied.back() == ',') tidied.pop_back();
    return tidied;
}

CommentMarkers MarkersOfChoice(MarkerChoice choice, const CommentMarkers& user) {
    CommentMarkers markers;
    switch (choice) {
        case MarkerChoice::Markup:
            markers = MarkupMarkers();
            break;
        case MarkerChoice::Code:
            markers = CodeMarkers();
            break;
        case MarkerChoice::None:
            return markers;
        case MarkerChoice::User:
            markers = user;
            markers.fromFileType = false;
            return markers;
    }
    markers.fromFileType = true;
    return markers;
}

}  // namespace vesk
