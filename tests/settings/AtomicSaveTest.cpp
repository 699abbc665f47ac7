// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "settings/AtomicSave.h"
#include "support/ScratchFolder.h"

namespace vesk::test {
namespace {

namespace fs = std::filesystem;

// The names in the folder, sorted.
std::vector<std::string> Entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(AtomicSaveTest, SavesThroughSymbolicLinksButNeverOverWhatIsNotARegularFile) {
    ScratchFolder scratch;
    const fs::path& f = scratch.Path();
    ASSERT_EQ(::mkfifo((f / "fifo").c_str(), 0600), 0);
    fs::create_directories(f / "dir");
    fs::create_directories(f / "sub");
    WriteBytes(f / "sub" / "real", "old");
    const std::pair<const char*, const char*> links[] = {
        {"to-fifo", "fifo"},     {"to-dir", "dir"},       {"a", "b"},         {"b", "sub/c"},    {"sub/c", "real"},
        {"dangling", "sub/new"}, {"lost", "nowhere/new"}, {"loop1", "loop2"}, {"loop2", "loop1"}};
    for (const auto& [link, target] : links) fs::create_symlink(target, f / link);
    const std::pair<std::string, const char*> cases[] = {
        {"fifo", "Not a regular file"},
        {"to-fifo", "Not a regular file"},
        {"dir", "Is a directory"},
        {"to-dir", "Is a directory"},
        {"dir/", "Is a directory"},
        {"new/", "Is a directory"},
        {"a", ""},         // a chain of links, each relative to its own folder
        {"dangling", ""},  // a link to a file not made yet makes that file, in the folder it names
        {"lost", "No such file or directory"},
        {"loop1", "Too many levels of symbolic links"},
    };
    for (const auto& [name, result] : cases) EXPECT_EQ(WriteFileAtomically((f / name).string(), name), result) << name;
    EXPECT_EQ(ReadBytes(f / "sub" / "real"), "a");
    EXPECT_EQ(ReadBytes(f / "sub" / "new"), "dangling");
    for (const auto& [link, target] : links) EXPECT_TRUE(fs::is_symlink(f / link)) << link;
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(f / "fifo")));
    EXPECT_TRUE(fs::is_empty(f / "dir"));
    EXPECT_EQ(Entries(f), (std::vector<std::string>{"a", "b", "dangling", "dir", "fifo", "loop1", "loop2", "lost",
                                                    "sub", "to-dir", "to-fifo"}));
    EXPECT_EQ(Entries(f / "sub"), (std::vector<std::string>{"c", "new", "real"}));
}

// Sends the signal to a save in a child process once its temporary file exists; returns the child's wait status,
// and the temporary file's name in `temporary`. `ownHandler`: the child handles SIGTERM itself, as a program
// may, instead of ending at once.
int InterruptSave(const fs::path& target, int signalNumber, bool ownHandler, std::string& temporary) {
    static int report = -1;
    static volatile sig_atomic_t signalled = 0;
    int fds[2];
    if (::pipe(fds) != 0) return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        report = fds[1];
        // Whatever the test runner inherited, the child starts as a program does: every signal at its default.
        sigset_t all;
        sigfillset(&all);
        ::sigprocmask(SIG_UNBLOCK, &all, nullptr);
        for (int s : {SIGHUP, SIGINT, SIGQUIT, SIGTERM}) ::signal(s, SIG_DFL);
        const struct rlimit noCore {};
        ::setrlimit(RLIMIT_CORE, &noCore);  // SIGQUIT ends with a core dump
        if (ownHandler) ::signal(SIGTERM, [](int) { signalled = 1; });
        const std::string result = WriteFileAtomically(target.string(), "new", [](const char* name) {
            // The signals wait until the parent has the name, then the save waits for one.
            sigset_t held, before;
            sigemptyset(&held);
            for (int s : {SIGHUP, SIGINT, SIGQUIT, SIGTERM}) sigaddset(&held, s);
            ::pthread_sigmask(SIG_BLOCK, &held, &before);
            if (::write(report, name, std::strlen(name)) < 0) ::_exit(3);
            ::close(report);
            ::sigsuspend(&before);
        });
        ::_exit(result.empty() && signalled == 1 ? 0 : 2);
    }
    ::close(fds[1]);
    temporary.clear();
    char buffer[4096];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) temporary.append(buffer, n);
    ::close(fds[0]);
    EXPECT_TRUE(fs::is_regular_file(temporary)) << temporary;
    ::kill(pid, signalNumber);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

TEST(AtomicSaveTest, AnInterruptedSaveLeavesNoTemporaryFile) {
    ScratchFolder scratch;
    const fs::path target = scratch.Path() / "t.vesk";
    WriteBytes(target, "old");
    std::string temporary;
    for (int signalNumber : {SIGINT, SIGQUIT}) {
        const int status = InterruptSave(target, signalNumber, false, temporary);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber) << signalNumber << " " << status;
        EXPECT_FALSE(fs::exists(temporary)) << signalNumber;
        EXPECT_EQ(ReadBytes(target), "old");
    }
    // A program that handles the signal itself decides what it means: here the save goes on and completes.
    const int status = InterruptSave(target, SIGTERM, true, temporary);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(ReadBytes(target), "new");
    EXPECT_EQ(Entries(scratch.Path()), std::vector<std::string>{"t.vesk"});
}

TEST(AtomicSaveTest, TheNextSaveRemovesTemporaryFilesLeftByAnEndedSave) {
    ScratchFolder scratch;
    const fs::path& f = scratch.Path();
    const fs::path target = f / "t.vesk";
    WriteBytes(target, "old");

    // What a signal that cannot be caught leaves, long ago, goes; the next save must leave alone other names,
    // other kinds of file, a recent file, and one still held.
    WriteBytes(f / ".t.vesk.abc123", "half");
    std::vector<std::string> kept = {".t.vesk.abc12", ".t.vesk.abc1234", ".t.vesk.abc-12", ".u.vesk.abc123",
                                     "t.vesk.abc123", ".t.vesk.hard12",  ".t.vesk.held12"};
    for (const std::string& name : kept) WriteBytes(f / name, "");
    fs::create_hard_link(f / ".t.vesk.hard12", f / "hard");
    fs::create_directory(f / ".t.vesk.dir123");
    fs::create_symlink("hard", f / ".t.vesk.lnk123");
    const struct timespec anHourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    for (const std::string& name : Entries(f))
        ASSERT_EQ(::utimensat(AT_FDCWD, (f / name).c_str(), anHourAgo, AT_SYMLINK_NOFOLLOW), 0) << name;
    WriteBytes(f / ".t.vesk.new123", "");
    const int held = ::open((f / ".t.vesk.held12").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    kept.insert(kept.end(), {".t.vesk.dir123", ".t.vesk.lnk123", ".t.vesk.new123", "hard", "t.vesk"});
    std::sort(kept.begin(), kept.end());

    struct sigaction before {};
    ::sigaction(SIGTERM, nullptr, &before);
    EXPECT_EQ(WriteFileAtomically(target.string(), "new"), "");
    struct sigaction after {};
    ::sigaction(SIGTERM, nullptr, &after);
    ::close(held);

    EXPECT_EQ(after.sa_handler, before.sa_handler);  // the save's own handling ends with the save
    EXPECT_EQ(ReadBytes(target), "new");
    EXPECT_EQ(Entries(f), kept);
}

}  // namespace
}  // namespace vesk::test
