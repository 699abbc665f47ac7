// SPDX-License-Identifier: GPL-3.0-or-later
// A folder as the input through the widgets: the "Folder" button beside the input file's (with a key of its
// own) opens the folder dialog, and a folder dropped on the window becomes the input as a file does.

#include <gtest/gtest.h>

#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <filesystem>

#include "UiTestSupport.h"
#include "listing/NumberFormat.h"

namespace vesk::test {
namespace {

TEST(MainWindowUi, AFolderIsChosenWithItsButtonOrDropped) {
    SetNumberSeparatorsForTesting(",", ".");
    ScratchFolder scratch;
    std::filesystem::create_directories(scratch.Path() / "texts");
    scratch.Write("texts/one.txt", "alpha beta\r\n");
    const std::string texts = scratch.PathOf("texts");
    UiProgram ui(scratch);
    auto& view = ui.views.main;
    view.show();
    EXPECT_TRUE(view.cmdFolder->text().contains(QLatin1Char('&')));
    EXPECT_NE(view.cmdFolder->shortcut(), view.cmdFile[0]->shortcut());

    ui.platform.ExpectFileDialog(texts);
    view.cmdFolder->click();
    QApplication::processEvents();
    EXPECT_EQ(ui.platform.FileDialogs().back().flags, FileDialogFlags::kPickFolder);
    EXPECT_EQ(view.lblFilesize->text(), Q("Folder: 1 file, 12 bytes"));

    view.txbFile[0]->clear();
    QMimeData folder;
    folder.setUrls({QUrl::fromLocalFile(QString::fromStdString(texts))});
    const QPointF at(view.width() / 2.0, view.height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &folder, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &enter);
    QDropEvent drop(at, Qt::CopyAction, &folder, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &drop);
    QApplication::processEvents();
    EXPECT_EQ(view.txbFile[0]->text(), QString::fromStdString(texts));
    EXPECT_EQ(view.lblFilesize->text(), Q("Folder: 1 file, 12 bytes"));
    SetNumberSeparatorsForTesting("", "");
}

}  // namespace
}  // namespace vesk::test
