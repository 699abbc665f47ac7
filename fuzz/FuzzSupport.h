#pragma once
// What the fuzz targets share: options taken from the front of the input, input files, and checks.

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

// A broken invariant is a finding: abort, so that the fuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                   \
    do {                                                                                        \
        if (!(condition)) {                                                                     \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                       \
        }                                                                                       \
    } while (0)

namespace vesk::fuzz {

// Takes options from the front of the input; past its end every byte reads as 0.
class InputReader {
  public:
    InputReader(const std::uint8_t* data, std::size_t size) : m_rest(reinterpret_cast<const char*>(data), size) {}
    std::uint8_t Byte() {
        if (m_rest.empty()) return 0;
        const auto b = static_cast<std::uint8_t>(m_rest[0]);
        m_rest.remove_prefix(1);
        return b;
    }
    // A text of 0 to `maxLength` bytes, its length given by the byte before it.
    std::string Text(std::size_t maxLength) {
        const std::size_t n = std::min<std::size_t>(Byte() % (maxLength + 1), m_rest.size());
        std::string text(m_rest.substr(0, n));
        m_rest.remove_prefix(n);
        return text;
    }
    std::string_view Rest() const { return m_rest; }

  private:
    std::string_view m_rest;
};

// A path in a folder of this process (made on first use, removed at exit).
inline std::string TempPath(const std::string& name) {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / ("vesk-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        std::atexit([] { std::filesystem::remove_all(folder); });
        return path;
    }();
    return (folder / name).string();
}

// Writes `bytes` to the file `name` of the folder above and returns its path.
inline std::string WriteInputFile(std::string_view bytes, const std::string& name) {
    const std::string path = TempPath(name);
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace vesk::fuzz
