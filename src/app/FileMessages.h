// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The messages about an input file: unusual line endings, and why a name names no file to read.

#include <cstdint>
#include <string>

namespace vesk {

class Platform;

// "This file has ..." for the text-file kinds of LF-only and CR-only files; nothing for the others.
void WarnLineEndings(Platform& platform, std::int16_t kind);
// Tells why a path names no regular file (`problem` from RegularFileError), `fileLine` on the line after:
// `missingText` titled "File not found" when nothing is there, "This is not a text file." for a pipe or a
// device, else the system's error.
void ReportFileProblem(Platform& platform, int problem, const std::string& missingText, const std::string& fileLine);

}  // namespace vesk
