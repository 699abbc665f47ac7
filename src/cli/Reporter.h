// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What vesk-count tells on standard error: its errors ("vesk-count: <text>"), which it counts and fails on,
// its warnings ("vesk-count: warning: <text>"), and the progress bar of a large count, drawn only when asked
// (standard error is a terminal) and erased before any other line.

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>

namespace vesk::cli {

class Reporter {
  public:
    Reporter(std::ostream& err, bool showProgress) : m_err(err), m_showProgress(showProgress) {}

    // A text of the program (CR LF line breaks).
    void Error(const std::string& text);
    void Warning(const std::string& text);
    // A text with plain line feeds (system messages, file names as typed).
    void ErrorUtf8(const std::string& utf8Text);
    // A line that is neither (a file of a corpus skipped), with plain line feeds.
    void NoteUtf8(const std::string& utf8Text) { PrintLine("", utf8Text); }
    int ErrorCount() const { return m_errorCount; }

    // Draws `caption` as the progress bar, at most every tenth of a second once one is drawn; a caption that
    // is not a bar ("[...]") erases it.
    void DrawProgress(const std::string& caption);
    void EraseProgress();

  private:
    void PrintLine(const std::string& prefix, const std::string& utf8Text);

    std::ostream& m_err;
    bool m_showProgress;
    bool m_barDrawn = false;
    std::size_t m_barWidth = 0;
    std::chrono::steady_clock::time_point m_lastDraw;
    int m_errorCount = 0;
};

}  // namespace vesk::cli
