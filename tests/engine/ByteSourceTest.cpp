// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "engine/ByteSource.h"
#include "support/ScratchFolder.h"

namespace vesk::test {
namespace {

using Lines = std::vector<std::string>;

Lines ReadAll(ByteSource& source) {
    Lines lines;
    for (std::string line; source.ReadLine(line);) lines.push_back(line);
    return lines;
}

// The lines of a file, and every byte of it consumed.
Lines ReadFile(const std::string& bytes) {
    ScratchFolder scratch;
    std::string error;
    auto source = ByteSource::OpenFile(scratch.Write("f.txt", bytes), error);
    EXPECT_TRUE(source) << error;
    if (!source) return {};
    EXPECT_EQ(source->Size(), static_cast<std::int64_t>(bytes.size()));
    Lines lines = ReadAll(*source);
    EXPECT_EQ(source->BytesConsumed(), static_cast<std::int64_t>(bytes.size()));
    return lines;
}

TEST(ByteSource, LinesAndTheirEncoding) {
    const std::size_t block = 1u << 20;
    std::string longLine(3 * block + 17, 'z');
    longLine[block] = 'q';
    const std::vector<std::pair<std::string, Lines>> cases = {
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\n\rb\r\rc\n", {"a", "", "b", "", "c"}},
        {"", {}},
        {"tab\tand form\ffeed stay", {"tab\tand form\ffeed stay"}},
        {std::string(block - 1, 'x') + "\r\ny\n", {std::string(block - 1, 'x'), "y"}},  // CR LF across blocks
        {longLine + "\r\nend", {longLine, "end"}},
        // UTF-8, with a byte-order mark (dropped) or without (the first non-ASCII bytes decide).
        {"\xEF\xBB\xBF"
         "caf\xC3\xA9\n",
         {"caf\xE9"}},
        {"plain\nna\xC3\xAFve \xE2\x82\xAC \xE4\xB8\xAD \xC5\x93\n", {"plain", "na\xEFve \x80 \x81 \x9C"}},
        {"\xC3\xA9 \xFF\xC3 \xE2\x82 \xED\xA0\x80\n", {"\xE9 \x81\x81 \x81\x81 \x81\x81\x81"}},
        // Windows-1252 passes through.
        {"caf\xE9\n\xC3\xA9 \x80\n", {"caf\xE9", "\xC3\xA9 \x80"}},
        {"\xEF\xBB"
         "x",
         {"\xEF\xBB"
          "x"}},
    };
    for (const auto& [bytes, lines] : cases) EXPECT_EQ(ReadFile(bytes), lines) << bytes.substr(0, 40);
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
    EXPECT_EQ(ReadAll(*source), Lines{"second"});
    EXPECT_EQ(source->BytesConsumed(), 13);
    source.reset();
    EXPECT_EQ(::close(fds[0]), 0);  // the descriptor belongs to the caller
}

TEST(ByteSource, PeekAndOpenFailure) {
    ScratchFolder scratch;
    std::string error;
    auto source = ByteSource::OpenFile(scratch.Write("f.txt", "\xEF\xBB\xBFhello world\nnext"), error);
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
