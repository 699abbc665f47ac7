#include "params/AtomicSave.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace vesk {

namespace {

std::string ErrnoText(int number) { return std::generic_category().message(number); }

}  // namespace

std::string WriteFileAtomically(const std::string& path, const std::string& bytes, SaveProbe probe) {
    namespace fs = std::filesystem;
    if (path.empty()) return ErrnoText(ENOENT);
    fs::path target(path);
    std::error_code ec;
    // Replacing a symbolic link would cut it from the file it points to: write to that file instead.
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) target = resolved;
    }
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> temporary(pattern.begin(), pattern.end());
    temporary.push_back('\0');

    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return ErrnoText(errno);

    // The new file gets the permissions of the one it replaces, else the usual ones of a new file.
    mode_t mode;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    if (probe != nullptr) probe(temporary.data());
    int failure = 0;
    if (::fchmod(fd, mode) != 0) failure = errno;
    std::size_t written = 0;
    while (failure == 0 && written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno != EINTR) failure = errno;
        } else {
            written += static_cast<std::size_t>(n);
        }
    }
    if (failure == 0 && ::fsync(fd) != 0) failure = errno;
    if (::close(fd) != 0 && failure == 0) failure = errno;
    if (failure == 0 && std::rename(temporary.data(), target.c_str()) != 0) failure = errno;
    if (failure != 0) {
        ::unlink(temporary.data());
        return ErrnoText(failure);
    }
    return {};
}

}  // namespace vesk
