// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a whole file through a temporary file beside it, renamed over it once complete.

#include "settings/AtomicSave.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <functional>
#include <ostream>
#include <streambuf>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace vesk {

namespace {

std::string ErrnoText(int number) { return std::generic_category().message(number); }

// As many links as the system itself follows in one path.
constexpr int kMaxLinks = 40;
// How long a temporary file must have been left unchanged before another save may take it for abandoned.
// A save locks its file at once after making it; the delay only covers that moment.
constexpr std::time_t kAbandonedAfterSeconds = 10;
constexpr std::size_t kRandomLength = 6;  // the characters mkstemp puts in place of "XXXXXX"

// ---- Removing the temporary file when a signal ends the process ----

// The signals whose default action ends the process, that a save may meet.
constexpr std::array<int, 5> kFatalSignals{SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGXFSZ};

// The temporary file being written, for the signal handler. The path is complete before `g_armed` is set,
// and stays unchanged until `g_armed` is cleared; one save runs at a time.
char g_temporary[4096];
volatile std::sig_atomic_t g_armed = 0;

// Only async-signal-safe calls: removes the temporary file, then ends the process as the signal would have.
void RemoveTemporaryAndEnd(int signalNumber) {
    if (g_armed != 0) ::unlink(g_temporary);
    struct sigaction defaultAction {};
    defaultAction.sa_handler = SIG_DFL;
    ::sigemptyset(&defaultAction.sa_mask);
    ::sigaction(signalNumber, &defaultAction, nullptr);
    ::raise(signalNumber);  // delivered when the handler returns, with the default action
}

// While alive, a fatal signal whose action is the default removes the temporary file before the process ends.
// A signal the program ignores or handles itself is left to the program: it decides whether the save goes on.
// The fatal signals are blocked in this thread except while the temporary file is armed, so that a signal
// arriving as the file is made, or as the save ends, comes when the file is either removed or renamed.
class SignalCleanup {
  public:
    SignalCleanup() {
        sigset_t fatal;
        ::sigemptyset(&fatal);
        for (int s : kFatalSignals) ::sigaddset(&fatal, s);
        ::pthread_sigmask(SIG_BLOCK, &fatal, &m_mask);

        struct sigaction ours {};
        ours.sa_handler = RemoveTemporaryAndEnd;
        ours.sa_mask = fatal;
        for (std::size_t i = 0; i < kFatalSignals.size(); ++i) {
            struct sigaction current {};
            if (::sigaction(kFatalSignals[i], nullptr, &current) != 0) continue;
            if ((current.sa_flags & SA_SIGINFO) != 0 || current.sa_handler != SIG_DFL) continue;
            m_installed[i] = ::sigaction(kFatalSignals[i], &ours, nullptr) == 0;
        }
    }
    ~SignalCleanup() {
        Disarm();
        struct sigaction defaultAction {};
        defaultAction.sa_handler = SIG_DFL;
        ::sigemptyset(&defaultAction.sa_mask);
        for (std::size_t i = 0; i < kFatalSignals.size(); ++i)
            if (m_installed[i]) ::sigaction(kFatalSignals[i], &defaultAction, nullptr);
        ::pthread_sigmask(SIG_SETMASK, &m_mask, nullptr);  // a signal held back meanwhile comes now
    }
    SignalCleanup(const SignalCleanup&) = delete;
    SignalCleanup& operator=(const SignalCleanup&) = delete;

    // `temporary` (shorter than the buffer) exists: from here on a signal removes it.
    void Arm(const char* temporary) {
        std::strcpy(g_temporary, temporary);
        std::atomic_signal_fence(std::memory_order_seq_cst);
        g_armed = 1;
        ::pthread_sigmask(SIG_SETMASK, &m_mask, nullptr);
    }
    // The temporary file is gone (renamed or removed): the signals are held back again.
    void Disarm() {
        if (g_armed == 0) return;
        sigset_t fatal;
        ::sigemptyset(&fatal);
        for (int s : kFatalSignals) ::sigaddset(&fatal, s);
        ::pthread_sigmask(SIG_BLOCK, &fatal, nullptr);
        g_armed = 0;
        std::atomic_signal_fence(std::memory_order_seq_cst);
    }

  private:
    sigset_t m_mask{};
    std::array<bool, kFatalSignals.size()> m_installed{};
};

// ---- The file a save replaces ----

// Follows symbolic links from `path` to the file a save replaces, which must be a regular file or not exist
// yet; the links themselves are kept. Returns the failure's description, or "".
std::string ResolveTarget(std::string path, std::string& target, struct stat& existing, bool& exists) {
    for (int links = 0;; ++links) {
        if (::lstat(path.c_str(), &existing) != 0) {
            // A file not made yet: its folder must exist, which making the temporary file checks.
            if (errno != ENOENT) return ErrnoText(errno);
            exists = false;
            break;
        }
        if (S_ISDIR(existing.st_mode)) return ErrnoText(EISDIR);
        if (!S_ISLNK(existing.st_mode)) {
            if (!S_ISREG(existing.st_mode)) return "Not a regular file";
            exists = true;
            break;
        }
        if (links == kMaxLinks) return ErrnoText(ELOOP);
        char buffer[4096];
        const ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer);
        if (n < 0) return ErrnoText(errno);
        if (static_cast<std::size_t>(n) == sizeof buffer) return ErrnoText(ENAMETOOLONG);
        std::string link(buffer, static_cast<std::size_t>(n));
        // A relative link is read from the folder that holds it.
        const std::size_t slash = path.rfind('/');
        if (link.starts_with('/') || slash == std::string::npos) {
            path = std::move(link);
        } else {
            path.resize(slash + 1);
            path += link;
        }
    }
    const std::size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty() || name == "." || name == "..") return ErrnoText(EISDIR);
    target = path;
    return {};
}

