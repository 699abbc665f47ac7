// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "settings/StateFile.h"
#include "support/ScratchFolder.h"

namespace vesk::test {
namespace {

TEST(StateFileTest, PathInsideTheUserDataFolder) {
    ScratchFolder scratch;
    const std::filesystem::path& folder = scratch.Path();
    EXPECT_EQ(StateFilePath((folder / "deep" / "config").string()),
              (folder / "deep" / "config" / "Kestrine Systems" / "vesk.usr").string());
    EXPECT_TRUE(std::filesystem::is_directory(folder / "deep" / "config" / "Kestrine Systems"));
    EXPECT_EQ(AppDataFilePath((folder / "slash").string() + "/", "f", "d"), (folder / "slash" / "d" / "f").string());

    // A folder that cannot be made is not an error here.
    const std::string file = scratch.Write("file", "");
    EXPECT_EQ(StateFilePath(file), file + "/Kestrine Systems/vesk.usr");

    // Without a user data folder, the root folder.
    const std::string name = "vesk-test-" + std::to_string(::getpid());
    const bool existed = std::filesystem::exists("/" + name);
    EXPECT_EQ(AppDataFilePath("", "vesk.usr", name), "/" + name + "/vesk.usr");
    if (!existed) std::filesystem::remove_all("/" + name);
}

}  // namespace
}  // namespace vesk::test
