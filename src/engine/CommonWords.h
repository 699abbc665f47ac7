#pragma once
// The plain-text test of clipboard text (the common-words reading itself is MainWindow::ReadCommonWords).

#include <cstddef>
#include <string_view>

namespace vesk {

// False when one of the first `limit` characters is a control character other than tab, LF and CR.
// An empty text is plain.
bool IsPlainText(std::string_view text, std::size_t limit);

}  // namespace vesk
