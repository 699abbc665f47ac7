// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "UiTestSupport.h"
#include "ui/QtText.h"

namespace vesk::test {
namespace {

TEST(HelpWindowUi, OpensFromAnyControlWithF1ClosesWithEscAndResizes) {
    ScratchFolder folder;
    UiProgram ui(folder);
    auto& help = ui.views.help;
    EXPECT_FALSE(help.isVisible());
    QTest::mouseClick(ui.views.main.cmdHelp, Qt::LeftButton);
    ASSERT_TRUE(help.isVisible());
    EXPECT_EQ(help.txbHelpScreen->toPlainText(), ui::ToQtLines(ui.program.frmHelp.txbHelpScreen.Text()));
    ExpectKeyboardReady(help);
    QTest::keyClick(help.txbHelpScreen, Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());

    // F1 opens it from every control of the other two windows; Esc closes the parameters window too.
    QTest::mouseClick(ui.views.main.cmdSetParameters, Qt::LeftButton);
    for (QWidget* window : {static_cast<QWidget*>(&ui.views.main), static_cast<QWidget*>(&ui.views.params)}) {
        ActivateWindow(*window);
        for (QWidget* control : FocusChain(*window)) {
            control->setFocus();
            QTest::keyClick(control, Qt::Key_F1);
            EXPECT_TRUE(help.isVisible()) << control->objectName().toStdString();
            ui.program.frmHelp.cmdClose.Click();
            ActivateWindow(*window);
        }
    }
    QTest::keyClick(ui.views.params.chkDropFinalS, Qt::Key_Escape);
    EXPECT_FALSE(ui.views.params.isVisible());
    EXPECT_FALSE(ui.program.frmParams.Visible());
    ActivateWindow(ui.views.main);
    QTest::keyClick(ui.views.main.cmdHelp, Qt::Key_Escape);
    EXPECT_TRUE(ui.views.main.isVisible());

    QTest::keyClick(ui.views.main.cmdQuit, Qt::Key_F1);
    ASSERT_TRUE(help.isVisible());
    help.resize(help.width() + 120, help.height() + 80);
    EXPECT_EQ(ui.program.frmHelp.Width(), ui::PixelsToTwips(help.width()));
    help.close();
    EXPECT_FALSE(help.isVisible());
    EXPECT_FALSE(ui.program.frmHelp.Visible());
}

}  // namespace
}  // namespace vesk::test
