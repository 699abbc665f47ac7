#include <iostream>
#include <string>
#include <vector>

#include "cli/CountTool.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return vesk::cli::RunCountTool(args, std::cout, std::cerr, 0);
}
