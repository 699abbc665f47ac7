// SPDX-License-Identifier: GPL-3.0-or-later
#include "listing/TerminalText.h"

#include <cerrno>
#include <cstddef>
#include <ostream>

#include "engine/Encoding.h"

namespace vesk {

namespace {

// Converts `cp1252Text` for the terminal, handing the result to `emit` in pieces of about `piece` bytes.
template <typename Emit>
void ConvertForTerminal(std::string_view cp1252Text, std::size_t piece, std::string& out, Emit emit) {
    // Plain stretches are copied whole, a listing being mostly ASCII.
    const char* p = cp1252Text.data();
    const char* const end = p + cp1252Text.size();
    while (p < end) {
        const char* stretch = p;
        const char* const stop = end - p > static_cast<std::ptrdiff_t>(piece) ? p + piece : end;
        while (p < stop && *p != '\r' && static_cast<unsigned char>(*p) < 0x80) ++p;
        out.append(stretch, p);
        if (p < stop) {
            const auto code = static_cast<unsigned char>(*p++);
            if (code == '\r') {
                if (p == end || *p != '\n') out.push_back('\r');
            } else {
                const char32_t cp = Cp1252ToUnicode(code);
                if (cp < 0x800) {
                    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
                } else {
                    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
                    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
                }
                out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
            }
        }
        if (out.size() >= piece) emit();
    }
}

}  // namespace

std::string ToTerminalText(std::string_view cp1252Text) {
    std::string out;
    out.reserve(cp1252Text.size() + cp1252Text.size() / 8);
    ConvertForTerminal(cp1252Text, cp1252Text.size() + 1, out, [] {});
    return out;
}

void WriteTerminalText(std::ostream& out, std::string_view cp1252Text) {
    constexpr std::size_t kPiece = 1 << 16;
    std::string buffer;
    buffer.reserve(kPiece + kPiece / 8);
    const auto emit = [&] {
        out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        buffer.clear();
    };
    ConvertForTerminal(cp1252Text, kPiece, buffer, emit);
    emit();
}

void TerminalSink::Send(std::int64_t record, const std::string& line) {
    m_piece.clear();
    if (m_joinWords && record != 0) {
        if (m_wordsSent) m_piece = ", ";
        ConvertForTerminal(line, line.size() + 1, m_piece, [] {});
        m_wordsSent = true;
    } else {
        ConvertForTerminal(line, line.size() + 1, m_piece, [] {});
        m_piece.push_back('\n');
    }
    Write();
}

void TerminalSink::Finish() {
    if (!m_wordsSent) return;
    m_piece.assign(1, '\n');
    Write();
    m_wordsSent = false;
}

void TerminalSink::Write() {
    const bool wasGood = static_cast<bool>(m_out);
    errno = 0;
    m_out.write(m_piece.data(), static_cast<std::streamsize>(m_piece.size()));
    if (wasGood && !m_out) m_failure = errno;
}

}  // namespace vesk
