// SPDX-License-Identifier: GPL-3.0-or-later
// The non-interactive platform: fixed answers, errors and warnings on standard error, the progress bar.

#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliPlatform.h"

namespace vesk::test {
namespace {

using cli::CliPlatform;

TEST(CliPlatform, QuestionsGetFixedAnswersAndStaySilent) {
    std::ostringstream err;
    CliPlatform platform(err, false);
    EXPECT_EQ(platform.ShowMessage("The input file is quite large.", "Large input file", MsgButtons::YesNoCancel,
                                   MsgIcon::None),
              MsgAnswer::No);
    EXPECT_EQ(platform.ShowMessage("Output file exists.  OK to overwrite?", "Output file exists", MsgButtons::YesNo,
                                   MsgIcon::None),
              MsgAnswer::Yes);
    EXPECT_EQ(platform.ShowMessage("Processing will continue but may be slow.", "Warning", MsgButtons::OkCancel,
                                   MsgIcon::None),
              MsgAnswer::Ok);
    EXPECT_EQ(platform.ShowMessage("Common words loaded from /x", "Common words", MsgButtons::Ok, MsgIcon::Information),
              MsgAnswer::Ok);
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(platform.ErrorCount(), 0);
}

TEST(CliPlatform, ErrorsAndWarningsArePrintedAsLines) {
    std::ostringstream err;
    CliPlatform platform(err, false);
    platform.ShowMessage("This file has Macintosh line endings.", "Warning", MsgButtons::Ok, MsgIcon::Exclamation);
    EXPECT_EQ(platform.ErrorCount(), 0);
    platform.ShowMessage("Start-comment and end-comment markers must be different.\r\n\r\nCheck caf\xE9.", "Error",
                         MsgButtons::Ok, MsgIcon::Exclamation);
    platform.ShowMessage("Stop", "", MsgButtons::Ok, MsgIcon::Critical);
    EXPECT_EQ(platform.ErrorCount(), 2);
    EXPECT_EQ(err.str(),
              "vesk-count: warning: This file has Macintosh line endings.\n"
              "vesk-count: Start-comment and end-comment markers must be different.\n\nCheck caf\xC3\xA9.\n"
              "vesk-count: Stop\n");
}

TEST(CliPlatform, ProgressBarFollowsTheLabelAndIsErased) {
    std::ostringstream err;
    CliPlatform platform(err, true);
    Label bar("lblTotalNumOccurrences");
    Label other("lblNumberOfWords");
    platform.WatchProgressLabel(bar);

    bar.SetCaption("[>    ]");
    platform.Repaint(&bar);
    other.SetCaption("[not a bar]");
    platform.Repaint(&other);
    // Within a tenth of a second the bar is not drawn again.
    bar.SetCaption("[-->  ]");
    platform.Repaint(&bar);
    EXPECT_EQ(err.str(), "\r[>    ]");

    // A message erases the bar first.
    platform.ReportError("Error 5: Input/output error");
    EXPECT_EQ(err.str(), "\r[>    ]\r       \rvesk-count: Error 5: Input/output error\n");

    err.str("");
    platform.Repaint(&bar);
    bar.SetCaption("");
    platform.Repaint(&bar);
    EXPECT_EQ(err.str(), "\r[-->  ]\r       \r");
    platform.EraseProgress();
    EXPECT_EQ(err.str(), "\r[-->  ]\r       \r");
}

TEST(CliPlatform, NoProgressBarWhenNotATerminal) {
    std::ostringstream err;
    CliPlatform platform(err, false);
    Label bar("lblTotalNumOccurrences");
    platform.WatchProgressLabel(bar);
    bar.SetCaption("[>    ]");
    platform.Repaint(&bar);
    platform.EraseProgress();
    EXPECT_EQ(err.str(), "");
}

TEST(CliPlatform, TerminalTextIsUtf8WithLineFeeds) {
    EXPECT_EQ(ToTerminalText("a\r\nb\r\n"), "a\nb\n");
    EXPECT_EQ(ToTerminalText("\xE9\x80"), "\xC3\xA9\xE2\x82\xAC");
    // A lone carriage return is not a line end of the program's texts.
    EXPECT_EQ(ToTerminalText("a\rb"), "a\rb");
}

}  // namespace
}  // namespace vesk::test
