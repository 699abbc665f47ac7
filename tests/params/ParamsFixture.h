#pragma once
// A started program over a scripted platform whose per-user folder lives in a fresh temporary folder.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/Program.h"
#include "support/ScriptedPlatform.h"

namespace vesk::test {

inline std::filesystem::path MakeTempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const auto folder = std::filesystem::temp_directory_path() / ("vesk-params-" + std::to_string(::getpid()) + "-" +
                                                                  info->test_suite_name() + "-" + info->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// The lines joined, each ended by CR LF.
inline std::string CrLfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

// The 37 lines of the file saved right after the defaults, with nothing named.
inline std::vector<std::string> DefaultLines() {
    return {"\"\"", "\"\"", "\"\"", "\"/*\"", "\"*/\"", "\"//\"", "\"\"", "1", "3", "0", "0",   "0", "0",
            "1",    "1",    "1",    "0",      "1",      "1",      "0",    "0", "0", "0", "0",   "0", "0",
            "0",    "0",    "0",    "0",      "1",      "1",      "0",    "0", "0", "0", "\"\""};
}

class ProgramTest : public ::testing::Test {
  protected:
    ProgramTest() : folder(MakeTempFolder()) {
        platform.userDataFolder = (folder / "config").string();
        stateFile = folder / "config" / "Kestrine Systems" / "vesk.usr";
    }
    ~ProgramTest() override { std::filesystem::remove_all(folder); }

    void Start() {
        program.Start();
        ASSERT_TRUE(main.blnStartUpCompleted);
    }

    std::filesystem::path folder;
    std::filesystem::path stateFile;
    ScriptedPlatform platform;
    Program program{platform};
    MainWindow& main = program.frmMain;
    ParamsWindow& params = program.frmParams;
};

}  // namespace vesk::test
