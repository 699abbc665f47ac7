// SPDX-License-Identifier: GPL-3.0-or-later
#include "listing/RunTexts.h"

#include <cerrno>
#include <cmath>
#include <system_error>

#include "engine/FileChecks.h"
#include "listing/RunError.h"

namespace vesk {

namespace {

constexpr const char* kCrLf = "\r\n";

constexpr const char* kEmptyStartMessage =
    "Cannot have an empty start-comment marker\r\nwith a non-empty end-comment marker.\r\n\r\n"
    "Check the comment markers in the 'Set parameters' panel\r\nand perhaps disallow comment markers.";
constexpr const char* kNoStartMessage =
    "If comment markers are allowed then at least one\r\nstart-comment marker must be non-empty.\r\n\r\n"
    "Check the comment markers in the 'Set parameters' panel\r\nand perhaps disallow comment markers.";
constexpr const char* kSameMarkersMessage =
    "Start-comment and end-comment markers must be different.\r\n\r\n"
    "Check the comment markers in the 'Set parameters' panel.";

}  // namespace

int ProgressCells(std::int64_t bytesRead, std::int64_t length, int width) {
    const double share = static_cast<double>(width) * static_cast<double>(bytesRead) / static_cast<double>(length);
    return static_cast<int>(std::nearbyint(share));
}

std::string ProgressBarCaption(int cells, int width) {
    if (cells < 1) cells = 1;
    if (cells > width) cells = width;
    std::string caption;
    caption.reserve(static_cast<std::size_t>(width) + 2);
    caption += '[';
    caption.append(static_cast<std::size_t>(cells - 1), '-');
    caption += '>';
    caption.append(static_cast<std::size_t>(width - cells), ' ');
    caption += ']';
    return caption;
}

std::string MarkerProblemMessage(const MarkerCheck& check, const CommentMarkers& markers) {
    switch (check.problem) {
        case MarkerProblem::None:
            break;
        case MarkerProblem::EmptyStartWithEnd:
            return kEmptyStartMessage;
        case MarkerProblem::NoStart:
            return kNoStartMessage;
        case MarkerProblem::SameStartAndEnd:
            return kSameMarkersMessage;
        case MarkerProblem::StartInWord:
            return "The way the parameters are set the start-comment marker\r\n\"" +
                   markers.starts[static_cast<std::size_t>(check.pair)] +
                   "\" could be part of a word.\r\n\r\nCheck the start-comment markers in the 'Set parameters' "
                   "panel and\r\nperhaps disallow comment markers or restrict allowable words.";
    }
    return {};
}

std::string NoWordsMessage(std::int64_t distinctWords, int shortWordIndex, int thresholdIndex, bool ignoreInfrequent) {
    if (distinctWords == 0) return "No words satisfying the conditions were found.";
    std::string text = "No words with more than " + std::to_string(shortWordIndex + 1) + " letter";
    if (shortWordIndex > 0) text += "s";
    text += kCrLf;
    text += "occur at least ";
    if (!ignoreInfrequent)
        text += "once.";
    else if (thresholdIndex == 0)
        text += "twice.";
    else
        text += std::to_string(thresholdIndex + 2) + " times.";
    return text;
}

TitledText LineEndingsMessage(std::int16_t kind) {
    const char* ending = kind == kTextLfOnly   ? "Unix/Linux line endings."
                         : kind == kTextCrOnly ? "Macintosh line endings."
                                               : nullptr;
    if (ending == nullptr) return {};
    return {std::string("This file has ") + ending, "Warning"};
}

TitledText FileProblemMessage(int problem, const std::string& missingText, const std::string& fileLine) {
    const std::string nextLine = kCrLf + fileLine;
    if (problem == ENOENT) return {missingText + nextLine, "File not found"};
    if (problem == kOtherKindOfFile) return {"This is not a text file." + nextLine, "Invalid input"};
    return {ErrorNumberText(problem, std::generic_category().message(problem)) + nextLine, "Error"};
}

}  // namespace vesk
