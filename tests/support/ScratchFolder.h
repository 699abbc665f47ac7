// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A folder of its own for each test, and whole files read and written as bytes. Header only, so that the
// engine's tests, which link the engine alone, share it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace vesk::test {

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Named after the running test; removed with all it holds when the test ends.
class ScratchFolder {
  public:
    ScratchFolder() {
        static std::atomic<int> counter{0};
        std::string name = "vesk-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info())
            name += std::string("-") + info->test_suite_name() + "-" + info->name();
        // Parameterised tests have a "/" in their names; the folder is one level all the same.
        std::replace(name.begin(), name.end(), '/', '_');
        m_path = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& Path() const { return m_path; }
    std::string PathOf(const std::string& name) const { return (m_path / name).string(); }
    // A file of the folder with exactly these bytes; returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        WriteBytes(m_path / name, bytes);
        return PathOf(name);
    }

  private:
    std::filesystem::path m_path;
};

}  // namespace vesk::test
