// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "engine/FileChecks.h"
#include "engine/ScanHarness.h"

namespace vesk::test {
namespace {

TEST(FileChecks, LineEndingKinds) {
    EXPECT_EQ(IsTextFile(TempFile("a\r\nb\r\n").Path(), 16384), kTextCrLf);
    EXPECT_EQ(IsTextFile(TempFile("a\nb\n").Path(), 16384), kTextLfOnly);
    EXPECT_EQ(IsTextFile(TempFile("a\rb\r").Path(), 16384), kTextCrOnly);
    EXPECT_EQ(IsTextFile(TempFile("one line").Path(), 16384), kTextCrLf);
    EXPECT_EQ(IsTextFile(TempFile("").Path(), 16384), kTextFileEmpty);
    EXPECT_EQ(IsTextFile("/nonexistent/vesk/file.txt", 16384), kTextFileMissing);
    // Only the examined part decides: a CR after the first 16384 bytes is not seen.
    EXPECT_EQ(IsTextFile(TempFile(std::string(16384, 'a') + "\r\n" + "\n").Path(), 16384), kTextCrLf);
    EXPECT_EQ(IsTextFile(TempFile(std::string(16383, 'a') + "\n\r").Path(), 16384), kTextLfOnly);
}

TEST(FileChecks, TextBytes) {
    std::string text = "tab\there \x80\x9F\xA0\xFF\n";
    EXPECT_EQ(IsTextFile(TempFile(text).Path(), 16384), kTextLfOnly);
    EXPECT_EQ(IsTextFile(TempFile("form\ffeed").Path(), 16384), kNotText);
    EXPECT_EQ(IsTextFile(TempFile("old\x1A").Path(), 16384), kNotText);
    EXPECT_EQ(IsTextFile(TempFile(std::string(16383, 'a') + '\f').Path(), 16384), kNotText);
    EXPECT_EQ(IsTextFile(TempFile(std::string(16384, 'a') + '\f').Path(), 16384), kTextCrLf);
    EXPECT_EQ(IsTextFile(TempFile(std::string(20000, 'a') + std::string(1, '\0')).Path(), 16384), kTextCrLf);
    EXPECT_EQ(TextKindOfBytes(""), kTextCrLf);
    EXPECT_EQ(TextKindOfBytes("a\nb"), kTextLfOnly);
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

    TempFile file("x");
    const std::string folder = FolderOfPath(file.Path());
    EXPECT_TRUE(FileExists(file.Path()));
    EXPECT_FALSE(FileExists(folder));
    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(FolderExists(folder));
    EXPECT_FALSE(FolderExists(file.Path()));
    EXPECT_FALSE(FolderExists("/nonexistent/vesk"));
}

TEST(FileChecks, WhyAPathNamesNoRegularFile) {
    TempFile file("x");
    const std::string folder = FolderOfPath(file.Path());
    EXPECT_EQ(RegularFileError(file.Path()), 0);
    EXPECT_EQ(RegularFileError("/nonexistent/vesk/file.txt"), ENOENT);
    EXPECT_EQ(RegularFileError(""), ENOENT);
    EXPECT_EQ(RegularFileError(folder + std::string(300, 'n') + ".txt"), ENAMETOOLONG);
    EXPECT_EQ(RegularFileError(file.Path() + "/inner.txt"), ENOTDIR);
    EXPECT_EQ(RegularFileError(folder), EISDIR);
    if (std::filesystem::exists("/dev/null")) {
        EXPECT_EQ(RegularFileError("/dev/null"), kOtherKindOfFile);
    }

    const std::string loop = file.Path() + ".loop";
    std::filesystem::create_symlink(loop, loop);
    EXPECT_EQ(RegularFileError(loop), ELOOP);
    std::filesystem::remove(loop);
}

TEST(FileChecks, NonAsciiFileNames) {
    // Names are Windows-1252 inside the program and UTF-8 on disk.
    TempFile file("x", "caf\xC3\xA9.txt");
    std::string name = file.Path();
    name.replace(name.size() - 6, 2, "\xE9");
    EXPECT_TRUE(FileExists(name));
    EXPECT_EQ(IsTextFile(name, 16384), kTextCrLf);
}

}  // namespace
}  // namespace vesk::test
