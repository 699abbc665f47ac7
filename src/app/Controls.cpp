// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Controls.h"

#include "listing/RunError.h"

namespace vesk {

namespace {
void ThrowBoxFull() { throw RunError(kErrorBoxFull, "Out of memory"); }
}  // namespace

void TextBox::SetText(std::string text) {
    if (m_maxLength != 0 && text.size() > m_maxLength) ThrowBoxFull();
    if (text == m_text) return;
    m_text = std::move(text);
    if (m_selStart > m_text.size()) m_selStart = m_text.size();
    textChanged.Emit(TextChange{});
}

void TextBox::Append(std::string_view more) {
    if (more.empty()) return;
    if (m_maxLength != 0 && m_text.size() + more.size() > m_maxLength) ThrowBoxFull();
    const std::size_t from = m_text.size();
    m_text.append(more);
    textChanged.Emit(TextChange{true, from});
}

void TextBox::SetSelStart(std::size_t position) {
    m_selStart = position > m_text.size() ? m_text.size() : position;
    caretMoved.Emit();
}

}  // namespace vesk
