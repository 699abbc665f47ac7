// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs vesk-count in-process on files of a fresh temporary folder and keeps what it printed.

#include <fcntl.h>
#include <unistd.h>

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
    *os << r.status << " [" << r.out << "] [" << r.err << "]";
}

class CountToolTest : public ::testing::Test {
  protected:
    ~CountToolTest() override {
        for (const int fd : m_stdinFds) ::close(fd);
    }
    // Standard input from a pipe holding `text`, closed with the test.
    int StdinWithText(const std::string& text) {
        int fds[2];
        if (::pipe(fds) != 0) return -1;
        const bool written = ::write(fds[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
        ::close(fds[1]);
        m_stdinFds.push_back(fds[0]);
        return written ? fds[0] : -1;
    }
    std::string Write(const std::string& name, const std::string& bytes) const { return scratch.Write(name, bytes); }
    std::string Path(const std::string& name) const { return scratch.PathOf(name); }
    static ToolResult Run(std::vector<std::string> args, int stdinFd = 0, std::ostream* outStream = nullptr) {
        std::ostringstream out;
        std::ostringstream err;
        ToolResult result;
        result.status = cli::RunCountTool(args, outStream != nullptr ? *outStream : out, err, stdinFd);
        result.out = out.str();
        result.err = err.str();
        return result;
    }

    ScratchFolder scratch;

  private:
    std::vector<int> m_stdinFds;
};

// gamma 7 times, alpha and beta 3 times each.
inline const char* const kGreekText =
    "Gamma alpha beta gamma\r\ngamma beta alpha gamma\r\n\r\ngamma beta gamma alpha gamma\r\n";

}  // namespace vesk::test
