// SPDX-License-Identifier: GPL-3.0-or-later
// Parameter and state files, and the save that replaces a file whole or not at all.

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
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "settings/AtomicSave.h"
#include "settings/ParameterFile.h"
#include "settings/StateFile.h"
#include "support/RandomParameters.h"
#include "support/ScratchFolder.h"

namespace vesk::test {
namespace {

const std::string kRestorePrefix = "Error when attempting to restore parameters: ";
const std::string kSavePrefix = "Error when attempting to save parameters: ";

// The file of the defaults, written out by hand: the format other programs read.
std::vector<std::string> DefaultLines() {
    return {"\"\"", "\"\"", "\"\"", "\"/*\"", "\"*/\"", "\"//\"", "\"\"", "1", "3", "0", "0",   "0", "0",
            "1",    "1",    "1",    "0",      "1",      "1",      "0",    "0", "0", "0", "0",   "0", "0",
            "0",    "0",    "0",    "0",      "1",      "1",      "0",    "0", "0", "0", "\"\""};
}

std::string Lines(const std::vector<std::string>& lines, const std::string& end = "\r\n") {
    std::string text;
    for (const auto& line : lines) text += line + end;
    return text;
}

std::string With(int lineNumber, const std::string& value) {
    std::vector<std::string> lines = DefaultLines();
    lines[static_cast<std::size_t>(lineNumber - 1)] = value;
    return Lines(lines);
}

// The result of reading the bytes over a set of random values, and what the set then holds; a failed read
// changes nothing.
std::pair<std::string, ParameterSet> Parse(const std::string& bytes) {
    std::mt19937 random(7);
    ParameterSet set = RandomParameterSet(random);
    const ParameterSet before = set;
    std::string result = ParseParameterFile(bytes, set);
    if (!result.empty()) {
        EXPECT_EQ(set, before) << "a failed read changed the set: " << result;
    }
    return {result, set};
}

TEST(ParameterFileTest, TheDefaultsFileByteForByte) {
    std::string bytes;
    ASSERT_EQ(FormatParameterFile(DefaultParameters(), bytes), "");
    EXPECT_EQ(bytes, Lines(DefaultLines()));
    // Lines may end at CR LF, LF or CR; the last line without its end.
    for (const char* end : {"\n", "\r"}) {
        std::string other = Lines(DefaultLines(), end);
        EXPECT_EQ(Parse(other).second, DefaultParameters());
        other.pop_back();
        EXPECT_EQ(Parse(other).second, DefaultParameters());
    }
}

TEST(ParameterFileTest, ReadingGivesBackWhatWritingWrote) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 300; ++round) {
        const ParameterSet set = RandomParameterSet(random);
        std::string bytes;
        ASSERT_EQ(FormatParameterFile(set, bytes), "");
        ParameterSet read = RandomParameterSet(random);
        ASSERT_EQ(ParseParameterFile(bytes, read), "") << "round " << round;
        ASSERT_EQ(read, set) << "round " << round;
    }
}

TEST(ParameterFileTest, ReadingRulesAndFailures) {
    // Leading blanks, an unquoted text to the first comma, blanks after a closing quote, quotes inside a text.
    EXPECT_EQ(Parse(With(1, "   \"/in.txt\"  ")).second.inputFile, "/in.txt");
    EXPECT_EQ(Parse(With(4, "  (*,*)")).second.commentStart1, "(*");
    EXPECT_EQ(Parse(With(1, "\"/a \"b\" c.txt\"")).second.inputFile, "/a \"b\" c.txt");
    // UTF-8 or, when not (a file of the old program), Windows-1252; a byte-order mark.
    EXPECT_EQ(Parse(With(3,
                         "\"\xC5\x82\xC3\xB3"
                         "d\xC5\xBA \xD0\x96\""))
                  .second.wordsToIgnore,
              "łódź Ж");
    EXPECT_EQ(Parse(With(3, "\"caf\xE9 \x80\x81\"")).second.wordsToIgnore, "caf\xC3\xA9 \xE2\x82\xAC\xC2\x81");
    EXPECT_EQ(Parse(With(1, "\xEF\xBB\xBF\"/a\xC3\xA9\"")).second.inputFile, "/aé");

    // Numbers: the number at the start, blanks ignored, halves to the even neighbour.
    const std::vector<std::pair<std::string, int>> cases = {{"1.5", 2},  {"2.5", 2},  {"0.5", 0},   {" 1 ", 1},
                                                            {"", 0},     {"yes", 0},  {"1abc", 1},  {"\"1\"", 1},
                                                            {"1 .4", 1}, {"-0.4", 0}, {"1.5e0", 2}, {"2,9", 2}};
    for (const auto& [text, expected] : cases) {
        const auto [result, set] = Parse(With(14, text));
        EXPECT_EQ(result, "") << text;
        EXPECT_EQ(set.ignoreRepetitions, expected) << text;
    }
    // Line 29 is read and dropped; lines after 37 are never read.
    EXPECT_EQ(Parse(With(29, "7") + "\"whatever\x01").first, "");

    // Failures of the whole file.
    const std::vector<std::pair<std::string, std::string>> failures = {
        {With(36, "10"), "line 36 holds a list index out of range"},  // the tenth item is index 9
        {With(36, "99999999999999999999999999"), "line 36 holds a list index out of range"},
        {With(35, "1e400"), "line 35 holds a list index out of range"},
        {With(19, "123456789012345678901234567890"), "line 19 does not hold a check-box value (0, 1 or 2)"},
        {With(4, "\"" + std::string(10 << 20, 'x') + "\""), "line 4 is longer than 65536 characters"},
        {"", "the file ends before line 1"},
        {std::string("\x00\x01\x02\xFF\xFE\r\n", 7) + std::string(2000, '\0'), "the file ends before line 3"},
    };
    for (const auto& [bytes, description] : failures) EXPECT_EQ(Parse(bytes).first, kRestorePrefix + description);

    ScratchFolder scratch;
    ParameterSet missing;
    EXPECT_EQ(ReadParameterFile(scratch.PathOf("missing.vesk"), missing), kRestorePrefix + "No such file or directory");
    EXPECT_EQ(ReadParameterFile(scratch.Path().string(), missing), kRestorePrefix + "Is a directory");
    EXPECT_EQ(ReadParameterFile("", missing), kRestorePrefix + "No such file or directory");
    EXPECT_EQ(missing, DefaultParameters());
}

