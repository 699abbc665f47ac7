// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/OutputBox.h"

#include "engine/Encoding.h"

namespace vesk {

void OutputBox::Send(std::int64_t record, const std::string& line) {
    if (m_joinWords && record != 0) {
        m_box.Append(line);
        m_box.Append(", ");
    } else {
        m_line.assign(line);
        m_line += "\r\n";
        m_box.Append(m_line);
    }
    const int code = m_twirlerChars[static_cast<std::size_t>(record % 4)];
    std::string caption;
    AppendUtf8(caption, static_cast<char32_t>(code));
    m_twirler.SetCaption(caption);
    m_platform.Repaint(&m_twirler);
}

void OutputBox::FollowEnd() { m_box.SetSelStart(m_box.Text().size()); }

}  // namespace vesk
