// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A platform for tests: message boxes and file dialogs are answered from queues that the test fills, and
// every box shown is kept in a transcript. A box or dialog nobody expected fails the test; so does an
// answer left unused when the platform is destroyed.

#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/Platform.h"
#include "settings/ParameterSet.h"

namespace vesk {

// Tests compare a whole dialog request at once.
bool operator==(const FileDialogRequest& a, const FileDialogRequest& b);
void PrintTo(const FileDialogRequest& request, std::ostream* out);
// A set as the lines of its file.
void PrintTo(const ParameterSet& set, std::ostream* out);

}  // namespace vesk

namespace vesk::test {

struct ShownMessage {
    std::string text;
    std::string title;
    MsgButtons buttons;
    MsgIcon icon;
    bool operator==(const ShownMessage&) const = default;
};
void PrintTo(const ShownMessage& message, std::ostream* out);

class ScriptedPlatform : public Platform {
  public:
    ScriptedPlatform();
    ~ScriptedPlatform() override;

    // The answer to the next message box.
    void ExpectMessage(MsgAnswer answer) { m_answers.push_back(answer); }
    // The next message boxes are answered with their first button (Ok, Yes), however many come.
    void AnswerAllWithDefault(bool on = true) { m_answerAll = on; }
    // The result of the next file dialog (nothing = cancelled).
    void ExpectFileDialog(std::optional<std::string> path) { m_dialogAnswers.push_back(std::move(path)); }
    void SetClipboard(std::string text) { m_clipboard = std::move(text); }
    // Called on every event pump, repaint of the whole window and read of the clipboard: tests press Stop or
    // fail a run from them.
    std::function<void()> onPump, onRepaintWindow, onReadClipboard;

    const std::vector<ShownMessage>& Messages() const { return m_messages; }
    const std::vector<FileDialogRequest>& FileDialogs() const { return m_dialogs; }
    // The folder each dialog opened in.
    const std::vector<std::string>& FileDialogFolders() const { return m_dialogFolders; }
    const std::vector<std::string>& OpenedUrls() const { return m_urls; }
    const std::string& Clipboard() const { return m_clipboard; }
    bool Ended() const { return m_ended; }
    long PumpCount() const { return m_pumps; }
    std::vector<const Control*> repainted;  // the controls repainted, nullptr for the whole window

    std::string programFolder, userDataFolder, currentDirectory = "/";
    std::string homeFolder = "/home/tester";
    bool openUrlResult = true;

    MsgAnswer ShowMessage(const std::string& text, const std::string& title, MsgButtons buttons, MsgIcon icon) override;
    std::optional<std::string> ShowFileDialog(const FileDialogRequest& request, const std::string& folder) override;
    std::string ReadClipboardText() override {
        if (onReadClipboard) onReadClipboard();
        return m_clipboard;
    }
    void ClearClipboard() override { m_clipboard.clear(); }
    void WriteClipboardText(const std::string& text) override { m_clipboard = text; }
    bool OpenUrl(const std::string& address) override {
        m_urls.push_back(address);
        return openUrlResult;
    }
    void PumpEvents() override {
        ++m_pumps;
        if (onPump) onPump();
    }
    void Repaint(const Control* control) override {
        repainted.push_back(control);
        if (control == nullptr && onRepaintWindow) onRepaintWindow();
    }
    std::string ProgramFolder() override { return programFolder; }
    std::string UserDataFolder() override { return userDataFolder; }
    std::string CurrentDirectory() override { return currentDirectory; }
    std::string HomeFolder() override { return homeFolder; }
    int ScreenWidthTwips() override { return 1920 * 15; }
    void EndProgram() override { m_ended = true; }

  private:
    std::deque<MsgAnswer> m_answers;
    std::deque<std::optional<std::string>> m_dialogAnswers;
    std::vector<ShownMessage> m_messages;
    std::vector<FileDialogRequest> m_dialogs;
    std::vector<std::string> m_dialogFolders, m_urls;
    std::string m_clipboard;
    bool m_answerAll = false, m_ended = false;
    long m_pumps = 0;
};

}  // namespace vesk::test
