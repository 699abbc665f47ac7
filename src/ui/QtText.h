// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts cross between the program (UTF-8, CR LF line ends) and Qt here only.

#include <QString>
#include <string>
#include <string_view>

namespace vesk::ui {

// A program text for a widget; CR LF pairs stay as they are (callers that need "\n" use ToQtLines).
QString ToQt(std::string_view text);
// A program text whose CR LF, lone CR and lone LF all become "\n".
QString ToQtLines(std::string_view text);
// As ToQtLines, for a large box: only every kLinesPerParagraph-th line break ends a paragraph, the others
// are line separators, which show and read back (toPlainText) the same. A text document spends most of its
// time on paragraphs, so a million-line listing shows in a fraction of the time. `lines` counts the lines
// since the last paragraph break, carried from one piece of a text to the next.
inline constexpr int kLinesPerParagraph = 32;
QString ToQtLineGroups(std::string_view text, int& lines);
// A widget's text for the program; with `crlf`, every "\n" becomes CR LF.
std::string FromQt(const QString& text, bool crlf = false);
// A position in the program's text (a byte offset of its UTF-8) as a position in the widget's text (UTF-16
// code units); with `crlf`, a CR LF pair is one character, as in a multi-line widget.
int ToQtPosition(std::string_view text, std::size_t position, bool crlf = false);

// The character a twirler caption stands for: the characters U+00DC, U+00DD, U+00DF and U+00DE (220, 221,
// 223 and 222) are the lower, left, upper and right half blocks.
QString TwirlerText(const std::string& caption);

// Twips (1/1440 inch) and pixels at the screen's logical dpi.
int TwipsToPixels(int twips);
int PixelsToTwips(int pixels);

}  // namespace vesk::ui
