// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "app/FileMessages.h"
#include "engine/FileChecks.h"
#include "support/ScriptedPlatform.h"

namespace vesk::test {
namespace {

TEST(FileMessages, LineEndingWarningForUnusualEndingsOnly) {
    ScriptedPlatform platform;
    platform.ExpectMessage(MsgAnswer::Ok);
    platform.ExpectMessage(MsgAnswer::Ok);
    WarnLineEndings(platform, kTextLfOnly);
    WarnLineEndings(platform, kTextCrOnly);
    WarnLineEndings(platform, kTextCrLf);
    ASSERT_EQ(platform.Messages().size(), 2u);
    EXPECT_EQ(platform.Messages()[0].text, "This file has Unix/Linux line endings.");
    EXPECT_EQ(platform.Messages()[1].text, "This file has Macintosh line endings.");
    for (const auto& m : platform.Messages()) {
        EXPECT_EQ(m.title, "Warning");
        EXPECT_EQ(m.buttons, MsgButtons::Ok);
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    }
}

}  // namespace
}  // namespace vesk::test