TEST(ParameterFileTest, AFileDamagedInOneLineFailsNamingItOrChangesOnlyThatValue) {
    // Each line in turn replaced by a few random bytes: the read either fails with a description of that line
    // that fits its form, and changes nothing, or gives the defaults but for that line's value, in its range.
    // Any line may hold a quoted field; a list or a check box also one of its own faults.
    const std::vector<std::string> descriptions[] = {{},
                                                     {"holds a list index out of range", "does not hold a number"},
                                                     {"does not hold a check-box value (0, 1 or 2)"},
                                                     {}};
    const std::string alphabet = "0123456789 -+.,eE\"x\t\xE9\xC3\xA9";
    std::mt19937 random(99);
    for (int round = 0; round < 40; ++round) {
        for (const ParameterField& field : kParameterFields) {
            std::string damage;
            for (int n = std::uniform_int_distribution<int>(0, 8)(random); n > 0; --n)
                damage.push_back(alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)]);
            const auto [result, set] = Parse(With(field.line, damage));
            const std::string trace = std::to_string(field.line) + " [" + damage + "]: " + result;
            if (result == "Invalid combo box index") {
                EXPECT_EQ(field.form, FieldForm::ListIndex) << trace;
            } else if (!result.empty()) {
                std::vector<std::string> fitting = descriptions[static_cast<int>(field.form)];
                fitting.insert(fitting.end(),
                               {"has no closing double quote", "holds text after its closing double quote"});
                bool fits = false;
                for (const std::string& d : fitting)
                    fits |= result == kRestorePrefix + "line " + std::to_string(field.line) + " " + d;
                EXPECT_TRUE(fits) << trace;
            } else {
                ParameterSet expected = DefaultParameters();
                if (field.text != nullptr) expected.*field.text = set.*field.text;
                if (field.number != nullptr) {
                    const int value = expected.*field.number = set.*field.number;
                    EXPECT_TRUE(value >= 0 && value <= (field.form == FieldForm::CheckBox ? 2 : field.listSize - 1))
                        << trace;
                }
                EXPECT_EQ(set, expected) << trace;
            }
        }
    }
    // A file cut short fails, unless only the end of its last line is missing.
    const std::string whole = Lines(DefaultLines());
    for (std::size_t length = 0; length + 2 < whole.size(); ++length)
        EXPECT_NE(Parse(whole.substr(0, length)).first, "") << length;
    EXPECT_EQ(Parse(whole.substr(0, whole.size() - 2)).first, "");
}

TEST(ParameterFileTest, WritingInUtf8AndFailuresThatLeaveThePreviousFile) {
    ParameterSet set;
    set.outputFile = "/out/Zażółć €.txt";
    std::string bytes;
    ASSERT_EQ(FormatParameterFile(set, bytes), "");
    EXPECT_NE(bytes.find("\r\n\"" + set.outputFile + "\"\r\n"), std::string::npos);

    ScratchFolder scratch;
    const std::string file = scratch.PathOf("p.vesk");
    ASSERT_EQ(WriteParameterFile(file, set), "");
    const std::string before = ReadBytes(file);
    // A write that fails half way: the file saved before is intact and no temporary file is left.
    set.inputFile = std::string(4000, 'y');
    {
        struct rlimit old {};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
        struct rlimit small = old;
        small.rlim_cur = 1000;
        auto* previousHandler = signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        const std::string result = WriteParameterFile(file, set);
        setrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, previousHandler);
        EXPECT_EQ(result, kSavePrefix + "File too large");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.Path()), {}), 1);  // p.vesk alone
    // A text with a line break, or too long a line, could not be read back: nothing is written.
    set.inputFile = "/a\nb";
    EXPECT_EQ(WriteParameterFile(file, set),
              kSavePrefix + "line 1 would hold a line break, which a parameter file cannot keep");
    set.inputFile.clear();
    for (int i = 0; i < 40000; ++i) set.wordsToIgnore += "é";
    EXPECT_EQ(WriteParameterFile(file, set),
              kSavePrefix + "line 3 would be longer than 65536 bytes, which a parameter file cannot keep");
    EXPECT_EQ(ReadBytes(file), before);
}

TEST(StateFileTest, PathInsideTheUserDataFolder) {
    ScratchFolder scratch;
    EXPECT_EQ(AppDataFilePath(scratch.PathOf("slash/"), "f", "d"), scratch.PathOf("slash/d/f"));
    // A folder that cannot be made is not an error here.
    const std::string file = scratch.Write("file", "");
    EXPECT_EQ(StateFilePath(file), file + "/Kestrine Systems/vesk.usr");
    // Without a user data folder, the root folder.
    const std::string name = "vesk-test-" + std::to_string(::getpid());
    const bool existed = std::filesystem::exists("/" + name);
    EXPECT_EQ(AppDataFilePath("", "vesk.usr", name), "/" + name + "/vesk.usr");
    if (!existed) std::filesystem::remove_all("/" + name);
}

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
