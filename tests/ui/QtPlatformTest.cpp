// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "engine/Encoding.h"
#include "ui/QtPlatform.h"
#include "ui/QtText.h"

namespace vesk::test {
namespace {

TEST(QtPlatform, FileFiltersBecomeQtFilters) {
    EXPECT_EQ(ui::ToQtFileFilter("Parameter files (*.vesk) | *.vesk"), Q("Parameter files (*.vesk)"));
    // "*.*" means every file, also those without an extension.
    EXPECT_EQ(ui::ToQtFileFilter("Any file containing only text (*.*) | *.*"), Q("Any file containing only text (*)"));
    EXPECT_EQ(ui::ToQtFileFilter("Text | *.txt;*.text | All | *.*"), Q("Text (*.txt *.text);;All (*)"));
    EXPECT_EQ(ui::ToQtFileFilter(""), QString());
}

TEST(QtPlatform, TextsCrossAsWindows1252WithCrLfInside) {
    EXPECT_EQ(ui::ToQt("caf\xe9 \x80"), Q("caf\u00e9 \u20ac"));
    EXPECT_EQ(ui::ToQtLines("a\r\nb\rc\nd"), Q("a\nb\nc\nd"));
    EXPECT_EQ(ui::FromQt(Q("na\u00efve\nline"), true), "na\xefve\r\nline");
    EXPECT_EQ(ui::FromQt(Q("a\r\nb"), true), "a\r\nb");
    EXPECT_EQ(ui::FromQt(Q("\u4e2d")), std::string(1, kUnmappableByte));
    // Twirler codes are half blocks: lower, left, upper, right.
    EXPECT_EQ(ui::TwirlerText("\xdc") + ui::TwirlerText("\xdd") + ui::TwirlerText("\xdf") + ui::TwirlerText("\xde"),
              Q("\u2584\u258c\u2580\u2590"));
    EXPECT_EQ(ui::TwirlerText(" "), Q(" "));
}

}  // namespace
}  // namespace vesk::test
