#pragma once
// Saving a whole file so that a failed save leaves the previous file as it was.

#include <string>

namespace vesk {

// For tests that interrupt a save: called with the temporary file's path once it exists, before any byte of
// the new content is written to it.
using SaveProbe = void (*)(const char* temporaryPath);

// Writes the bytes to a temporary file beside `path` and renames it over `path`. Returns the failure's
// description, or "".
std::string WriteFileAtomically(const std::string& path, const std::string& bytes, SaveProbe probe = nullptr);

}  // namespace vesk
