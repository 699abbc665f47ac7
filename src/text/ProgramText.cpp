#include "text/ProgramText.h"

// Placeholder: not written yet.

namespace vesk {

std::int32_t LoadTextTable(const std::string&) { return 0; }
std::int32_t LookUpText(std::int16_t, std::int16_t, char*, std::int32_t, bool) { return 0; }
std::string ProgramTextLoadMessage(std::int32_t, const std::string&) { return {}; }
bool LoadProgramText(Platform&, const std::string&) { return true; }
std::string GetProgramText(std::int16_t, bool) { return {}; }
void SetProgramTextLanguage(std::int16_t) {}
const std::string& ProductName() { static std::string s; return s; }
const std::string& VersionString() { static std::string s; return s; }
void InitProductStrings(MainWindow&) {}

}  // namespace vesk
