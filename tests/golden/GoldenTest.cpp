// SPDX-License-Identifier: GPL-3.0-or-later
// What vesk-count and the program produce, compared byte for byte with the outputs recorded in
// tests/data/golden. Each line of cases.txt is a case:
//   cli NAME ARGS...   vesk-count run as a process: exit status, standard output and error, and the file
//                      that "-o %out" names; "<FILE" is its standard input
//   app NAME STEPS...  the windows driven as a user would, the output box, statistics and output file
//                      recorded after each count and each change of order or format
// "@NAME" stands for a golden input file. With VESK_GOLDEN_RECORD=DIR set, the outputs are written to DIR
// instead of compared (see tests/data/golden/regenerate.sh).

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/ProgramFixture.h"

extern char** environ;

namespace vesk::test {
namespace {

namespace fs = std::filesystem;

struct Case {
    std::string kind;
    std::string name;
    std::vector<std::string> args;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.kind << ' ' << c.name; }

// Words separated by blanks; "double quotes" keep blanks inside one word.
std::vector<std::string> SplitWords(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, any = false;
    for (char c : line + ' ') {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (any) words.push_back(word);
            word.clear();
            any = false;
        } else {
            word += c;
            any = true;
        }
    }
    return words;
}

std::vector<Case> LoadCases() {
    std::vector<Case> cases;
    std::ifstream in(VESK_GOLDEN_SOURCE "/cases.txt");
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> words = SplitWords(line);
        if (words.size() < 2 || words[0][0] == '#') continue;
        cases.push_back({words[0], words[1], {words.begin() + 2, words.end()}});
    }
    return cases;
}

class GoldenTest : public ::testing::TestWithParam<Case> {
  protected:
    std::string Resolve(const std::string& arg) const {
        if (arg == "%out") return m_out;
        return arg.starts_with('@') ? (fs::path(VESK_GOLDEN_BUILD "/inputs") / arg.substr(1)).string() : arg;
    }

    // Paths as the manifest writes them, so that the recording holds no folder of this machine.
    std::string Section(const std::string& title, std::string bytes) const {
        for (const auto& [path, name] :
             {std::pair<std::string, std::string>{VESK_GOLDEN_BUILD "/inputs/", "@"}, {m_out, "%out"}})
            for (std::size_t at = 0; (at = bytes.find(path, at)) != std::string::npos; at += name.size())
                bytes.replace(at, path.size(), name);
        return "=== " + title + " (" + std::to_string(bytes.size()) + " bytes)\n" + bytes + "\n";
    }

    std::string RunCountTool(const std::vector<std::string>& args) {
        std::vector<std::string> words{VESK_COUNT_PATH};
        std::string input = "/dev/null";
        for (const auto& a : args) {
            if (a.starts_with('<'))
                input = Resolve(a.substr(1));
            else
                words.push_back(Resolve(a));
        }
        std::vector<char*> argv;
        for (auto& w : words) argv.push_back(w.data());
        argv.push_back(nullptr);
        const std::string out = m_scratch.PathOf("stdout"), err = m_scratch.PathOf("stderr");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t pid = 0;
        const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        int status = 0;
        if (failed != 0 || waitpid(pid, &status, 0) != pid) return "vesk-count did not run\n";
        std::string result = "=== status " + std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + "\n" +
                             Section("stdout", ReadBytes(out)) + Section("stderr", ReadBytes(err));
        if (fs::exists(m_out)) result += Section("file", ReadBytes(m_out));
        return result;
    }

    std::string RunProgram(const std::vector<std::string>& steps) {
        ScriptedPlatform platform;
        platform.userDataFolder = m_scratch.PathOf("config");
        fs::create_directories(platform.userDataFolder);
        platform.AnswerAllWithDefault();
        Program program(platform);
        MainWindow& main = program.frmMain;
        program.Start();
        std::string result;
        for (const std::string& step : steps) {
            const std::size_t eq = step.find('=');
            const std::string key = step.substr(0, eq),
                              value = eq == std::string::npos ? "" : Resolve(step.substr(eq + 1));
            if (key == "params") {
                main.cmdSetParameters.Click();
                platform.ExpectFileDialog(value);
                program.frmParams.cmdSaveLoadParameters[1].Click();
                program.frmParams.cmdClose.Click();
            } else if (key == "in") {
                main.txbFile[0].SetText(value);
                main.txbFile[0].LostFocus();
            } else if (key == "out") {
                main.txbFile[1].SetText(m_out);
                main.txbFile[1].LostFocus();
            } else if (key == "clip") {
                platform.SetClipboard(ReadBytes(value));
                main.optInTextBox.Select();
            } else if (key == "order" || key == "format") {
                (key == "order" ? main.cboWordOrder : main.cboDisplayFormat).SetListIndex(std::stoi(value));
            } else if (key == "count") {
                main.cmdListWords.Click();
            } else {
                ADD_FAILURE() << "unknown step " << step;
            }
            if (key == "count" || (main.blnWordsGot && (key == "order" || key == "format"))) {
                result += "=== after " + step + "\n" + Section("output box", main.txbOutput.Text());
                for (const Label* label : {&main.lblNumberOfWords, &main.lblNumWordsExcluded, &main.lblNumOccurrences,
                                           &main.lblTotalNumOccurrences})
                    result += label->Caption() + "\n";
                if (fs::exists(m_out)) result += Section("file", ReadBytes(m_out));
            }
        }
        for (const ShownMessage& m : platform.Messages()) result += Section("message " + m.title, m.text);
        return result;
    }

    ScratchFolder m_scratch;
    std::string m_out = m_scratch.PathOf("out.txt");
};

// On a difference, the first line that differs, with its number.
void ExpectSameBytes(const std::string& expected, const std::string& actual) {
    if (expected == actual) return;
    std::istringstream e(expected), a(actual);
    std::string el, al;
    int line = 1;
    for (;; ++line) {
        const bool moreExpected = static_cast<bool>(std::getline(e, el));
        if (!std::getline(a, al) || !moreExpected || el != al) break;
    }
    ADD_FAILURE() << "first difference on line " << line << " (" << expected.size() << " bytes expected, "
                  << actual.size() << " got)\nexpected: " << ::testing::PrintToString(el)
                  << "\n     got: " << ::testing::PrintToString(al);
}

TEST_P(GoldenTest, OutputsAreAsRecorded) {
    const Case& c = GetParam();
    const std::string actual = c.kind == "cli" ? RunCountTool(c.args) : RunProgram(c.args);
    if (const char* record = std::getenv("VESK_GOLDEN_RECORD")) {
        WriteBytes(fs::path(record) / (c.kind + "_" + c.name + ".txt"), actual);
        return;
    }
    const fs::path expected = fs::path(VESK_GOLDEN_BUILD "/expected") / (c.kind + "_" + c.name + ".txt");
    ASSERT_TRUE(fs::exists(expected)) << "no recorded output for " << c.name;
    ExpectSameBytes(ReadBytes(expected), actual);
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenTest, ::testing::ValuesIn(LoadCases()),
                         [](const auto& info) { return info.param.kind + "_" + info.param.name; });

}  // namespace
}  // namespace vesk::test
