#include <gtest/gtest.h>

#include "engine/CommentMarkers.h"
#include "engine/ScanHarness.h"

namespace vesk::test {
namespace {

void SetMarkers(CommentMarkers& m, const char* s0, const char* e0, const char* s1, const char* e1) {
    m.starts = {s0, s1};
    m.ends = {e0, e1};
}

TEST(CommentMarkers, MarkupTagsAndEntities) {
    ScanHarness h;
    SetMarkers(h.options.markers, "<", ">", "&", ";");
    h.options.markers.fromFileType = true;
    EXPECT_EQ(h.Scan("<p class=x>hello</p> &amp; world &#233; caf&eacute;"),
              (Counts{{"caf\xE9", 1}, {"hello", 1}, {"world", 1}}));
    h.table.Reset();
    // A lone "&", one without ";", or with a space before its ";" is ordinary text.
    EXPECT_EQ(h.Scan("a & b &cd ef &gh i;"), (Counts{{"a", 1}, {"b", 1}, {"cd", 1}, {"ef", 1}, {"gh", 1}, {"i", 1}}));
    h.table.Reset();
    // The ";" of an entity may be the 20th character, not the 21st.
    EXPECT_EQ(h.Scan("x &" + std::string(18, 'q') + "; y"), (Counts{{"x", 1}, {"y", 1}}));
    h.table.Reset();
    EXPECT_EQ(h.Scan("x &" + std::string(19, 'q') + "; y"), (Counts{{std::string(19, 'q'), 1}, {"x", 1}, {"y", 1}}));
    h.table.Reset();
    // A tag left open goes on in the next line.
    EXPECT_EQ(h.Scan(std::vector<std::string>{"one <a", "href=x> two"}), (Counts{{"one", 1}, {"two", 1}}));
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
    EXPECT_EQ(h.Scan(std::vector<std::string>{"alpha /* beta", "gamma */ delta", "eps // zeta", "eta"}),
              (Counts{{"alpha", 1}, {"delta", 1}, {"eps", 1}, {"eta", 1}}));
    EXPECT_EQ(h.scanner.OpenComment(), -1);
    h.table.Reset();
    // "/*/" opens and closes at once: the end marker is searched from the start marker itself.
    EXPECT_EQ(h.Scan("a /*/ b"), (Counts{{"a", 1}, {"b", 1}}));
    h.table.Reset();
    EXPECT_EQ(h.Scan("a /* b */ /* c */ d /* e"), (Counts{{"a", 1}, {"d", 1}}));
    EXPECT_EQ(h.scanner.OpenComment(), 0);
}

TEST(CommentMarkers, UserPairsFollowTheLiveOption) {
    ScanHarness h;
    SetMarkers(h.options.markers, "<<", ">>", "#", "");
    h.options.userMarkersAllowed = true;
    EXPECT_EQ(h.Scan("a <<b>> c # d"), (Counts{{"a", 1}, {"c", 1}}));
    h.table.Reset();
    h.options.userMarkersAllowed = false;
    EXPECT_EQ(h.Scan("a <<b>> c # d"), (Counts{{"a", 1}, {"b", 1}, {"c", 1}, {"d", 1}}));
    h.table.Reset();
    // The start marker matches in either case; the end marker only in lower case.
    h.options.userMarkersAllowed = true;
    SetMarkers(h.options.markers, "<A", "B>", "", "");
    EXPECT_EQ(h.Scan("x <a y B> z b> w"), (Counts{{"w", 1}, {"x", 1}}));
    h.table.Reset();
    // "--" has become a space before markers are looked for.
    SetMarkers(h.options.markers, "--", "", "", "");
    EXPECT_EQ(h.Scan("a -- b"), (Counts{{"a", 1}, {"b", 1}}));
}

}  // namespace
}  // namespace vesk::test
