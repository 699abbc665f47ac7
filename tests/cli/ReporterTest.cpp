// SPDX-License-Identifier: GPL-3.0-or-later
// What vesk-count tells on standard error: errors and warnings as lines, and the progress bar.

#include <gtest/gtest.h>

#include <sstream>

#include "cli/Reporter.h"

namespace vesk::test {
namespace {

using cli::Reporter;

TEST(Reporter, ErrorsAndWarningsArePrintedAsLinesAndErrorsCounted) {
    std::ostringstream err;
    Reporter reporter(err, false);
    reporter.Warning("This file has Macintosh line endings.");
    EXPECT_EQ(reporter.ErrorCount(), 0);
    reporter.Error("Start-comment and end-comment markers must be different.\r\n\r\nCheck caf\xE9.");
    reporter.ErrorUtf8("caf\xC3\xA9.txt: Permission denied");
    EXPECT_EQ(reporter.ErrorCount(), 2);
    EXPECT_EQ(err.str(),
              "vesk-count: warning: This file has Macintosh line endings.\n"
              "vesk-count: Start-comment and end-comment markers must be different.\n\nCheck caf\xC3\xA9.\n"
              "vesk-count: caf\xC3\xA9.txt: Permission denied\n");
}

TEST(Reporter, ProgressBarIsThrottledAndErasedBeforeAnyLine) {
    std::ostringstream err;
    Reporter reporter(err, true);
    reporter.DrawProgress("[>    ]");
    // Within a tenth of a second the bar is not drawn again.
    reporter.DrawProgress("[-->  ]");
    EXPECT_EQ(err.str(), "\r[>    ]");

    reporter.Error("Error 5: Input/output error");
    EXPECT_EQ(err.str(), "\r[>    ]\r       \rvesk-count: Error 5: Input/output error\n");

    err.str("");
    reporter.DrawProgress("[-->  ]");
    reporter.DrawProgress("not a bar");
    reporter.EraseProgress();
    EXPECT_EQ(err.str(), "\r[-->  ]\r       \r");

    // Not on a terminal: no bar at all.
    std::ostringstream quiet;
    Reporter silent(quiet, false);
    silent.DrawProgress("[>    ]");
    silent.EraseProgress();
    EXPECT_EQ(quiet.str(), "");
}

}  // namespace
}  // namespace vesk::test
