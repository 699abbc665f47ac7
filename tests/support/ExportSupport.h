// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hand-made word tables, and word exports as Python's csv or json module reads them
// (tests/support/read_export.py): rows, then in JSON the statistics and settings, one a line, texts in hex.

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "engine/WordTable.h"

namespace vesk::test {

struct TableWord {
    std::string word;
    std::int64_t frequency;
    bool listed = true;
};

// Words in key order, each once; the statistics computed, not ranked.
inline void FillTable(WordTable& table, const std::vector<TableWord>& words) {
    table.Reset();
    for (const TableWord& w : words)
        for (std::int64_t k = 0, record = table.Add(w.word); k + 1 < w.frequency; ++k) table.CountAgain(record);
    table.Finish();
    for (std::size_t i = 0; i < words.size(); ++i) table.SetListed(static_cast<std::int64_t>(i) + 1, words[i].listed);
    table.ComputeStatistics();
}

// The reader's lines; empty with a failure noted when the file breaks a rule of its format.
inline std::vector<std::string> ReadExportWithPython(const std::string& format, const std::string& path) {
    const std::string command = std::string(VESK_PYTHON) + " " + VESK_READ_EXPORT + " " + format + " '" + path + "'";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    std::string text;
    char buffer[4096];
    for (std::size_t n; pipe != nullptr && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        text.append(buffer, n);
    EXPECT_EQ(pipe != nullptr ? ::pclose(pipe) : -1, 0) << format << " export broke its format: " << path;
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

inline std::string Hex(const std::string& text) {
    std::string hex = text.empty() ? "-" : "";
    for (const unsigned char c : text) hex += {"0123456789abcdef"[c >> 4], "0123456789abcdef"[c & 0xF]};
    return hex;
}

}  // namespace vesk::test
