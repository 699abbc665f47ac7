// SPDX-License-Identifier: GPL-3.0-or-later
// What vesk-count tells on standard error: errors and warnings as lines, and the progress bar.

#include <gtest/gtest.h>

#include <sstream>

#include "cli/Reporter.h"

namespace vesk::test {
namespace {

TEST(Reporter, LinesAndTheProgressBar) {
    std::ostringstream err;
    cli::Reporter reporter(err, true);
    reporter.DrawProgress("[>    ]");
    // Within a tenth of a second the bar is not drawn again.
    reporter.DrawProgress("[-->  ]");
    // A line erases the bar first; only errors are counted.
    reporter.Warning("This file has Macintosh line endings.");
    reporter.Error("Markers must be different.\r\n\r\nCheck caf\xE9.");
    reporter.ErrorUtf8("caf\xC3\xA9.txt: Permission denied");
    EXPECT_EQ(reporter.ErrorCount(), 2);
    reporter.DrawProgress("[-->  ]");
    reporter.DrawProgress("not a bar");
    reporter.EraseProgress();
    EXPECT_EQ(err.str(),
              "\r[>    ]\r       \rvesk-count: warning: This file has Macintosh line endings.\n"
              "vesk-count: Markers must be different.\n\nCheck caf\xC3\xA9.\n"
              "vesk-count: caf\xC3\xA9.txt: Permission denied\n"
              "\r[-->  ]\r       \r");
}

}  // namespace
}  // namespace vesk::test
