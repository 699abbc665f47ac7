// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "UiTestSupport.h"
#include "ui/QtText.h"

namespace vesk::test {
namespace {

// Clicks on the box itself: a wide check box does not react to a click beyond its caption.
void ClickBox(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

TEST(ParamsWindowUi, WidgetsAndModelStayInStep) {
    ScratchFolder folder;
    const std::string input = folder.Write("words.txt", "alpha beta beta\r\n");
    UiProgram ui(folder);
    auto& main = ui.views.main;
    main.txbFile[0]->setFocus();
    QTest::keyClicks(main.txbFile[0], QString::fromStdString(input));
    QTest::mouseClick(main.cmdListWords, Qt::LeftButton);
    ASSERT_TRUE(ui.program.frmMain.blnWordsGot);

    auto& params = ui.views.params;
    ParamsWindow& model = ui.program.frmParams;
    QTest::mouseClick(main.cmdSetParameters, Qt::LeftButton);
    EXPECT_TRUE(params.isVisible());
    EXPECT_FALSE(params.isModal());
    // On activation the focus goes to "Close".
    params.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&params));
    EXPECT_EQ(QApplication::focusWidget(), params.cmdClose);

    // After a count, a word-forming option asks first; the box shows the refusal, then the change.
    ui.platform.ExpectMessage(MsgAnswer::No);
    ClickBox(params.chkAllowWordsWithPeriods);
    EXPECT_FALSE(params.chkAllowWordsWithPeriods->isChecked());
    EXPECT_EQ(model.chkAllowWordsWithPeriods.Value(), 0);
    ui.platform.ExpectMessage(MsgAnswer::Yes);
    ClickBox(params.chkAllowWordsWithPeriods);
    EXPECT_TRUE(params.chkAllowWordsWithPeriods->isChecked());
    EXPECT_EQ(model.chkAllowWordsWithPeriods.Value(), 1);

    // A comment marker reaches the model as typed, and comes back trimmed when the box is left.
    params.txbStartComment[1]->setFocus();
    params.txbStartComment[1]->selectAll();
    QTest::keyClicks(params.txbStartComment[1], Q("  ## "));
    EXPECT_EQ(model.txbStartComment[1].Text(), "  ## ");
    params.txbEndComment[1]->setFocus();
    EXPECT_EQ(params.txbStartComment[1]->text(), Q("##"));

    // A choice made in the window reaches the model; values the model puts back reach the widgets.
    params.cboLongWordSize->setFocus();
    QTest::keyClick(params.cboLongWordSize, Qt::Key_Home);
    EXPECT_EQ(model.cboLongWordSize.ListIndex(), 0);
    QTest::mouseClick(params.cmdRestoreDefaults, Qt::LeftButton);
    EXPECT_EQ(params.cboLongWordSize->currentText(), Q("50"));
    EXPECT_FALSE(params.chkAllowWordsWithPeriods->isChecked());
    EXPECT_EQ(params.txbStartComment[1]->text(), ui::ToQt(model.txbStartComment[1].Text()));

    // A value set without a click (as assistive technology sets it) reaches the model too.
    params.chkIgnoreShortWords->setChecked(true);
    EXPECT_EQ(model.chkIgnoreShortWords.Value(), 1);

    ExpectKeyboardReady(params);
    // The frame's close button hides the window; the options stay.
    params.close();
    EXPECT_FALSE(params.isVisible());
    EXPECT_FALSE(model.Visible());
    QTest::mouseClick(main.cmdSetParameters, Qt::LeftButton);
    EXPECT_TRUE(params.chkIgnoreShortWords->isChecked());
}

}  // namespace
}  // namespace vesk::test
