// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The output file as a listing sink: UTF-8, lines ending in CR LF, or the joined words of format 9 on a
// single line with nothing after the last one. The file is created or truncated, never appended to.

#include <cstdio>
#include <string>

#include "listing/ListingPass.h"

namespace vesk {

class OutputFile : public ListingSink {
  public:
    // `joinWords`: format 9, words separated by ", " on one line.
    explicit OutputFile(bool joinWords) : m_joinWords(joinWords) {}
    ~OutputFile() override;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Opens the file named by a path. Throws RunError when it cannot be created. Every RunError
    // of the file names it as the output file.
    void Open(const std::string& path);
    // Writes the rest and closes; throws RunError when the data could not all be written. The file is
    // closed in either case, holding what reached it.
    void Close();
    bool IsOpen() const { return m_file != nullptr; }

    void Send(std::int64_t record, const std::string& line) override;

  private:
    void Write(const std::string& text);

    std::FILE* m_file = nullptr;
    std::string m_namedFile;
    bool m_joinWords;
    bool m_firstWord = true;
};

}  // namespace vesk
