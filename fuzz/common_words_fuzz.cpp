// SPDX-License-Identifier: GPL-3.0-or-later
// The common-words reader over arbitrary bytes, as the main window reads the file: the first byte sets the
// two check boxes the reading borrows, the rest is the file. A file that reads gives its distinct words in
// key order, puts the boxes back and reads the same again.

#include <optional>
#include <vector>

#include "FuzzSupport.h"
#include "app/Program.h"
#include "engine/Normalisation.h"

namespace {

using namespace vesk;

// Nobody answers: every box gets its first button.
struct NullPlatform : Platform {
    MsgAnswer ShowMessage(const std::string&, const std::string&, MsgButtons buttons, MsgIcon) override {
        return buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? MsgAnswer::Ok : MsgAnswer::Yes;
    }
    std::optional<std::string> ShowFileDialog(const FileDialogRequest&, const std::string&) override {
        return std::nullopt;
    }
    std::string ReadClipboardText() override { return {}; }
    void ClearClipboard() override {}
    void WriteClipboardText(const std::string&) override {}
    bool OpenUrl(const std::string&) override { return false; }
    void PumpEvents() override {}
    bool PumpIsNoOp() const override { return true; }
    void Repaint(const Control*) override {}
    std::string ProgramFolder() override { return "/nonexistent"; }
    std::string UserDataFolder() override { return {}; }
    std::string CurrentDirectory() override { return "/"; }
    std::string HomeFolder() override { return {}; }
    int ScreenWidthTwips() override { return 28800; }
    void EndProgram() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static NullPlatform platform;
    static Program program(platform);  // kept, as the program keeps its windows between readings
    MainWindow& main = program.frmMain;
    fuzz::InputReader in(data, size);
    const std::uint8_t b = in.Byte();
    main.chkSuppressWords.SetValue(b % 3);
    program.frmParams.chkAllowCommentMarkers.SetValue(b / 3 % 3);
    main.blnStartUpCompleted = true;
    main.strCommonWordsFile = fuzz::WriteInputFile(in.rest, "common words.txt");

    const bool read = main.ReadCommonWords();
    FUZZ_CHECK(main.chkSuppressWords.Value() == b % 3 && program.frmParams.chkAllowCommentMarkers.Value() == b / 3 % 3);
    if (!read) return 0;
    const std::vector<std::string> words = main.CommonWords.Words();
    FUZZ_CHECK(main.blnCommonWordsLoaded && main.CommonWords.Size() == main.Table.DistinctWordCount());
    for (std::size_t i = 0; i < words.size(); ++i) {
        FUZZ_CHECK(!words[i].empty() && words[i].size() <= kMaxWordLength && main.CommonWords.Contains(words[i]));
        FUZZ_CHECK(i == 0 || WordKey(words[i - 1]) < WordKey(words[i]));
    }
    FUZZ_CHECK(main.ReadCommonWords() && main.CommonWords.Words() == words);
    return 0;
}
