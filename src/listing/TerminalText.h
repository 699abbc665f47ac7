// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's texts and listings as a terminal shows them: each CR LF a plain line feed.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

#include "listing/ListingPass.h"

namespace vesk {

std::string ToTerminalText(std::string_view text);
// The same written to `out` piece by piece, without the whole text twice in memory.
void WriteTerminalText(std::ostream& out, std::string_view text);

// A listing written to a stream line by line as it is composed, as the output box would show it converted
// for the terminal: each line ends with a line feed; joined words are separated by ", " and end with one.
class TerminalSink : public ListingSink {
  public:
    TerminalSink(std::ostream& out, bool joinWords) : m_out(out), m_joinWords(joinWords) {}

    void Send(std::int64_t record, const std::string& line) override;
    // Ends a line of joined words and writes what is held: lines are written in blocks, so a listing is
    // complete on the stream only after this.
    void Finish();
    // The error number of the first write that failed, 0 when none did (or the system gave none).
    int Failure() const { return m_failure; }

  private:
    void Write();

    std::ostream& m_out;
    bool m_joinWords;
    bool m_wordsSent = false;
    int m_failure = 0;
    static constexpr std::size_t kBlockBytes = std::size_t{1} << 16;
    std::string m_piece;  // converted lines not yet written
};

}  // namespace vesk
