// SPDX-License-Identifier: GPL-3.0-or-later
#include "listing/TerminalText.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <ostream>

namespace vesk {

namespace {

// Copies `text` for the terminal, handing the result to `emit` in pieces of about `piece` bytes.
template <typename Emit>
void ConvertForTerminal(std::string_view text, std::size_t piece, std::string& out, Emit emit) {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const char* const stop = end - p > static_cast<std::ptrdiff_t>(piece) ? p + piece : end;
        const char* const cr = std::find(p, stop, '\r');
        out.append(p, cr);
        p = cr;
        // The CR of a CR LF is left out; a lone CR stays.
        if (p < stop && (++p == end || *p != '\n')) out.push_back('\r');
        if (out.size() >= piece) emit();
    }
}

}  // namespace

std::string ToTerminalText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    ConvertForTerminal(text, text.size() + 1, out, [] {});
    return out;
}

void WriteTerminalText(std::ostream& out, std::string_view text) {
    constexpr std::size_t kPiece = 1 << 16;
    std::string buffer;
    buffer.reserve(kPiece);
    const auto emit = [&] {
        out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        buffer.clear();
    };
    ConvertForTerminal(text, kPiece, buffer, emit);
    emit();
}

void TerminalSink::Send(std::int64_t record, const std::string& line) {
    if (m_joinWords && record != 0) {
        if (m_wordsSent) m_piece += ", ";
        m_wordsSent = true;
    }
    if (line.find('\r') == std::string::npos)
        m_piece += line;
    else
        ConvertForTerminal(line, line.size() + 1, m_piece, [] {});
    if (!m_joinWords || record == 0) m_piece.push_back('\n');
    // Lines go out in blocks: a stream write per line costs more than composing the line.
    if (m_piece.size() >= kBlockBytes) Write();
}

void TerminalSink::Finish() {
    if (m_wordsSent) m_piece.push_back('\n');
    m_wordsSent = false;
    Write();
}

void TerminalSink::Write() {
    const bool wasGood = static_cast<bool>(m_out);
    errno = 0;
    m_out.write(m_piece.data(), static_cast<std::streamsize>(m_piece.size()));
    if (wasGood && !m_out) m_failure = errno;
    m_piece.clear();
}

}  // namespace vesk
