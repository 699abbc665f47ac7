// SPDX-License-Identifier: GPL-3.0-or-later
// What vesk-count and the program produce, compared byte for byte with tests/data/golden. A line of cases.txt:
//   cli NAME ARGS...   vesk-count as a process: status, stdout, stderr and the file "-o %out"; "<FILE" is stdin
//   app NAME STEPS...  the windows driven as a user would; box, statistics and file after each count or change
// "@NAME" is a golden input file. VESK_GOLDEN_RECORD=DIR writes the outputs to DIR (see regenerate.sh).

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iomanip>

#include "engine/Encoding.h"
#include "support/ProgramFixture.h"

namespace vesk::test {
namespace {

namespace fs = std::filesystem;

struct Case {
    std::string kind, name;
    std::vector<std::string> args;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.kind << ' ' << c.name; }

// The windows' texts were recorded in Windows-1252, the code page the program held them in; a character that
// code page lacks is recorded as U+FFFD in UTF-8.
std::string AsRecorded(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0, length = 0; i < utf8.size(); i += std::max<std::size_t>(length, 1)) {
        char32_t cp = 0;
        length = DecodeUtf8(utf8.substr(i), cp);
        const int code = length == 0 ? -1 : UnicodeToCp1252(cp);
        out += code < 0 ? std::string("\xEF\xBF\xBD") : std::string(1, static_cast<char>(code));
    }
    return out;
}

// Words separated by blanks; "double quotes" keep blanks inside one word.
std::vector<Case> LoadCases() {
    std::vector<Case> cases;
    std::ifstream in(VESK_GOLDEN_SOURCE "/cases.txt");
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        Case c;
        words >> c.kind >> c.name;
        for (std::string word; words >> std::quoted(word);) c.args.push_back(word);
        if (!c.name.empty() && c.kind[0] != '#') cases.push_back(c);
    }
    return cases;
}

class GoldenTest : public ::testing::TestWithParam<Case> {
  protected:
    std::string Resolve(const std::string& arg) const {
        if (!arg.starts_with('@')) return arg == "%out" ? m_out : arg;
        return (fs::path(VESK_GOLDEN_BUILD "/inputs") / arg.substr(1)).string();
    }

    // Paths as the cases write them, so that the recording holds no folder of this machine.
    std::string Section(const std::string& title, std::string bytes) const {
        for (const auto& [path, name] :
             {std::pair<std::string, std::string>{VESK_GOLDEN_BUILD "/inputs/", "@"}, {m_out, "%out"}})
            for (std::size_t at = 0; (at = bytes.find(path, at)) != std::string::npos; at += name.size())
                bytes.replace(at, path.size(), name);
        return "=== " + title + " (" + std::to_string(bytes.size()) + " bytes)\n" + bytes + "\n";
    }

    std::string RunCountTool(const std::vector<std::string>& args) {
        auto quoted = [](const std::string& word) {
            std::string q = "'";
            for (char c : word) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
            return q + "'";
        };
        std::string command = quoted(VESK_COUNT_PATH), input = "/dev/null";
        for (const auto& a : args)
            a.starts_with('<') ? void(input = Resolve(a.substr(1))) : void(command += " " + quoted(Resolve(a)));
        const std::string out = m_scratch.PathOf("stdout"), err = m_scratch.PathOf("stderr");
        const int status =
            std::system((command + " <" + quoted(input) + " >" + quoted(out) + " 2>" + quoted(err)).c_str());
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
            } else if (key == "in" || key == "out") {
                TextBox& box = main.txbFile[key == "in" ? 0 : 1];
                box.SetText(key == "in" ? value : m_out);
                box.LostFocus();
            } else if (key == "clip") {
                // The clipboard gives text, which the recording took as Windows-1252.
                platform.SetClipboard(Cp1252ToUtf8(ReadBytes(value)));
                main.optInTextBox.Select();
            } else if (key == "order" || key == "format") {
                (key == "order" ? main.cboWordOrder : main.cboDisplayFormat).SetListIndex(std::stoi(value));
            } else if (key == "count") {
                main.cmdListWords.Click();
            } else {
                ADD_FAILURE() << "unknown step " << step;
            }
            if (key == "count" || (main.blnWordsGot && (key == "order" || key == "format"))) {
                result += "=== after " + step + "\n" + Section("output box", AsRecorded(main.txbOutput.Text()));
                for (const Label* label : {&main.lblNumberOfWords, &main.lblNumWordsExcluded, &main.lblNumOccurrences,
                                           &main.lblTotalNumOccurrences})
                    result += AsRecorded(label->Caption()) + "\n";
                if (fs::exists(m_out)) result += Section("file", ReadBytes(m_out));
            }
        }
        for (const ShownMessage& m : platform.Messages())
            result += Section("message " + AsRecorded(m.title), AsRecorded(m.text));
        return result;
    }

    ScratchFolder m_scratch;
    std::string m_out = m_scratch.PathOf("out.txt");
};

TEST_P(GoldenTest, OutputsAreAsRecorded) {
    const Case& c = GetParam();
    const std::string actual = c.kind == "cli" ? RunCountTool(c.args) : RunProgram(c.args);
    if (const char* record = std::getenv("VESK_GOLDEN_RECORD")) {
        WriteBytes(fs::path(record) / (c.kind + "_" + c.name + ".txt"), actual);
        return;
    }
    const fs::path path = fs::path(VESK_GOLDEN_BUILD "/expected") / (c.kind + "_" + c.name + ".txt");
    ASSERT_TRUE(fs::exists(path)) << "no recorded output for " << c.name;
    // On a difference, the first line that differs, with its number.
    std::istringstream want(ReadBytes(path)), got(actual);
    std::string a, b;
    for (int line = 1; bool(std::getline(want, a)) | bool(std::getline(got, b)); ++line, a.clear(), b.clear())
        ASSERT_EQ(b, a) << "line " << line;
    EXPECT_TRUE(want.str() == actual) << "the outputs differ only in the end of their last line";
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenTest, ::testing::ValuesIn(LoadCases()),
                         [](const auto& info) { return info.param.kind + "_" + info.param.name; });

}  // namespace
}  // namespace vesk::test