// ---- Temporary files left by saves that ended half way ----

bool IsRandomPart(const char* text) {
    for (std::size_t i = 0; i < kRandomLength; ++i) {
        const char c = text[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    }
    return text[kRandomLength] == '\0';
}

// Removes the temporary files that earlier saves of `name` left in `folder` when they were ended by a signal
// that cannot be caught or by a crash. Removed is only a file named exactly as a save of `name` names its
// temporary file, a regular file of ours with no other link, unchanged for a while, and not locked: a save in
// progress keeps its temporary file locked from just after making it until after renaming it, and the system
// releases the lock of a process that ended. Anything else, or any doubt, leaves the file where it is.
void RemoveAbandonedTemporaries(const std::string& folder, const std::string& name) {
    const std::string prefix = "." + name + ".";
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    const int dirFd = ::dirfd(dir);
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const char* entryName = entry->d_name;
        if (std::strncmp(entryName, prefix.c_str(), prefix.size()) != 0 || !IsRandomPart(entryName + prefix.size()))
            continue;
        struct stat seen {};
        if (::fstatat(dirFd, entryName, &seen, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(seen.st_mode) ||
            seen.st_uid != ::geteuid() || seen.st_nlink != 1 || now - seen.st_mtime < kAbandonedAfterSeconds)
            continue;
        const int fd = ::openat(dirFd, entryName, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat opened {};
        if (::fstat(fd, &opened) == 0 && opened.st_dev == seen.st_dev && opened.st_ino == seen.st_ino &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(dirFd, entryName, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

}  // namespace

namespace {

int WriteAll(int fd, const char* data, std::size_t size) {
    std::size_t written = 0;
    while (written < size) {
        const ssize_t n = ::write(fd, data + written, size - written);
        if (n < 0) {
            if (errno != EINTR) return errno;
        } else {
            written += static_cast<std::size_t>(n);
        }
    }
    return 0;
}

// A stream's bytes gathered and written to a descriptor; the first failure is kept and fails the stream.
class DescriptorBuffer : public std::streambuf {
  public:
    explicit DescriptorBuffer(int fd) : m_fd(fd), m_buffer(1 << 16) {
        setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    }
    int Failure() const { return m_failure; }

  protected:
    int_type overflow(int_type c) override {
        if (sync() != 0) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
        return traits_type::not_eof(c);
    }
    int sync() override {
        if (m_failure == 0) m_failure = WriteAll(m_fd, pbase(), static_cast<std::size_t>(pptr() - pbase()));
        setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
        return m_failure == 0 ? 0 : -1;
    }

  private:
    int m_fd;
    std::vector<char> m_buffer;
    int m_failure = 0;
};

// The save of WriteFileAtomically, the content written to the temporary file's descriptor by `fill`, which
// returns an error number, 0 when all went well.
std::string SaveThrough(const std::string& path, SaveProbe probe, const std::function<int(int)>& fill) {
    if (path.empty()) return ErrnoText(ENOENT);
    std::string target;
    struct stat existing {};
    bool exists = false;
    if (std::string failure = ResolveTarget(path, target, existing, exists); !failure.empty()) return failure;

    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    RemoveAbandonedTemporaries(folder, name);

    std::string temporary = (slash == std::string::npos ? "" : target.substr(0, slash + 1)) + "." + name + ".XXXXXX";
    if (temporary.size() >= sizeof g_temporary) return ErrnoText(ENAMETOOLONG);

    SignalCleanup cleanup;
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return ErrnoText(errno);
    // Held until the rename is done, so that no other save takes this file for abandoned.
    ::flock(fd, LOCK_EX | LOCK_NB);
    cleanup.Arm(temporary.c_str());
    if (probe != nullptr) probe(temporary.c_str());

    // The new file gets the permissions of the one it replaces, else the usual ones of a new file.
    mode_t mode;
    if (exists) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    int failure = 0;
    if (::fchmod(fd, mode) != 0) failure = errno;
    if (failure == 0) {
        try {
            failure = fill(fd);
        } catch (...) {
            failure = ECANCELED;
        }
    }
    if (failure == 0 && ::fsync(fd) != 0) failure = errno;
    if (failure == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) failure = errno;
    if (failure != 0) ::unlink(temporary.c_str());
    cleanup.Disarm();
    if (::close(fd) != 0 && failure == 0) failure = errno;
    return failure == 0 ? std::string() : ErrnoText(failure);
}

}  // namespace

std::string WriteFileAtomically(const std::string& path, const std::string& bytes, SaveProbe probe) {
    return SaveThrough(path, probe, [&bytes](int fd) { return WriteAll(fd, bytes.data(), bytes.size()); });
}

std::string WriteFileAtomically(const std::string& path, const std::function<void(std::ostream&)>& write,
                                SaveProbe probe) {
    return SaveThrough(path, probe, [&write](int fd) {
        DescriptorBuffer buffer(fd);
        std::ostream out(&buffer);
        write(out);
        out.flush();
        return buffer.Failure() != 0 ? buffer.Failure() : out ? 0 : EIO;
    });
}

}  // namespace vesk
