// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cerrno>

#include "engine/FileChecks.h"
#include "support/ScratchFolder.h"

namespace vesk::test {
namespace {

// Only the first 16384 bytes decide: their line ends, and whether a control character other than tab, CR and
// LF makes them no text.
TEST(FileChecks, TextKinds) {
    const std::vector<std::pair<std::string, std::int16_t>> cases = {
        {"a\r\nb\r\n", kTextCrLf},
        {"a\nb\n", kTextLfOnly},
        {"a\rb\r", kTextCrOnly},
        {"one line", kTextCrLf},
        {"", kTextFileEmpty},
        {std::string(16384, 'a') + "\r\n\n", kTextCrLf},
        {std::string(16383, 'a') + "\n\r", kTextLfOnly},
        {"tab\there \x80\x9F\xA0\xFF\n", kTextLfOnly},
        {"form\ffeed", kNotText},
        {"old\x1A", kNotText},
        {std::string(16383, 'a') + '\f', kNotText},
        {std::string(16384, 'a') + '\f', kTextCrLf},
    };
    ScratchFolder scratch;
    for (const auto& [bytes, kind] : cases) EXPECT_EQ(IsTextFile(scratch.Write("f", bytes), 16384), kind) << bytes;
    EXPECT_EQ(IsTextFile("/nonexistent/vesk/file.txt", 16384), kTextFileMissing);
    EXPECT_EQ(TextKindOfBytes("a\rb"), kTextCrOnly);
    EXPECT_EQ(TextKindOfBytes(std::string("a\0", 2)), kNotText);
}

TEST(FileChecks, PathFunctions) {
    EXPECT_EQ(FileExtension("/home/u/Page.HTML", true), "html");
    EXPECT_EQ(FileExtension("/home/u/Page.HTML", false), "HTML");
    EXPECT_EQ(FileExtension("/home/u.d/readme", true), "");
    EXPECT_EQ(FileExtension("a.tar.gz", false), "gz");
    EXPECT_EQ(FileExtension("name.", false), "");
    EXPECT_EQ(FolderOfPath("/home/u/f.txt"), "/home/u/");
    EXPECT_EQ(FolderOfPath("f.txt"), "");
    EXPECT_EQ(FolderOfPath("/f.txt"), "/");
    EXPECT_EQ(FolderOfPath("c:/Dir/F.txt"), "C:/dir/");
    EXPECT_EQ(NormaliseDriveLetter("c:/Dir/X\xC9"), "C:/dir/x\xE9");
    EXPECT_EQ(NormaliseDriveLetter("/Home/Dir"), "/Home/Dir");
    EXPECT_EQ(NormaliseDriveLetter("c"), "c");
}

TEST(FileChecks, WhatAPathNames) {
    ScratchFolder scratch;
    const std::string file = scratch.Write("f.txt", "x"), folder = FolderOfPath(file);
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(folder));
    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(FolderExists(folder));
    EXPECT_FALSE(FolderExists(file));
    EXPECT_FALSE(FolderExists("/nonexistent/vesk"));

    const std::string loop = file + ".loop";
    std::filesystem::create_symlink(loop, loop);
    const std::vector<std::pair<std::string, int>> cases = {
        {file, 0},
        {"/nonexistent/vesk/file.txt", ENOENT},
        {"", ENOENT},
        {folder + std::string(300, 'n') + ".txt", ENAMETOOLONG},
        {file + "/inner.txt", ENOTDIR},
        {folder, EISDIR},
        {"/dev/null", kOtherKindOfFile},
        {loop, ELOOP},
    };
    for (const auto& [path, error] : cases) EXPECT_EQ(RegularFileError(path), error) << path;
    std::filesystem::remove(loop);

    // Names are Windows-1252 inside the program and UTF-8 on disk.
    scratch.Write("caf\xC3\xA9.txt", "x");
    EXPECT_EQ(IsTextFile(scratch.PathOf("caf\xE9.txt"), 16384), kTextCrLf);
}

}  // namespace
}  // namespace vesk::test
