// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A folder of its own for each test, and whole files read and written as bytes.

#include <filesystem>
#include <string>

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

}  // namespace vesk::test
