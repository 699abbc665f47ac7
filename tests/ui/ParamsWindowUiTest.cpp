#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "UiTestSupport.h"

namespace vesk::test {
namespace {

void CountFile(UiProgram& ui, const std::string& path) {
    auto& view = ui.views.main;
    view.txbFile[0]->setFocus();
    QTest::keyClicks(view.txbFile[0], QString::fromStdString(path));
    view.cmdListWords->setFocus();
    QTest::mouseClick(view.cmdListWords, Qt::LeftButton);
    ASSERT_TRUE(ui.program.frmMain.blnWordsGot);
}

// Clicks on the box itself: a wide check box does not react to a click beyond its caption.
void ClickBox(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

TEST(ParamsWindowUi, OpensModelessWithItsCaptionsAndOnlyHides) {
    ScratchFolder folder;
    UiProgram ui(folder);
    auto& params = ui.views.params;
    EXPECT_FALSE(params.isVisible());
    QTest::mouseClick(ui.views.main.cmdSetParameters, Qt::LeftButton);
    EXPECT_TRUE(params.isVisible());
    EXPECT_FALSE(params.isModal());
    EXPECT_EQ(params.windowTitle(), Q("VESK: Set parameters"));
    EXPECT_EQ(params.chkAllowWordsWithPeriods->text(), Q("periods ."));
    EXPECT_EQ(params.chkAllowWordsWithBackslashes->text(), Q("backslashes \\"));
    EXPECT_EQ(params.chkIgnoreInfrequentWords->text(), Q("Ignore words with fewer than"));
    EXPECT_EQ(params.cmdSaveLoadParameters[1]->text(), Q("Load parameters from file"));
    EXPECT_EQ(params.cmdClearCheckboxes[1]->text(), Q("Set checkboxes"));
    EXPECT_TRUE(params.lblOnThisPage->text().startsWith(Q("When text is being scanned")));
    EXPECT_EQ(params.cboLongWordSize->currentText(), Q("50"));
    EXPECT_EQ(params.txbStartComment[0]->text(), Q("/*"));
    EXPECT_TRUE(params.chkDropFinalS->isChecked());
    // The static labels the window is designed with.
    QStringList labels;
    for (const QLabel* label : params.findChildren<QLabel*>()) labels << label->text();
    for (const char* text :
         {"1st pair:", "2nd pair:", "Ignore these words:", "characters", "occurrences", "Ignore words with more than"})
        EXPECT_TRUE(labels.contains(Q(text))) << text;

    // The frame's close button hides the window; the options stay.
    params.chkIgnoreShortWords->click();
    params.close();
    EXPECT_FALSE(params.isVisible());
    EXPECT_FALSE(ui.program.frmParams.Visible());
    EXPECT_EQ(ui.program.frmParams.chkIgnoreShortWords.Value(), 1);
    QTest::mouseClick(ui.views.main.cmdSetParameters, Qt::LeftButton);
    EXPECT_TRUE(params.chkIgnoreShortWords->isChecked());
}

TEST(ParamsWindowUi, WordFormingOptionAfterCountAsksAndRevertsOnNo) {
    ScratchFolder folder;
    const std::string input = folder.Write("words.txt", "alpha beta beta\r\n");
    UiProgram ui(folder);
    CountFile(ui, input);
    auto& params = ui.views.params;
    QTest::mouseClick(ui.views.main.cmdSetParameters, Qt::LeftButton);

    ui.platform.ExpectMessage(MsgAnswer::No);
    ClickBox(params.chkAllowWordsWithPeriods);
    EXPECT_EQ(ui.platform.LastMessage(), (ShownMessage{"Changing this entails reading the file anew.  Is this OK?",
                                                       kDefaultMessageTitle, MsgButtons::YesNo, MsgIcon::None}));
    EXPECT_FALSE(params.chkAllowWordsWithPeriods->isChecked());
    EXPECT_EQ(ui.program.frmParams.chkAllowWordsWithPeriods.Value(), 0);
    EXPECT_TRUE(ui.program.frmMain.blnWordsGot);

    // Unchecking a checked box and answering No leaves it checked.
    ui.platform.ExpectMessage(MsgAnswer::No);
    ClickBox(params.chkAllowWordsWithHyphens);
    EXPECT_TRUE(params.chkAllowWordsWithHyphens->isChecked());
    EXPECT_EQ(ui.program.frmParams.chkAllowWordsWithHyphens.Value(), 1);

    // Yes keeps the change and the next count reads the text again.
    ui.platform.ExpectMessage(MsgAnswer::Yes);
    ClickBox(params.chkAllowWordsWithPeriods);
    EXPECT_TRUE(params.chkAllowWordsWithPeriods->isChecked());
    EXPECT_EQ(ui.program.frmParams.chkAllowWordsWithPeriods.Value(), 1);
    EXPECT_FALSE(ui.program.frmMain.blnWordsGot);
    EXPECT_EQ(ui.platform.Messages().size(), 3u);

    // A filter option asks nothing.
    ClickBox(params.chkIgnoreInfrequentWords);
    EXPECT_EQ(ui.platform.Messages().size(), 3u);
}

TEST(ParamsWindowUi, SavesAndLoadsParameterFilesThroughTheDialogs) {
    ScratchFolder folder;
    UiProgram ui(folder);
    auto& params = ui.views.params;
    QTest::mouseClick(ui.views.main.cmdSetParameters, Qt::LeftButton);
    const std::string file = (folder.Path() / "mine.vesk").string();

    ui.platform.ExpectFileDialog(file);
    QTest::mouseClick(params.cmdSaveLoadParameters[0], Qt::LeftButton);
    ASSERT_EQ(ui.platform.FileDialogs().size(), 1u);
    const FileDialogRequest& save = ui.platform.FileDialogs()[0];
    EXPECT_EQ(save.title, "Specify file to save parameters to");
    EXPECT_TRUE(save.save);
    EXPECT_EQ(ui::ToQtFileFilter(save.filter), Q("Parameter files (*.vesk)"));
    EXPECT_EQ(params.lblParameters->text(), Q("Parameters saved to"));
    EXPECT_EQ(params.txbParametersFile->text(), QString::fromStdString(file));
    ASSERT_TRUE(std::filesystem::exists(file));

    // Change options in the window, then load the file back.
    ClickBox(params.chkDropFinalS);
    params.cboLongWordSize->setFocus();
    QTest::keyClick(params.cboLongWordSize, Qt::Key_Home);
    ASSERT_EQ(ui.program.frmParams.cboLongWordSize.ListIndex(), 0);
    EXPECT_FALSE(params.chkDropFinalS->isChecked());

    ui.platform.ExpectFileDialog(file);
    QTest::mouseClick(params.cmdSaveLoadParameters[1], Qt::LeftButton);
    ASSERT_EQ(ui.platform.FileDialogs().size(), 2u);
    EXPECT_EQ(ui.platform.FileDialogs()[1].title, "Specify file to load parameters from.");
    EXPECT_FALSE(ui.platform.FileDialogs()[1].save);
    EXPECT_TRUE(params.chkDropFinalS->isChecked());
    EXPECT_EQ(params.cboLongWordSize->currentText(), Q("50"));
    EXPECT_EQ(params.lblParameters->text(), Q("Parameters loaded from"));
}

TEST(ParamsWindowUi, CommentMarkerBoxIsTrimmedWhenLeft) {
    ScratchFolder folder;
    UiProgram ui(folder);
    auto& params = ui.views.params;
    QTest::mouseClick(ui.views.main.cmdSetParameters, Qt::LeftButton);
    params.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&params));
    // On activation the focus goes to "Close".
    EXPECT_EQ(QApplication::focusWidget(), params.cmdClose);
    params.txbStartComment[1]->setFocus();
    params.txbStartComment[1]->selectAll();
    QTest::keyClicks(params.txbStartComment[1], Q("  ## "));
    EXPECT_EQ(ui.program.frmParams.txbStartComment[1].Text(), "  ## ");
    params.txbEndComment[1]->setFocus();
    EXPECT_EQ(params.txbStartComment[1]->text(), Q("##"));
    EXPECT_EQ(ui.program.frmParams.txbStartComment[1].Text(), "##");
}

}  // namespace
}  // namespace vesk::test
