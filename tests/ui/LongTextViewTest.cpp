// SPDX-License-Identifier: GPL-3.0-or-later
// The long-line view: text given in pieces reads back whole, and the caret, the selection and the copy work
// from the keyboard and the mouse as in a plain text box.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>
#include <random>

#include "ui/LongTextView.h"

namespace vesk::ui {
namespace {

TEST(LongTextView, PiecesReadBackWholeWithTheirLongestLine) {
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        QString text;
        const int lines = 1 + static_cast<int>(random() % 6);
        for (int line = 0; line < lines; ++line) {
            if (line > 0) text += random() % 2 ? QChar(QLatin1Char('\n')) : QChar(QChar::LineSeparator);
            text += QString(static_cast<int>(random() % 3000), QLatin1Char('w'));
        }
        LongTextView view;
        for (qsizetype at = 0; at < text.size();) {
            const qsizetype length = 1 + static_cast<qsizetype>(random() % 700);
            view.Append(text.mid(at, length));
            at += length;
        }
        QString plain = text;
        plain.replace(QChar::LineSeparator, QLatin1Char('\n'));
        ASSERT_EQ(view.PlainText(), plain);
        int longest = 0;
        for (const QString& line : plain.split(QLatin1Char('\n'))) longest = std::max(longest, int(line.size()));
        EXPECT_EQ(view.LongestLine(), longest);
    }
}

TEST(LongTextView, CaretSelectionAndCopyByKeysAndMouse) {
    LongTextView view;
    view.resize(300, 200);
    view.show();
    const QString longLine(100000, QLatin1Char('x'));
    view.SetText(QStringLiteral("first\n") + longLine + QChar(QChar::LineSeparator) + QStringLiteral("third"));

    // End goes to the end of the long line, far to the right: the view scrolls to it.
    QTest::keyClick(&view, Qt::Key_Down);
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_EQ(view.CaretPosition(), 6 + 100000);
    EXPECT_GT(view.horizontalScrollBar()->value(), 0);
    // Shift extends the selection; copying gives it with "\n" line breaks.
    QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(view.SelectedText(), QStringLiteral("\nthird"));
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("\nthird"));
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view.SelectedText(), view.PlainText());

    // A click at the top left of the text puts the caret at its start; a shift-click selects up to the next.
    QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
    const int column = view.fontMetrics().horizontalAdvance(QLatin1Char('0'));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(4 + column * 3, 6));
    EXPECT_EQ(view.CaretPosition(), 3);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(4 + column * 5, 6));
    EXPECT_EQ(view.SelectedText(), QStringLiteral("st"));
}

}  // namespace
}  // namespace vesk::ui
