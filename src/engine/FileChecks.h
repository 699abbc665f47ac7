// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Input file checks and path functions.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/Encoding.h"

namespace vesk {

// Kinds returned by IsTextFile.
inline constexpr std::int16_t kTextFileMissing = -1;
inline constexpr std::int16_t kTextFileEmpty = -2;
inline constexpr std::int16_t kTextFileOpenFailed = -3;
inline constexpr std::int16_t kNotText = 0;
inline constexpr std::int16_t kTextCrLf = 1;    // CR and LF both seen, or neither
inline constexpr std::int16_t kTextLfOnly = 2;  // LF seen, no CR
inline constexpr std::int16_t kTextCrOnly = 3;  // CR seen, no LF

// RegularFileError of a path that names something other than a file or a folder.
inline constexpr int kOtherKindOfFile = -1;

// The file-system path of a program text: its bytes, as the program holds names in UTF-8 as the system does.
std::filesystem::path SystemPath(const std::string& path);

bool FileExists(const std::string& path);    // a regular file (not a folder)
bool FolderExists(const std::string& path);  // a folder that can be opened
// Why the path names no regular file, links followed: 0 when it does; else the system's error code of the
// look-up (ENOENT when nothing is there, ENAMETOOLONG, ENOTDIR, ELOOP, EACCES ...), EISDIR for a folder, or
// kOtherKindOfFile for a pipe, a device or a socket.
int RegularFileError(const std::string& path);
// Whether the file is text, and its line endings, from the characters of its first `limit` bytes decoded
// as `encoding` says: a control character other than tab, CR and LF makes it no text.
std::int16_t IsTextFile(const std::string& path, std::int64_t limit, const InputEncoding& encoding = {});
// The same test on the first bytes of a file already in memory (kinds 0 to 3; empty bytes give 1).
std::int16_t TextKindOfBytes(std::string_view bytes, const InputEncoding& encoding = {});
// The part of the file name (after the last "/") after its last "."; lower-cased when asked.
std::string FileExtension(const std::string& path, bool lower);
// The path up to and including its last "/", through NormaliseDriveLetter; "" without a "/".
std::string FolderOfPath(const std::string& path);
// A path whose second character is ":" gets an upper-case first character and a lower-case rest.
std::string NormaliseDriveLetter(const std::string& path);

}  // namespace vesk
