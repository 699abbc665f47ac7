// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "app/WordRulesFixture.h"

namespace vesk::test {
namespace {

TEST_F(ProgramTest, SetCommentMarkersChoosesTheSet) {
    auto markers = [&] {
        const CommentMarkers& m = main.Comments;
        return std::vector<std::string>{m.starts[0], m.ends[0], m.starts[1], m.ends[1]};
    };
    main.SetCommentMarkers("HTML");
    EXPECT_EQ(markers(), (std::vector<std::string>{"<", ">", "&", ";"}));
    main.SetCommentMarkers("C");
    EXPECT_EQ(markers(), (std::vector<std::string>{"/*", "*/", "//", ""}));
    main.SetCommentMarkers("");
    EXPECT_EQ(markers(), (std::vector<std::string>{"", "", "", ""}));
    params.txbStartComment[0].SetText(" {");
    params.txbEndComment[0].SetText("} ");
    params.txbStartComment[1].SetText("REM");
    params.txbEndComment[1].SetText("");
    main.SetCommentMarkers("html");  // any other text takes the user's boxes, as typed
    EXPECT_EQ(markers(), (std::vector<std::string>{" {", "} ", "REM", ""}));
}

class ValidateMarkers : public ProgramTest {
  protected:
    ValidateMarkers() { platform.AnswerAllWithDefault(); }
    bool Validate(const char* s0, const char* e0, const char* s1, const char* e1) {
        params.txbStartComment[0].SetText(s0);
        params.txbEndComment[0].SetText(e0);
        params.txbStartComment[1].SetText(s1);
        params.txbEndComment[1].SetText(e1);
        main.SetCommentMarkers("C");
        return main.ValidateCommentMarkers();
    }
    void ExpectError(const std::string& text) {
        ExpectMessages({{text, "Error", MsgButtons::Ok, MsgIcon::Exclamation}});
        // A failed validation leaves the markers in force as they were.
        EXPECT_EQ(main.Comments.starts[0], "/*");
    }
};

const std::string kEmptyStart =
    "Cannot have an empty start-comment marker\r\nwith a non-empty end-comment marker.\r\n\r\n"
    "Check the comment markers in the 'Set parameters' panel\r\nand perhaps disallow comment markers.";
const std::string kNoStart =
    "If comment markers are allowed then at least one\r\nstart-comment marker must be non-empty.\r\n\r\n"
    "Check the comment markers in the 'Set parameters' panel\r\nand perhaps disallow comment markers.";
const std::string kSame =
    "Start-comment and end-comment markers must be different.\r\n\r\n"
    "Check the comment markers in the 'Set parameters' panel.";
std::string PartOfWord(const std::string& marker) {
    return "The way the parameters are set the start-comment marker\r\n\"" + marker +
           "\" could be part of a word.\r\n\r\nCheck the start-comment markers in the 'Set parameters' panel and\r\n"
           "perhaps disallow comment markers or restrict allowable words.";
}

TEST_F(ValidateMarkers, AcceptsUsablePairs) {
    EXPECT_TRUE(Validate("/*", "*/", "//", ""));
    EXPECT_TRUE(Validate("", "", "#", ""));  // a wholly empty pair is simply not used
    EXPECT_TRUE(Validate("#", "", "", ""));
    EXPECT_TRUE(Validate("@", "", "", ""));  // at-signs not allowed in words
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(ValidateMarkers, EmptyStartWithEnd) {
    EXPECT_FALSE(Validate("", "x", "a", "a"));  // before the other checks
    ExpectError(kEmptyStart);
}

TEST_F(ValidateMarkers, EmptyStartOfSecondPair) {
    EXPECT_FALSE(Validate("/*", "*/", "", ";"));
    ExpectError(kEmptyStart);
}

TEST_F(ValidateMarkers, NoStartMarker) {
    EXPECT_FALSE(Validate("", "", "", ""));
    ExpectError(kNoStart);
}

TEST_F(ValidateMarkers, SameMarkersBeforePartOfWord) {
    EXPECT_FALSE(Validate("#", "", "rem", "rem"));
    ExpectError(kSame);
}

TEST_F(ValidateMarkers, PartOfWord) {
    EXPECT_FALSE(Validate("#", "", "Rem", ""));
    ExpectError(PartOfWord("Rem"));
}

TEST_F(ValidateMarkers, PartOfWordFollowsTheSnapshotAndNumerals) {
    params.chkAllowWordsWithAtSigns.SetValue(1);
    main.TakeOptionSnapshot();
    EXPECT_FALSE(Validate("@", "", "", ""));
    ExpectError(PartOfWord("@"));
}

TEST_F(ValidateMarkers, DigitsCountWhenNumeralsAreOn) {
    EXPECT_TRUE(Validate("1", "", "", ""));
    params.chkAllowWordsWithNumerals.SetValue(1);
    EXPECT_FALSE(Validate("1", "", "", ""));
    ExpectError(PartOfWord("1"));
}

}  // namespace
}  // namespace vesk::test
