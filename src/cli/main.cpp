// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CountTool.h"

int main(int argc, char** argv) {
    // Output into a closed pipe (`| head`) ends the tool quietly, as it does any filter.
    std::signal(SIGPIPE, SIG_DFL);
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    return vesk::cli::RunCountTool(args, std::cout, std::cerr, STDIN_FILENO, isatty(STDERR_FILENO) == 1);
}
