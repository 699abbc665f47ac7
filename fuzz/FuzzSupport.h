// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the fuzz targets share: options taken from the front of the input, input files, and checks.

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

// A broken invariant is a finding: abort, so that the fuzzer keeps the input.
#define FUZZ_CHECK(condition) \
    ((condition) ? void()     \
                 : (std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__), std::abort()))

namespace vesk::fuzz {

// Takes options from the front of the input; past its end every byte reads as 0.
struct InputReader {
    std::string_view rest;
    InputReader(const std::uint8_t* data, std::size_t size) : rest(reinterpret_cast<const char*>(data), size) {}
    std::uint8_t Byte() {
        const auto b = static_cast<std::uint8_t>(rest.empty() ? 0 : rest[0]);
        rest.remove_prefix(rest.empty() ? 0 : 1);
        return b;
    }
    // A text of 0 to `maxLength` bytes, its length given by the byte before it.
    std::string Text(std::size_t maxLength) {
        const std::size_t n = std::min<std::size_t>(Byte() % (maxLength + 1), rest.size());
        const std::string text(rest.substr(0, n));
        rest.remove_prefix(n);
        return text;
    }
};

// Puts `bytes` in the in-memory file `name` of this process (made on first use) and returns a path that
// opens it, for readers that take a path: nothing is left on disk, however the process ends.
inline std::string WriteInputFile(std::string_view bytes, const std::string& name) {
    static std::map<std::string, int> files;
    int& fd = files[name];
    if (fd == 0) fd = ::memfd_create(name.c_str(), 0);
    FUZZ_CHECK(fd > 0 && ::ftruncate(fd, 0) == 0);
    FUZZ_CHECK(::pwrite(fd, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size()));
    return "/proc/self/fd/" + std::to_string(fd);
}

}  // namespace vesk::fuzz
