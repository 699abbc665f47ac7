#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "UiTestSupport.h"
#include "ui/QtText.h"

namespace vesk::test {
namespace {

TEST(HelpWindowUi, OpensFromButtonOrF1AndCloseHides) {
    ScratchFolder folder;
    UiProgram ui(folder);
    auto& help = ui.views.help;
    EXPECT_FALSE(help.isVisible());
    QTest::mouseClick(ui.views.main.cmdHelp, Qt::LeftButton);
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.windowTitle(), Q("VESK: Help"));
    EXPECT_EQ(help.cmdClose->text(), Q("Close"));
    EXPECT_TRUE(help.txbHelpScreen->toPlainText().startsWith(
        Q("An illustrated verson of this documentation (and a bit more information) can be found at ")));
    EXPECT_TRUE(help.txbHelpScreen->toPlainText().contains(
        Q("\n\nAn output file can be written as comma-delimited so that it can be read by other software.")));

    QTest::mouseClick(help.cmdClose, Qt::LeftButton);
    EXPECT_FALSE(help.isVisible());

    // F1 released on the count button opens it again; on another button it does nothing.
    QTest::keyClick(ui.views.main.cmdQuit, Qt::Key_F1);
    EXPECT_FALSE(help.isVisible());
    QTest::keyClick(ui.views.main.cmdListWords, Qt::Key_F1);
    EXPECT_TRUE(help.isVisible());

    // Closing by the frame hides it too, and the window can be resized.
    help.resize(help.width() + 120, help.height() + 80);
    EXPECT_EQ(ui.program.frmHelp.Width(), ui::PixelsToTwips(help.width()));
    help.close();
    EXPECT_FALSE(help.isVisible());
    EXPECT_FALSE(ui.program.frmHelp.Visible());
}

TEST(HelpWindowUi, LinkLabelsOpenTheirAddressesOrSayWhyNot) {
    ScratchFolder folder;
    UiProgram ui(folder);
    QTest::mouseClick(ui.views.main.lblOnlineDocumentation, Qt::LeftButton);
    ASSERT_EQ(ui.platform.OpenedUrls().size(), 1u);
    EXPECT_EQ(ui.platform.OpenedUrls()[0], "https://vesk.example.org/manual/");
    ui.platform.openUrlResult = false;
    ui.platform.ExpectMessage(MsgAnswer::Ok);
    QTest::mouseClick(ui.views.main.lblKestrineSystems, Qt::LeftButton);
    ASSERT_EQ(ui.platform.Messages().size(), 1u);
    EXPECT_EQ(ui.platform.Messages()[0].title, "Cannot launch web browser");
    EXPECT_EQ(ui.platform.Messages()[0].icon, MsgIcon::Exclamation);
}

}  // namespace
}  // namespace vesk::test
