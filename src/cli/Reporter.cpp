// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Reporter.h"

#include "listing/TerminalText.h"

namespace vesk::cli {

namespace {

constexpr auto kProgressInterval = std::chrono::milliseconds(100);

bool IsProgressBar(const std::string& caption) {
    return caption.size() >= 2 && caption.front() == '[' && caption.back() == ']';
}

}  // namespace

void Reporter::PrintLine(const std::string& prefix, const std::string& utf8Text) {
    EraseProgress();
    m_err << "vesk-count: " << prefix << utf8Text << '\n';
    m_err.flush();
}

void Reporter::Error(const std::string& text) {
    ++m_errorCount;
    PrintLine("", ToTerminalText(text));
}

void Reporter::Warning(const std::string& text) { PrintLine("warning: ", ToTerminalText(text)); }

void Reporter::ErrorUtf8(const std::string& utf8Text) {
    ++m_errorCount;
    PrintLine("", utf8Text);
}

void Reporter::DrawProgress(const std::string& caption) {
    if (!m_showProgress) return;
    if (!IsProgressBar(caption)) {
        EraseProgress();
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (m_barDrawn && now - m_lastDraw < kProgressInterval) return;
    m_lastDraw = now;
    m_err << '\r' << caption;
    m_err.flush();
    m_barDrawn = true;
    m_barWidth = caption.size();
}

void Reporter::EraseProgress() {
    if (!m_barDrawn) return;
    m_err << '\r' << std::string(m_barWidth, ' ') << '\r';
    m_err.flush();
    m_barDrawn = false;
}

}  // namespace vesk::cli
