#pragma once
// Runs vesk-count in-process on files of a fresh temporary folder and keeps what it printed.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/CountTool.h"

namespace vesk::test {

struct ToolResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline ToolResult RunTool(std::vector<std::string> args, int stdinFd = 0, bool errIsTerminal = false) {
    std::ostringstream out;
    std::ostringstream err;
    ToolResult result;
    result.status = cli::RunCountTool(args, out, err, stdinFd, errIsTerminal);
    result.out = out.str();
    result.err = err.str();
    return result;
}

class CountToolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = std::filesystem::temp_directory_path() / ("vesk-cli-" + std::string(info->test_suite_name()) + "-" +
                                                          info->name() + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    // A file of the temporary folder with exactly these bytes; returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = Path(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    static ToolResult Run(std::vector<std::string> args, int stdinFd = 0, bool errIsTerminal = false) {
        return RunTool(std::move(args), stdinFd, errIsTerminal);
    }

    std::filesystem::path m_dir;
};

// gamma 7 times, alpha and beta 3 times each.
inline const char* const kGreekText =
    "Gamma alpha beta gamma\r\ngamma beta alpha gamma\r\n\r\ngamma beta gamma alpha gamma\r\n";

}  // namespace vesk::test
