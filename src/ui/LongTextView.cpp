// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LongTextView.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <climits>

namespace vesk::ui {

namespace {

constexpr int kMargin = 4;  // pixels between the frame and the text

bool IsBreak(QChar c) { return c == QLatin1Char('\n') || c == QChar::LineSeparator; }

}  // namespace

LongTextView::LongTextView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    horizontalScrollBar()->setSingleStep(8);
}

void LongTextView::SetText(const QString& text) {
    m_text.clear();
    m_starts.assign(1, 0);
    m_longest = 0;
    m_caret = m_anchor = 0;
    Append(text);
}

void LongTextView::Append(const QString& text) {
    const int from = static_cast<int>(m_text.size());
    m_text.append(text);
    const int size = static_cast<int>(m_text.size());
    for (int i = from; i < size; ++i)
        if (IsBreak(m_text[i])) {
            m_longest = std::max(m_longest, i - m_starts.back());
            m_starts.push_back(i + 1);
        }
    m_longest = std::max(m_longest, size - m_starts.back());
    UpdateScrollBars();
    viewport()->update();
}

QString LongTextView::PlainText() const {
    QString text = m_text;
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

int LongTextView::LineOf(int position) const {
    return static_cast<int>(std::upper_bound(m_starts.begin(), m_starts.end(), position) - m_starts.begin()) - 1;
}

int LongTextView::LineEnd(int line) const {
    return line + 1 < LineCount() ? LineStart(line + 1) - 1 : static_cast<int>(m_text.size());
}

int LongTextView::ColumnWidth() const { return std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('0'))); }
int LongTextView::LineHeight() const { return std::max(1, fontMetrics().lineSpacing()); }

void LongTextView::UpdateScrollBars() {
    const QSize room = viewport()->size();
    const int rows = std::max(1, (room.height() - kMargin) / LineHeight());
    verticalScrollBar()->setRange(0, std::max(0, LineCount() - rows));
    verticalScrollBar()->setPageStep(rows);
    const long long width = static_cast<long long>(m_longest + 1) * ColumnWidth() + 2 * kMargin;
    horizontalScrollBar()->setRange(0, static_cast<int>(std::clamp(width - room.width(), 0LL, INT_MAX / 2LL)));
    horizontalScrollBar()->setPageStep(room.width());
}

void LongTextView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void LongTextView::PaintLine(QPainter& painter, int line, int y) const {
    const int column = ColumnWidth();
    const int start = LineStart(line);
    const int length = LineEnd(line) - start;
    // Only the characters in sight, each in its own column.
    const int first = std::min(length, horizontalScrollBar()->value() / column);
    const int count = std::min(length - first, viewport()->width() / column + 2);
    const int x = kMargin + first * column - horizontalScrollBar()->value();
    const int baseline = y + fontMetrics().ascent();
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(x, baseline, m_text.mid(start + first, count));
    const int selFrom = std::max(std::min(m_caret, m_anchor), start + first);
    const int selTo = std::min(std::max(m_caret, m_anchor), start + first + count);
    if (selFrom < selTo) {
        const QRect band(x + (selFrom - start - first) * column, y, (selTo - selFrom) * column, LineHeight());
        painter.fillRect(band, palette().brush(QPalette::Highlight));
        painter.setPen(palette().color(QPalette::HighlightedText));
        painter.drawText(band.left(), baseline, m_text.mid(selFrom, selTo - selFrom));
    }
    if (hasFocus() && LineOf(m_caret) == line) {
        const int caretX = x + (m_caret - start - first) * column;
        painter.fillRect(QRect(caretX, y, 1, LineHeight()), palette().color(QPalette::Text));
    }
}

void LongTextView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setFont(font());
    const int height = LineHeight();
    const int first = verticalScrollBar()->value();
    for (int line = first; line < LineCount(); ++line) {
        const int y = kMargin + (line - first) * height;
        if (y > viewport()->height()) break;
        PaintLine(painter, line, y);
    }
}

