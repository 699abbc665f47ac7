// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/FileChecks.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <system_error>

#include "engine/CharClasses.h"
#include "engine/Encoding.h"

namespace vesk {

namespace {

struct LineEndNotes {
    bool lineFeed = false;
    bool carriageReturn = false;
};

bool ExamineByte(unsigned char b, LineEndNotes& notes) {
    if (b >= 32) return true;
    if (b == 10) {
        notes.lineFeed = true;
    } else if (b == 13) {
        notes.carriageReturn = true;
    } else if (b != 9) {
        return false;
    }
    return true;
}

// False when a character makes the text not text; notes the line ends seen. UTF-8 holds its control
// characters below 32 as single bytes, so the bytes of Windows-1252 or UTF-8 text are examined as they are.
// Eight bytes are passed over at once when none is below 32: a corpus of many small files is checked almost
// whole.
bool ExamineBytes(std::string_view bytes, LineEndNotes& notes) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    std::size_t pos = 0;
    for (; pos + 8 <= bytes.size(); pos += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + pos, 8);
        if (((word - 32 * kOnes) & ~word & (0x80 * kOnes)) == 0) continue;
        for (std::size_t k = pos; k < pos + 8; ++k)
            if (!ExamineByte(static_cast<unsigned char>(bytes[k]), notes)) return false;
    }
    for (; pos < bytes.size(); ++pos)
        if (!ExamineByte(static_cast<unsigned char>(bytes[pos]), notes)) return false;
    return true;
}

std::int16_t KindOfNotes(const LineEndNotes& notes) {
    if (notes.lineFeed && !notes.carriageReturn) return kTextLfOnly;
    if (notes.carriageReturn && !notes.lineFeed) return kTextCrOnly;
    return kTextCrLf;
}

}  // namespace

std::filesystem::path SystemPath(const std::string& path) { return std::filesystem::path(path); }

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    std::error_code error;
    return std::filesystem::is_regular_file(SystemPath(path), error);
}

int RegularFileError(const std::string& path) {
    if (path.empty()) return ENOENT;
    struct stat info {};
    if (::stat(SystemPath(path).c_str(), &info) != 0) return errno;
    if (S_ISREG(info.st_mode)) return 0;
    return S_ISDIR(info.st_mode) ? EISDIR : kOtherKindOfFile;
}

bool FolderExists(const std::string& path) {
    if (path.empty()) return false;
    DIR* folder = ::opendir(SystemPath(path).c_str());
    if (folder == nullptr) return false;
    ::closedir(folder);
    return true;
}

std::int16_t IsTextFile(const std::string& path, std::int64_t limit, const InputEncoding& encoding) {
    if (!FileExists(path)) return kTextFileMissing;
    const int fd = ::open(SystemPath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return kTextFileOpenFailed;
    std::string bytes(static_cast<std::size_t>(std::max<std::int64_t>(limit, 0)), '\0');
    std::size_t got = 0;
    bool failed = false;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        failed = n < 0;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (got == 0) return failed ? kTextFileOpenFailed : kTextFileEmpty;
    bytes.resize(got);
    return TextKindOfBytes(bytes, encoding);
}

std::int16_t TextKindOfBytes(std::string_view bytes, const InputEncoding& encoding) {
    LineEndNotes notes;
    const DecodingPlan plan = PlanDecoding(bytes, encoding);
    const std::unique_ptr<StreamDecoder> decoder = MakeStreamDecoder(plan.kind, encoding.converter);
    if (!decoder) return ExamineBytes(bytes, notes) ? KindOfNotes(notes) : kNotText;
    // A character cut at the end of the bytes is left out: the rest of it is beyond the limit.
    std::string text;
    decoder->Decode(bytes.substr(plan.skip), false, text);
    return ExamineBytes(text, notes) ? KindOfNotes(notes) : kNotText;
}

std::string FileExtension(const std::string& path, bool lower) {
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    return lower ? LowerCase(extension) : extension;
}

std::string FolderOfPath(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return {};
    return NormaliseDriveLetter(path.substr(0, slash + 1));
}

std::string NormaliseDriveLetter(const std::string& path) {
    if (path.size() < 2 || path[1] != ':') return path;
    std::string normalised = LowerCase(path);
    normalised[0] = UpperChar(path[0]);
    return normalised;
}

}  // namespace vesk
