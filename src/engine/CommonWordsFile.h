// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a common-words file: a text counted as a count would, line by line, every line lower-cased and C
// comments skipped; its distinct words become the set.

#include <cstdint>
#include <exception>
#include <string>

#include "engine/CommonWords.h"
#include "engine/Encoding.h"
#include "engine/LineScanner.h"
#include "engine/ScanOptions.h"
#include "engine/WordTable.h"

namespace vesk {

struct CommonWordsFileCheck {
    int problem = 0;        // RegularFileError of the path: 0 when it names a regular file
    std::int16_t kind = 0;  // IsTextFile of its first bytes, when it does
};
// Whether `path` (a program text) names a file that can be read as common words, checked before reading it.
CommonWordsFileCheck CheckCommonWordsFile(const std::string& path, const InputEncoding& encoding = {});

// Counts the file through `scanner`, whose table `table` is emptied first and finished at the end however the
// reading ends. `options` gives the word-forming choices; the lines are lower-cased here, and the markers are
// those of C sources, in force. The file is decoded as `encoding` says, as an input file is. On success fills
// `words` and returns null; else returns the failure (a file that does not open fails as a std::system_error).
std::exception_ptr ReadCommonWordsFile(const std::string& path, ScanOptions options, LineScanner& scanner,
                                       WordTable& table, CommonWordSet& words, const InputEncoding& encoding = {});

}  // namespace vesk
