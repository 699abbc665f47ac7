// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform of vesk-count: nobody is there to answer, so every question gets a fixed answer and every
// message box becomes a line on standard error.
//
// - A box with an exclamation or critical icon is an error ("vesk-count: <text>"), except the line-ending
//   notice titled "Warning", which is printed as "vesk-count: warning: <text>". Errors are counted; the
//   tool fails when there was one.
// - Questions: "Large input file" -> No (go on without an output file), "Output file exists" -> Yes
//   (overwrite), "Processing will continue but may be slow." -> OK, any other -> its first button.
// - Information boxes and boxes without an icon are kept silent.
// - While a large file is read, the progress label's caption is drawn on standard error (when enabled).

#include <chrono>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "app/Controls.h"
#include "app/Platform.h"
#include "listing/TerminalText.h"

namespace vesk::cli {

class CliPlatform : public Platform {
  public:
    // `err` receives the errors, warnings and the progress bar; the bar is drawn only when `showProgress`.
    CliPlatform(std::ostream& err, bool showProgress);

    // The label whose caption is the progress bar while a large file is read.
    void WatchProgressLabel(const Label& label) { m_progressLabel = &label; }
    // Erases the progress bar if it is drawn.
    void EraseProgress();

    // Prints an error of the tool itself ("vesk-count: <text>") and counts it.
    void ReportError(const std::string& cp1252Text);
    // The same for a text that is already UTF-8 (system messages, file names as typed).
    void ReportErrorUtf8(const std::string& utf8Text);
    int ErrorCount() const { return m_errorCount; }

    // ---- Platform ----
    MsgAnswer ShowMessage(const std::string& text, const std::string& title, MsgButtons buttons, MsgIcon icon) override;
    std::optional<std::string> ShowFileDialog(const FileDialogRequest&) override { return std::nullopt; }
    std::string ReadClipboardText() override { return {}; }
    void ClearClipboard() override {}
    void WriteClipboardText(const std::string&) override {}
    bool OpenUrl(const std::string&) override { return false; }
    void PumpEvents() override {}
    bool PumpIsNoOp() const override { return true; }
    void Repaint(const Control* control) override;
    std::string ProgramFolder() override;
    // The tool keeps no per-user state.
    std::string UserDataFolder() override { return {}; }
    std::string CurrentDirectory() override;
    // Relative file names on the command line must keep their meaning, so the directory never changes.
    void SetCurrentDirectory(const std::string&) override {}
    int ScreenWidthTwips() override { return 1920 * 15; }
    void EndProgram() override { m_endRequested = true; }
    bool EndRequested() const { return m_endRequested; }

  private:
    void PrintLine(const std::string& prefix, const std::string& cp1252Text);

    std::ostream& m_err;
    bool m_showProgress;
    const Label* m_progressLabel = nullptr;
    bool m_barDrawn = false;
    std::size_t m_barWidth = 0;
    std::chrono::steady_clock::time_point m_lastDraw;
    int m_errorCount = 0;
    bool m_endRequested = false;
};

}  // namespace vesk::cli
