// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The output box as a listing sink: each line is appended (the text already there is never rewritten),
// and the activity indicator turns once per line.

#include <array>
#include <string>

#include "app/Controls.h"
#include "app/Platform.h"
#include "listing/ListingPass.h"

namespace vesk {

class OutputBox : public ListingSink {
  public:
    // `twirlerChars`: the four indicator code points, shown one at a time as the caption of `twirler`.
    // `joinWords`: format 9, each word followed by ", " (the driver removes the last one).
    OutputBox(TextBox& box, Label& twirler, Platform& platform, const std::array<int, 4>& twirlerChars, bool joinWords)
        : m_box(box), m_twirler(twirler), m_platform(platform), m_twirlerChars(twirlerChars), m_joinWords(joinWords) {}

    // Throws RunError 7 when the box is full.
    void Send(std::int64_t record, const std::string& line) override;
    void FollowEnd() override;

  private:
    TextBox& m_box;
    Label& m_twirler;
    Platform& m_platform;
    std::array<int, 4> m_twirlerChars;
    bool m_joinWords;
    std::string m_line;  // the line and its end, in storage kept from line to line
};

}  // namespace vesk
