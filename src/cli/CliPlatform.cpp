// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliPlatform.h"

#include <filesystem>
#include <system_error>

#include "engine/Encoding.h"

namespace vesk::cli {

namespace {

constexpr auto kProgressInterval = std::chrono::milliseconds(100);

bool IsProgressBar(const std::string& caption) {
    return caption.size() >= 2 && caption.front() == '[' && caption.back() == ']';
}

}  // namespace

CliPlatform::CliPlatform(std::ostream& err, bool showProgress) : m_err(err), m_showProgress(showProgress) {}

void CliPlatform::PrintLine(const std::string& prefix, const std::string& cp1252Text) {
    EraseProgress();
    m_err << "vesk-count: " << prefix << ToTerminalText(cp1252Text) << '\n';
    m_err.flush();
}

void CliPlatform::ReportError(const std::string& cp1252Text) {
    ++m_errorCount;
    PrintLine("", cp1252Text);
}

void CliPlatform::ReportErrorUtf8(const std::string& utf8Text) {
    ++m_errorCount;
    EraseProgress();
    m_err << "vesk-count: " << utf8Text << '\n';
    m_err.flush();
}

MsgAnswer CliPlatform::ShowMessage(const std::string& text, const std::string& title, MsgButtons buttons,
                                   MsgIcon icon) {
    switch (buttons) {
        case MsgButtons::YesNoCancel:
        case MsgButtons::YesNo:
            // Asking for an output file before a large count: go on without one.
            if (title == "Large input file") return MsgAnswer::No;
            return MsgAnswer::Yes;
        case MsgButtons::OkCancel:
            return MsgAnswer::Ok;
        case MsgButtons::Ok:
            break;
    }
    if (icon == MsgIcon::Exclamation || icon == MsgIcon::Critical) {
        if (title == "Warning")
            PrintLine("warning: ", text);
        else
            ReportError(text);
    }
    return MsgAnswer::Ok;
}

void CliPlatform::Repaint(const Control* control) {
    if (!m_showProgress || m_progressLabel == nullptr || control != m_progressLabel) return;
    const std::string& caption = m_progressLabel->Caption();
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

void CliPlatform::EraseProgress() {
    if (!m_barDrawn) return;
    m_err << '\r' << std::string(m_barWidth, ' ') << '\r';
    m_err.flush();
    m_barDrawn = false;
}

std::string CliPlatform::ProgramFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return CurrentDirectory();
    std::string folder = exe.parent_path().string();
    return folder.empty() ? std::string("/") : folder;
}

std::string CliPlatform::CurrentDirectory() {
    std::error_code ec;
    const std::filesystem::path cwd = std::filesystem::current_path(ec);
    return ec ? std::string("/") : cwd.string();
}

}  // namespace vesk::cli
