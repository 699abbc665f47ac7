#pragma once
// Numbered program texts, read at start-up from vesk_text.dat beside the executable.
// Implemented in text/ProgramText.cpp (the text table and file format) and text/ProductStrings.cpp.

#include <cstdint>
#include <string>

namespace vesk {

class Platform;
class MainWindow;

// Load codes: greater than 0 success; 0 nothing read; -1 cannot open; -2, -8 memory; -3 too much text;
// -4 text not recovered; -6 empty file; -7 read error; -501..-1000 missing string at line (-code-500);
// -1001..-1500 string too long at line; below -1500 duplicate at line.
std::int32_t LoadTextTable(const std::string& path);
// The text with that number and language into `buffer` (at most `capacity` characters); returns its length,
// 0 or less when there is none.
std::int32_t LookUpText(std::int16_t number, std::int16_t language, char* buffer, std::int32_t capacity, bool started);
// The message for a load code that is not a success; `path` is the full path tried.
std::string ProgramTextLoadMessage(std::int32_t code, const std::string& path);
// Forgets every text loaded (tests, and a program that loads its texts anew).
void ClearTextTable();

// LoadProgramText: loads the file from the program's folder; on failure shows the message (critical icon,
// empty title) and ends the program, returning false.
bool LoadProgramText(Platform& platform, const std::string& fileName);
// GetProgramText: the text in the current language, or "".
std::string GetProgramText(std::int16_t number, bool started);
void SetProgramTextLanguage(std::int16_t language);

// Product strings, filled by InitProductStrings.
const std::string& ProductName();
const std::string& VersionString();
void InitProductStrings(MainWindow& main);

}  // namespace vesk