int LongTextView::PositionAt(const QPoint& point) const {
    const int line =
        std::clamp(verticalScrollBar()->value() + (point.y() - kMargin) / LineHeight(), 0, LineCount() - 1);
    const int column = ColumnWidth();
    const int col = std::max(0, (point.x() - kMargin + horizontalScrollBar()->value() + column / 2) / column);
    return std::min(LineStart(line) + col, LineEnd(line));
}

void LongTextView::ScrollToCaret() {
    const int line = LineOf(m_caret);
    QScrollBar* v = verticalScrollBar();
    if (line < v->value()) v->setValue(line);
    if (line >= v->value() + v->pageStep()) v->setValue(line - v->pageStep() + 1);
    const long long x = static_cast<long long>(m_caret - LineStart(line)) * ColumnWidth();
    QScrollBar* h = horizontalScrollBar();
    const int room = std::max(1, viewport()->width() - 2 * kMargin);
    if (x < h->value()) h->setValue(static_cast<int>(std::max(0LL, x - room / 2)));
    if (x >= h->value() + room) h->setValue(static_cast<int>(std::min<long long>(x - room / 2, INT_MAX / 2)));
}

void LongTextView::SetCaret(int position, bool keepAnchor) {
    m_caret = std::clamp(position, 0, static_cast<int>(m_text.size()));
    if (!keepAnchor) m_anchor = m_caret;
    ScrollToCaret();
    viewport()->update();
}

void LongTextView::SelectAll() {
    m_anchor = 0;
    m_caret = static_cast<int>(m_text.size());
    viewport()->update();
}

QString LongTextView::SelectedText() const {
    QString text = m_text.mid(std::min(m_caret, m_anchor), std::abs(m_caret - m_anchor));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

void LongTextView::Copy() const {
    if (m_caret != m_anchor) QGuiApplication::clipboard()->setText(SelectedText());
}

int LongTextView::Moved(int key, bool ctrl) const {
    const int line = LineOf(m_caret);
    const int column = m_caret - LineStart(line);
    const auto onLine = [&](int to) {
        to = std::clamp(to, 0, LineCount() - 1);
        return std::min(LineStart(to) + column, LineEnd(to));
    };
    switch (key) {
        case Qt::Key_Left:
            return std::max(0, m_caret - 1);
        case Qt::Key_Right:
            return std::min(static_cast<int>(m_text.size()), m_caret + 1);
        case Qt::Key_Up:
            return onLine(line - 1);
        case Qt::Key_Down:
            return onLine(line + 1);
        case Qt::Key_PageUp:
            return onLine(line - verticalScrollBar()->pageStep());
        case Qt::Key_PageDown:
            return onLine(line + verticalScrollBar()->pageStep());
        case Qt::Key_Home:
            return ctrl ? 0 : LineStart(line);
        case Qt::Key_End:
            return ctrl ? static_cast<int>(m_text.size()) : LineEnd(line);
        default:
            return -1;
    }
}

void LongTextView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        Copy();
    } else if (event->matches(QKeySequence::SelectAll)) {
        SelectAll();
    } else if (const int to = Moved(event->key(), (event->modifiers() & Qt::ControlModifier) != 0); to >= 0) {
        SetCaret(to, (event->modifiers() & Qt::ShiftModifier) != 0);
    } else {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void LongTextView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    SetCaret(PositionAt(event->position().toPoint()), (event->modifiers() & Qt::ShiftModifier) != 0);
}

void LongTextView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) SetCaret(PositionAt(event->position().toPoint()), true);
}

void LongTextView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(tr("&Copy"), QKeySequence::Copy, this, [this] { Copy(); })->setEnabled(m_caret != m_anchor);
    menu.addAction(tr("Select All"), QKeySequence::SelectAll, this, [this] { SelectAll(); });
    menu.exec(event->globalPos());
}

void LongTextView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void LongTextView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

}  // namespace vesk::ui
