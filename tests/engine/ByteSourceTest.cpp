// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include "engine/ByteSource.h"
#include "engine/ScanHarness.h"

namespace vesk::test {
namespace {

using Lines = std::vector<std::string>;

Lines ReadAll(ByteSource& source) {
    Lines lines;
    std::string line;
    while (source.ReadLine(line)) lines.push_back(line);
    return lines;
}

Lines ReadFile(const std::string& bytes, std::int64_t* consumed = nullptr) {
    TempFile file(bytes);
    std::string error;
    auto source = ByteSource::OpenFile(file.Path(), error);
    EXPECT_TRUE(source) << error;
    if (!source) return {};
    EXPECT_EQ(source->Size(), static_cast<std::int64_t>(bytes.size()));
    Lines lines = ReadAll(*source);
    if (consumed) *consumed = source->BytesConsumed();
    return lines;
}

TEST(ByteSource, LineEnds) {
    std::int64_t consumed = 0;
    EXPECT_EQ(ReadFile("a\r\nb\nc\rd", &consumed), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(consumed, 8);
    EXPECT_EQ(ReadFile("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(ReadFile("a\n\rb\r\rc\n"), (Lines{"a", "", "b", "", "c"}));
    EXPECT_EQ(ReadFile("\n"), (Lines{""}));
    EXPECT_EQ(ReadFile(""), (Lines{}));
    EXPECT_EQ(ReadFile("tab\tand form\ffeed stay"), (Lines{"tab\tand form\ffeed stay"}));
}

TEST(ByteSource, CrLfSplitAcrossBlocksAndLongLines) {
    const std::size_t block = 1u << 20;
    std::string bytes(block - 1, 'x');
    bytes += "\r\ny\n";
    std::int64_t consumed = 0;
    const Lines lines = ReadFile(bytes, &consumed);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), block - 1);
    EXPECT_EQ(lines[1], "y");
    EXPECT_EQ(consumed, static_cast<std::int64_t>(bytes.size()));

    std::string longLine(3 * block + 17, 'z');
    longLine[block] = 'q';
    EXPECT_EQ(ReadFile(longLine + "\r\nend"), (Lines{longLine, "end"}));
}

TEST(ByteSource, Utf8IsMappedToWindows1252) {
    std::int64_t consumed = 0;
    // With a byte-order mark (dropped, but counted as consumed).
    EXPECT_EQ(ReadFile("\xEF\xBB\xBF"
                       "caf\xC3\xA9\n",
                       &consumed),
              (Lines{"caf\xE9"}));
    EXPECT_EQ(consumed, 9);
    // Without one: the first non-ASCII bytes decide. € is 128 in Windows-1252; a CJK letter cannot be shown.
    EXPECT_EQ(ReadFile("plain\nna\xC3\xAFve \xE2\x82\xAC \xE4\xB8\xAD \xC5\x93\n"),
              (Lines{"plain", "na\xEFve \x80 \x81 \x9C"}));
    // Each ill-formed byte becomes one separator.
    EXPECT_EQ(ReadFile("\xC3\xA9 \xFF\xC3 \xE2\x82 \xED\xA0\x80\n"), (Lines{"\xE9 \x81\x81 \x81\x81 \x81\x81\x81"}));
    EXPECT_EQ(kSeparatorByte, '\x81');
}

TEST(ByteSource, Windows1252PassesThrough) {
    EXPECT_EQ(ReadFile("caf\xE9\n\xC3\xA9 \x80\n"), (Lines{"caf\xE9", "\xC3\xA9 \x80"}));
    EXPECT_EQ(ReadFile("\xEF\xBB"
                       "x"),
              (Lines{"\xEF\xBB"
                     "x"}));
}

TEST(ByteSource, StandardInputThroughAPipe) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    auto source = ByteSource::FromDescriptor(fds[0]);
    EXPECT_EQ(source->Size(), -1);
    ASSERT_EQ(::write(fds[1], "first\r", 6), 6);
    EXPECT_EQ(source->Peek(6), "first\r");
    std::string line;
    ASSERT_TRUE(source->ReadLine(line));
    EXPECT_EQ(line, "first");
    // The LF of that CR LF arrives later, with the next line.
    ASSERT_EQ(::write(fds[1], "\nsecond", 7), 7);
    ::close(fds[1]);
    ASSERT_TRUE(source->ReadLine(line));
    EXPECT_EQ(line, "second");
    EXPECT_FALSE(source->ReadLine(line));
    EXPECT_EQ(source->BytesConsumed(), 13);
    source.reset();
    // The descriptor belongs to the caller.
    EXPECT_EQ(::close(fds[0]), 0);
}

TEST(ByteSource, PeekAndOpenFailure) {
    TempFile file("\xEF\xBB\xBFhello world\nnext");
    std::string error;
    auto source = ByteSource::OpenFile(file.Path(), error);
    ASSERT_TRUE(source);
    EXPECT_EQ(source->Peek(8), "\xEF\xBB\xBFhello");
    EXPECT_EQ(source->Peek(1000).size(), 19u);
    EXPECT_EQ(ReadAll(*source), (Lines{"hello world", "next"}));

    int number = 0;
    EXPECT_FALSE(ByteSource::OpenFile("/nonexistent/vesk/file.txt", error, &number));
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_EQ(number, ENOENT);
}

}  // namespace
}  // namespace vesk::test
