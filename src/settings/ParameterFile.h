// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parameter file: 37 lines, one value of a ParameterSet each, shared by parameter files and the state
// file. Texts are UTF-8, in the program and in the file; a file that is not UTF-8 (one written in the Windows
// code page) reads as Windows-1252.
//
// Every function returns the message the program shows for a failure, or "" on success; a failed read leaves
// `set` as it was, so that a file is applied only when all of it is good. A failure of the file itself is
// followed by `fileLine`, a line naming the file and its role, when there is one.

#include <string>
#include <string_view>

#include "settings/ParameterSet.h"

namespace vesk {

// Reads the file at `systemPath` (a path as the system spells it); lines after the 37th are not read.
std::string ReadParameterFile(const std::string& systemPath, ParameterSet& set, const std::string& fileLine = {});
// The same rules over the bytes of a file.
std::string ParseParameterFile(std::string_view bytes, ParameterSet& set);

// Writes the file so that a failed save leaves the file that was there as it was.
std::string WriteParameterFile(const std::string& systemPath, const ParameterSet& set,
                               const std::string& fileLine = {});
// The bytes of the file; a set that a file could not give back (a text with a line break, a line too long)
// gives the description of what it cannot keep, and no bytes.
std::string FormatParameterFile(const ParameterSet& set, std::string& bytes);

}  // namespace vesk
