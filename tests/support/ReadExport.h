// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A word export as Python's csv or json module reads it (tests/support/read_export.py): its rows, and in JSON
// its statistics and settings, one item a line, texts in hex.

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace vesk::test {

struct ExportReading {
    int status = -1;  // the reader's exit status: 0 when the file keeps every rule of its format
    std::vector<std::string> lines;
};

inline ExportReading ReadExportWithPython(const std::string& format, const std::string& path) {
    ExportReading reading;
    const std::string command = std::string(VESK_PYTHON) + " " + VESK_READ_EXPORT + " " + format + " '" + path + "'";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return reading;
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    const int status = ::pclose(pipe);
    reading.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) reading.lines.push_back(line);
    return reading;
}

inline std::string Hex(const std::string& text) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const unsigned char c : text) {
        hex.push_back(kDigits[c >> 4]);
        hex.push_back(kDigits[c & 0xF]);
    }
    return hex.empty() ? "-" : hex;
}

}  // namespace vesk::test
