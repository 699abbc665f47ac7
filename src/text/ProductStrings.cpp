// Loading the program texts at start-up, looking them up, and the product strings made from them.

#include <algorithm>
#include <array>
#include <string>

#include "app/MainWindow.h"
#include "app/Platform.h"
#include "text/ProgramText.h"

namespace vesk {

namespace {

constexpr std::int32_t kLookupCapacity = 1024;

std::int16_t g_language = 0;
// One buffer serves every lookup: a text longer than the buffer comes back cut to its length.
std::array<char, kLookupCapacity> g_lookupBuffer{};
std::string g_productName;
std::string g_versionString;

}  // namespace

bool LoadProgramText(Platform& platform, const std::string& fileName) {
    std::string path = platform.ProgramFolder();
    if (path.empty() || path.back() != '/') path += '/';
    path += fileName;
    const std::int32_t code = LoadTextTable(path);
    if (code > 0) return true;
    platform.ShowMessage(ProgramTextLoadMessage(code, path), "", MsgButtons::Ok, MsgIcon::Critical);
    platform.EndProgram();
    return false;
}

std::string GetProgramText(std::int16_t number, bool started) {
    const std::int32_t length = LookUpText(number, g_language, g_lookupBuffer.data(), kLookupCapacity, started);
    if (length <= 0) return {};
    return std::string(g_lookupBuffer.data(), static_cast<std::size_t>(std::min(length, kLookupCapacity)));
}

void SetProgramTextLanguage(std::int16_t language) { g_language = language; }

const std::string& ProductName() { return g_productName; }
const std::string& VersionString() { return g_versionString; }

void InitProductStrings(MainWindow& main) {
    g_productName = GetProgramText(1, main.blnStartUpCompleted);
    g_versionString = std::to_string(VESK_VERSION_MAJOR) + "." + std::to_string(VESK_VERSION_MINOR) + "7";
    main.SetWindowTitle();
}

}  // namespace vesk
