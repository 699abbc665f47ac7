// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "engine/CommentMarkers.h"
#include "engine/ScanHarness.h"

namespace vesk::test {
namespace {

void SetMarkers(CommentMarkers& m, const char* s0, const char* e0, const char* s1, const char* e1) {
    m.starts = {s0, s1};
    m.ends = {e0, e1};
}

TEST(CommentMarkers, EntityLength) {
    EXPECT_EQ(EntityLengthAt("&amp; rest"), 5);
    EXPECT_EQ(EntityLengthAt("&#233;"), 6);
    EXPECT_EQ(EntityLengthAt("&#;x"), 3);
    EXPECT_EQ(EntityLengthAt("&a;"), 0);  // shorter than four characters
    EXPECT_EQ(EntityLengthAt("& a;"), 0);
    EXPECT_EQ(EntityLengthAt("&;ab"), 0);
    EXPECT_EQ(EntityLengthAt("&1ab;"), 0);
    EXPECT_EQ(EntityLengthAt("&ab c;"), 0);
    EXPECT_EQ(EntityLengthAt("&abc; d"), 5);
    EXPECT_EQ(EntityLengthAt("x&abc;"), 0);
    EXPECT_EQ(EntityLengthAt("&" + std::string(18, 'a') + ";"), 20);
    EXPECT_EQ(EntityLengthAt("&" + std::string(19, 'a') + ";"), 0);
}

TEST(CommentMarkers, CodeComments) {
    ScanHarness h;
    SetMarkers(h.options.markers, "/*", "*/", "//", "");
    h.options.markers.fromFileType = true;
    // "/*/" opens and closes at once: the end marker is searched from the start marker itself.
    EXPECT_EQ(h.Scan("a /*/ b /* c"), (Counts{{"a", 1}, {"b", 1}}));
    EXPECT_EQ(h.scanner.OpenComment(), 0);
}

}  // namespace
}  // namespace vesk::test
