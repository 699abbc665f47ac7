// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A read-only view of a text with very long lines in a fixed-pitch font, without wrapping. A text document
// lays a line out and shapes it whole whenever it changes or is first painted, which for a line of millions of
// characters takes seconds; this view places each character in its column and draws only the characters in
// sight, so a line of any length shows and grows at once. The user can scroll, move the caret, select with
// the mouse or the keyboard, select all and copy.

#include <QAbstractScrollArea>
#include <QString>
#include <vector>

namespace vesk::ui {

class LongTextView : public QAbstractScrollArea {
    Q_OBJECT

  public:
    explicit LongTextView(QWidget* parent = nullptr);

    // Line breaks are "\n" or the line separator U+2028.
    void SetText(const QString& text);
    void Append(const QString& text);
    const QString& Text() const { return m_text; }
    // The text with every line break as "\n", as a plain text box gives it.
    QString PlainText() const;

    int CaretPosition() const { return m_caret; }
    // Moves the caret (a position in Text()) and scrolls it into sight; with `keepAnchor` the selection
    // reaches from its anchor to the new position.
    void SetCaret(int position, bool keepAnchor = false);
    void SelectAll();
    QString SelectedText() const;
    void Copy() const;

    // The length of the longest line, in characters (UTF-16 code units).
    int LongestLine() const { return m_longest; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    int LineCount() const { return static_cast<int>(m_starts.size()); }
    int LineOf(int position) const;
    int LineStart(int line) const { return m_starts[static_cast<std::size_t>(line)]; }
    int LineEnd(int line) const;  // before its line break
    int PositionAt(const QPoint& point) const;
    int ColumnWidth() const;
    int LineHeight() const;
    void UpdateScrollBars();
    void ScrollToCaret();
    void PaintLine(QPainter& painter, int line, int y) const;
    // Where a movement key takes the caret; -1 for other keys. `ctrl`: to the start or end of the text.
    int Moved(int key, bool ctrl) const;

    QString m_text;
    std::vector<int> m_starts{0};  // where each line begins
    int m_longest = 0;
    int m_caret = 0;
    int m_anchor = 0;
};

}  // namespace vesk::ui
