// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// vesk-count: the command-line counter over the same engine.

#include <iosfwd>
#include <string>
#include <vector>

namespace vesk::cli {

// Runs vesk-count with its arguments (without the program name); `stdinFd` is read when the input is
// standard input. Returns the exit status: 0 success, 1 failure, 2 usage error. The progress bar of a
// large count is drawn on `err` only when `errIsTerminal`.
int RunCountTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, int stdinFd = 0,
                 bool errIsTerminal = false);

}  // namespace vesk::cli
