// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts a count shows, the same in the windows and in vesk-count: the names of the display formats, the
// progress bar, and the messages about the rules of a count. Texts are UTF-8 with CR LF line breaks.

#include <array>
#include <cstdint>
#include <string>

#include "engine/CommentMarkers.h"

namespace vesk {

// The display formats by list index.
inline constexpr std::array<const char*, 10> kDisplayFormatNames = {
    "rank frequency word", "rank word frequency", "rank frequency", "rank word", "frequency rank",
    "frequency word",      "word rank",           "word frequency", "word",      "word (+ commas)"};
// The word orders by list index.
inline constexpr std::array<const char*, 2> kWordOrderNames = {"by frequency", "alphabetical"};

// The cells of a progress bar `width` cells wide after `bytesRead` of `length` bytes.
int ProgressCells(std::int64_t bytesRead, std::int64_t length, int width);
// "[---->    ]": `cells` (1 to `width`) drawn, the last as the arrow head.
std::string ProgressBarCaption(int cells, int width);

// Why the user's comment markers cannot be used.
std::string MarkerProblemMessage(const MarkerCheck& check, const CommentMarkers& markers);

// When no word is listed: none was found at all (`distinctWords` 0), or the short-word and frequency settings
// (list indexes, and whether infrequent words are ignored) left none.
std::string NoWordsMessage(std::int64_t distinctWords, int shortWordIndex, int thresholdIndex, bool ignoreInfrequent);

// A message and its title.
struct TitledText {
    std::string text;
    std::string title;
};
// "This file has ..." for LF-only and CR-only text kinds; an empty text for the others.
TitledText LineEndingsMessage(std::int16_t kind);
// Why a path names no regular file (`problem` from RegularFileError), `fileLine` on the line after:
// `missingText` titled "File not found" when nothing is there, "This is not a text file." for a pipe or a
// device, else the system's error.
TitledText FileProblemMessage(int problem, const std::string& missingText, const std::string& fileLine);

}  // namespace vesk
