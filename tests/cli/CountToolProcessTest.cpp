// SPDX-License-Identifier: GPL-3.0-or-later
// The vesk-count program itself, run as a process: its exit status and a reader that stops early.

#include <sys/wait.h>

#include <cstdlib>

#include "CountToolFixture.h"

namespace vesk::test {
namespace {

std::string ToolPath() { return std::string(VESK_BUILD_DIR) + "/vesk-count"; }

int Shell(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(CountToolTest, ProgramExitsQuietlyWhenTheReaderStopsEarly) {
    if (!std::filesystem::exists(ToolPath())) GTEST_SKIP() << "vesk-count is not built";
    std::string text;
    for (int i = 0; i < 40000; ++i) text += "word" + std::to_string(i) + "x alpha beta\n";
    for (char& c : text)
        if (c >= '0' && c <= '9') c = static_cast<char>('a' + (c - '0'));
    const std::string input = Write("many.txt", text);
    const std::string err = Path("err.txt");

    EXPECT_EQ(Shell("'" + ToolPath() + "' '" + input + "' 2>'" + err + "' | head -n 2 >/dev/null"), 0);
    EXPECT_EQ(Read(err), "");
    EXPECT_EQ(Shell("'" + ToolPath() + "' --format 9 '" + input + "' >/dev/null 2>'" + err + "'"), 0);
    EXPECT_EQ(Read(err), "");
    EXPECT_EQ(Shell("'" + ToolPath() + "' '" + Path("missing.txt") + "' 2>'" + err + "'"), 1);
    EXPECT_EQ(Read(err), "vesk-count: Input file does not exist.\n");
    EXPECT_EQ(Shell("printf 'gamma alpha gamma' | '" + ToolPath() + "' --format 9 - >'" + Path("out.txt") + "'"), 0);
    EXPECT_EQ(Read(Path("out.txt")), "gamma, alpha\n");
}

}  // namespace
}  // namespace vesk::test
