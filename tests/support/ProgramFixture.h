#pragma once
// A folder of its own for each test, and a program over a scripted platform whose per-user data lives in it:
// the set-up the main-window, parameter and listing tests share.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/Program.h"
#include "support/ScriptedPlatform.h"
#include "text/ProgramText.h"

namespace vesk::test {

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// Named after the running test; removed with all it holds when the test ends.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& Path() const { return m_path; }
    std::string PathOf(const std::string& name) const { return (m_path / name).string(); }
    // A file of the folder with exactly these bytes; returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const;

  private:
    std::filesystem::path m_path;
};

template <class PlatformType = ScriptedPlatform>
class ProgramFixture : public ::testing::Test {
  protected:
    ProgramFixture() {
        platform.userDataFolder = (folder / "config").string();
        std::filesystem::create_directories(platform.userDataFolder);
    }

    // The start-up of a program that has never saved its state, its texts loaded anew as by a fresh process.
    void Start() {
        ClearTextTable();
        program.Start();
    }
    std::string PathOf(const std::string& name) const { return scratch.PathOf(name); }
    std::string MakeFile(const std::string& name, const std::string& bytes) { return scratch.Write(name, bytes); }
    const ShownMessage& LastMessage() const { return platform.LastMessage(); }

    ScratchFolder scratch;
    const std::filesystem::path& folder = scratch.Path();
    PlatformType platform;
    Program program{platform};
    MainWindow& main = program.frmMain;
    ParamsWindow& params = program.frmParams;
};

}  // namespace vesk::test
