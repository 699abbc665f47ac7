#pragma once
// Runs vesk-count in-process on files of a fresh temporary folder and keeps what it printed.

#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/CountTool.h"
#include "support/ProgramFixture.h"

namespace vesk::test {

struct ToolResult {
    int status = -1;
    std::string out;
    std::string err;
    bool operator==(const ToolResult&) const = default;
};

inline void PrintTo(const ToolResult& r, std::ostream* os) {
    *os << "{status " << r.status << ", out \"" << r.out << "\", err \"" << r.err << "\"}";
}

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
    std::string Write(const std::string& name, const std::string& bytes) const { return scratch.Write(name, bytes); }
    std::string Path(const std::string& name) const { return scratch.PathOf(name); }
    static std::string Read(const std::string& path) { return ReadBytes(path); }
    static ToolResult Run(std::vector<std::string> args, int stdinFd = 0, bool errIsTerminal = false) {
        return RunTool(std::move(args), stdinFd, errIsTerminal);
    }

    ScratchFolder scratch;
    const std::filesystem::path& m_dir = scratch.Path();
};

// gamma 7 times, alpha and beta 3 times each.
inline const char* const kGreekText =
    "Gamma alpha beta gamma\r\ngamma beta alpha gamma\r\n\r\ngamma beta gamma alpha gamma\r\n";

}  // namespace vesk::test
