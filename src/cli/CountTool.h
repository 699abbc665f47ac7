// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// vesk-count: the command-line counter over the engine.

#include <iosfwd>
#include <string>
#include <vector>

namespace vesk::cli {

// Runs vesk-count with its arguments (without the program name); `stdinFd` is read when the input is
// standard input. Returns the exit status: 0 success, 1 failure, 2 usage error. The progress bar of a
// large count is drawn on `err` only when `errIsTerminal`.
int RunCountTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, int stdinFd = 0,
                 bool errIsTerminal = false);

// Flushes `stream` and tells how everything written to it since `errno` was cleared went: a failure is
// reported on `err` with the system's message, except that a reader gone away (a closed pipe) ends the tool
// quietly. Returns the exit status.
int WriteStatus(std::ostream& stream, const char* name, std::ostream& err);

}  // namespace vesk::cli
