// SPDX-License-Identifier: GPL-3.0-or-later
// A file dragged from a file manager onto the main window: wherever it lands it becomes the input, and no box
// takes its address as text.

#include <gtest/gtest.h>

#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QUrl>

#include "UiTestSupport.h"

namespace vesk::test {
namespace {

// Drags `mime` over `target` and drops it there; returns whether the drop was taken.
bool DragAndDrop(QWidget* target, const QMimeData& mime) {
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

TEST(MainWindowUi, ADroppedFileBecomesTheInputWhereverItLands) {
    ScratchFolder folder;
    const std::string first = folder.Write("Łódź one.txt", "alpha beta\r\n");
    const std::string second = folder.Write("two.txt", "gamma\r\n");
    UiProgram ui(folder);
    auto& view = ui.views.main;
    view.show();
    view.optInTextBox->click();
    const QString outputBefore = view.txbOutput->toPlainText();

    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(QString::fromStdString(first))});
    ASSERT_TRUE(DragAndDrop(view.txbOutput->viewport(), file));
    EXPECT_EQ(ui.program.frmMain.txbFile[0].Text(), first);
    EXPECT_EQ(view.txbFile[0]->text(), QString::fromStdString(first));
    EXPECT_TRUE(view.optInFile->isChecked());
    EXPECT_EQ(view.lblFilesize->text(), Q("Filesize:   12 bytes"));
    EXPECT_EQ(view.txbOutput->toPlainText(), outputBefore);

    file.setUrls({QUrl::fromLocalFile(QString::fromStdString(second))});
    ASSERT_TRUE(DragAndDrop(view.txbFile[1], file));  // the output box's name stays
    EXPECT_EQ(ui.program.frmMain.txbFile[0].Text(), second);
    EXPECT_EQ(view.txbFile[1]->text(), QString());

    // Plain text and addresses of other machines are not files: the boxes treat them as before.
    QMimeData text;
    text.setText(Q("words"));
    QMimeData remote;
    remote.setUrls({QUrl(Q("https://example.org/a.txt"))});
    EXPECT_FALSE(DragAndDrop(&view, text));
    EXPECT_FALSE(DragAndDrop(&view, remote));
    EXPECT_EQ(ui.program.frmMain.txbFile[0].Text(), second);
}

}  // namespace
}  // namespace vesk::test
