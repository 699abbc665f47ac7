// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a common-words file: its checks, and the words it gives.

#include <gtest/gtest.h>

#include "engine/CommonWordsFile.h"
#include "engine/FileChecks.h"
#include "engine/ScanHarness.h"
#include "support/ScratchFolder.h"

namespace vesk::test {
namespace {

using Words = std::vector<std::string>;

Words Read(const std::string& path, ScanOptions options, std::exception_ptr* failure) {
    WordTable table;
    LineScanner scanner(table);
    CommonWordSet words({"kept"});
    const std::exception_ptr error = ReadCommonWordsFile(path, options, scanner, table, words);
    if (failure != nullptr) *failure = error;
    return words.Words();
}

TEST(CommonWordsFile, WordsOfTheFile) {
    ScanOptions dropS;
    dropS.dropFinalS = true;
    dropS.allowed.hyphens = true;
    const struct {
        std::string text;
        ScanOptions options;
        Words words;
    } cases[] = {
        {"The the THE\r\n", {}, {"the"}},  // lower-cased whatever the options say
        {"  zebra\n\napple /* skipped */\nmango // also skipped\n   \nkiwi\n", {}, {"apple", "kiwi", "mango", "zebra"}},
        {"kiwi apple, mango; zebra\n", {}, {"apple", "kiwi", "mango", "zebra"}},
        {"news cats glass e-mail\n", dropS, {"cat", "e-mail", "glass", "new"}},  // split as a count splits
        {"one\rtwo\r", {}, {"one", "two"}},
        {"", {}, {}},
    };
    ScratchFolder scratch;
    for (const auto& c : cases) {
        std::exception_ptr failure;
        EXPECT_EQ(Read(scratch.Write("cw.txt", c.text), c.options, &failure), c.words) << c.text;
        EXPECT_FALSE(failure);
    }
    // A file that does not open keeps the words there were.
    std::exception_ptr failure;
    EXPECT_EQ(Read("/nonexistent/vesk/cwds.txt", {}, &failure), (Words{"kept"}));
    EXPECT_TRUE(failure);
}

TEST(CommonWordsFile, ChecksBeforeReading) {
    ScratchFolder scratch;
    const std::string text = scratch.Write("text", "word\n");
    const std::pair<std::string, CommonWordsFileCheck> cases[] = {
        {text, {0, kTextLfOnly}},
        {scratch.Write("binary", std::string("word\0word", 9)), {0, kNotText}},
        {scratch.Write("mac", "one\rtwo\r"), {0, kTextCrOnly}},
        {"/nonexistent/vesk/cwds.txt", {ENOENT, 0}},
        {text + "/cwds.txt", {ENOTDIR, 0}},  // not called missing
    };
    for (const auto& [path, expected] : cases) {
        const CommonWordsFileCheck check = CheckCommonWordsFile(path);
        EXPECT_EQ(std::pair(check.problem, check.kind), std::pair(expected.problem, expected.kind)) << path;
    }
}

}  // namespace
}  // namespace vesk::test
