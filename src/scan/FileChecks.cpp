#include "scan/FileChecks.h"

// Placeholder: not written yet.

namespace vesk {

bool FileExists(const std::string&) { return false; }
bool FolderExists(const std::string&) { return false; }
std::int16_t IsTextFile(const std::string&, std::int64_t) { return -1; }
std::int16_t TextKindOfBytes(std::string_view) { return 1; }
void WarnLineEndings(Platform&, std::int16_t) {}
std::string FileExtension(const std::string&, bool) { return {}; }
std::string FolderOfPath(const std::string&) { return {}; }
std::string NormaliseDriveLetter(const std::string& path) { return path; }

}  // namespace vesk
