// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "UiTestSupport.h"
#include "ui/QtText.h"

namespace vesk::test {
namespace {

TEST(HelpWindowUi, OpensFromButtonOrF1ResizesAndOnlyHides) {
    ScratchFolder folder;
    UiProgram ui(folder);
    auto& help = ui.views.help;
    EXPECT_FALSE(help.isVisible());
    QTest::mouseClick(ui.views.main.cmdHelp, Qt::LeftButton);
    EXPECT_TRUE(help.isVisible());
    EXPECT_TRUE(help.txbHelpScreen->toPlainText().contains(Q("comma-delimited")));
    EXPECT_EQ(help.txbHelpScreen->toPlainText(), ui::ToQtLines(ui.program.frmHelp.txbHelpScreen.Text()));
    QTest::mouseClick(help.cmdClose, Qt::LeftButton);
    EXPECT_FALSE(help.isVisible());

    // F1 released on the count button opens it again; on another button it does nothing.
    QTest::keyClick(ui.views.main.cmdQuit, Qt::Key_F1);
    EXPECT_FALSE(help.isVisible());
    QTest::keyClick(ui.views.main.cmdListWords, Qt::Key_F1);
    EXPECT_TRUE(help.isVisible());

    help.resize(help.width() + 120, help.height() + 80);
    EXPECT_EQ(ui.program.frmHelp.Width(), ui::PixelsToTwips(help.width()));
    help.close();
    EXPECT_FALSE(help.isVisible());
    EXPECT_FALSE(ui.program.frmHelp.Visible());
}

}  // namespace
}  // namespace vesk::test
