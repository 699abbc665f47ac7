#pragma once
// A started program over a scripted platform, with a private temporary folder for its files and its
// per-user data, and small helpers the main-window tests share.

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/Program.h"
#include "support/ScriptedPlatform.h"
#include "text/ProgramText.h"

namespace vesk::test {

inline std::filesystem::path MakeScratchFolder() {
    static std::atomic<int> counter{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "vesk-app-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    if (info) name += std::string("-") + info->name();
    const auto folder = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

inline void WriteScratchFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Everything a text box showed, one entry per change.
struct OutputHistory {
    explicit OutputHistory(TextBox& box) {
        box.textChanged.Connect([this, &box](TextChange) { texts.push_back(box.Text()); });
    }
    bool Contains(const std::string& text) const {
        for (const auto& t : texts)
            if (t == text) return true;
        return false;
    }
    std::vector<std::string> texts;
};

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() : folder(MakeScratchFolder()) {
        platform.userDataFolder = (folder / "config").string();
        std::filesystem::create_directories(platform.userDataFolder);
    }
    ~MainWindowTest() override {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }

    // Runs the start-up of a program that has never saved its state. The program texts are loaded
    // anew, as by a fresh process.
    void Start() {
        ClearTextTable();
        program.Start();
    }

    std::string PathOf(const std::string& name) const { return (folder / name).string(); }
    std::string MakeFile(const std::string& name, const std::string& bytes) {
        WriteScratchFile(folder / name, bytes);
        return PathOf(name);
    }

    const ShownMessage& LastMessage() const { return platform.Messages().back(); }

    std::filesystem::path folder;
    ScriptedPlatform platform;
    Program program{platform};
    MainWindow& main = program.frmMain;
};

}  // namespace vesk::test
