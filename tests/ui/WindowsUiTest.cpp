// SPDX-License-Identifier: GPL-3.0-or-later
// Each window with real widgets: what the widgets show and what the model holds stay in step, and every window
// can be worked from the keyboard and by assistive technology.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTest>

#include "UiTestSupport.h"
#include "ui/LongTextView.h"
#include "ui/Mnemonics.h"
#include "ui/QtText.h"

namespace vesk::test {
namespace {

void ActivateWindow(QWidget& window) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

std::vector<QWidget*> FocusChain(QWidget& window) {
    ActivateWindow(window);
    QWidget* first = window.nextInFocusChain();
    while (first != &window &&
           !(first->isVisibleTo(&window) && first->isEnabled() && (first->focusPolicy() & Qt::TabFocus)))
        first = first->nextInFocusChain();
    std::vector<QWidget*> chain;
    first->setFocus(Qt::TabFocusReason);
    for (QWidget* focus = first; first != &window && (chain.empty() || focus != first) && chain.size() < 200;
         focus = QApplication::focusWidget()) {
        chain.push_back(focus);
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    return chain;
}

void ExpectKeyboardReady(QWidget& window) {
    const std::vector<QWidget*> chain = FocusChain(window);
    ASSERT_FALSE(chain.empty());
    for (std::size_t i = 0; i < chain.size(); ++i) {
        const QWidget* control = chain[i];
        EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
        if (i == 0) continue;
        const QRect before(chain[i - 1]->mapTo(&window, QPoint()), chain[i - 1]->size());
        const QRect here(control->mapTo(&window, QPoint()), control->size());
        EXPECT_TRUE(here.top() > before.center().y() || here.left() >= before.right())
            << chain[i - 1]->objectName().toStdString() << " then " << control->objectName().toStdString();
    }

    // One mnemonic in each caption, which is otherwise the one the control is named by.
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        const QString caption = ui::WithoutMnemonic(button->text());
        EXPECT_EQ(caption, button->accessibleName());
        EXPECT_EQ(button->text().count(QLatin1Char('&')) - caption.count(QLatin1Char('&')) * 2, 1)
            << button->text().toStdString();
    }
}

// Types a name into the input box and leaves it for the count button, as a user does.
void EnterInputFile(ui::MainWindowView& view, const std::string& path) {
    view.txbFile[0]->setFocus();
    QTest::keyClicks(view.txbFile[0], QString::fromStdString(path));
    view.cmdListWords->setFocus();
}

QString Shown(const TextBox& box) { return ui::ToQtLines(box.Text()); }

TEST(MainWindowUi, WidgetsAndModelStayInStep) {
    ScratchFolder folder;
    const std::string input = folder.Write("words.txt", "alpha beta beta\r\ngamma gamma gamma\r\n");
    UiProgram ui(folder);
    auto& view = ui.views.main;
    MainWindow& model = ui.program.frmMain;
    ExpectKeyboardReady(view);

    // Leaving the typed box runs its handler, which shows the file's size.
    EnterInputFile(view, input);
    EXPECT_EQ(view.lblFilesize->text(), Q("Filesize:   36 bytes"));
    // The listing appended during the count reaches the box whole; the statistics appear.
    QTest::mouseClick(view.cmdListWords, Qt::LeftButton);
    EXPECT_EQ(view.txbOutput->toPlainText(), Shown(model.txbOutput));
    EXPECT_EQ(view.lblNumberOfWords->text(), Q("Number of words in this list: 3"));
    EXPECT_TRUE(view.lblNumberOfWords->isVisible());
    // A choice made with the keyboard reaches the model, whose new listing replaces the box's text.
    view.cboDisplayFormat->setFocus();
    QTest::keyClick(view.cboDisplayFormat, Qt::Key_End);
    EXPECT_EQ(view.txbOutput->toPlainText(), Q("gamma, beta, alpha"));

    // Text typed into the box reaches the model with the program's characters and line ends.
    QTest::mouseClick(view.cmdClearOutput, Qt::LeftButton);
    EXPECT_FALSE(view.lblNumberOfWords->isVisible());
    view.txbOutput->setFocus();
    QTest::keyClicks(view.txbOutput, Q("caf"));
    QTest::sendKeyEvent(QTest::Click, view.txbOutput, Qt::Key_unknown, Q("\u00e9"), Qt::NoModifier);
    QTest::keyClick(view.txbOutput, Qt::Key_Return);
    QTest::sendKeyEvent(QTest::Click, view.txbOutput, Qt::Key_unknown, Q("\u0436"), Qt::NoModifier);
    QTest::keyClicks(view.txbOutput, Q("two"));
    EXPECT_EQ(model.txbOutput.Text(), "caf\xC3\xA9\r\n\xD0\xB6two");
    // Appended text is shown in pieces as the pump allows; a line end split between two pieces stays one, and
    // a character is never split.
    model.txbOutput.Append("\r\nth😀ee\r\nfour");
    EXPECT_EQ(ui.views.binder.PendingChars(), 16u);
    EXPECT_FALSE(ui.views.binder.FlushSome(2));
    while (!ui.views.binder.FlushSome(3)) {
    }
    EXPECT_EQ(view.txbOutput->toPlainText(), Q("caf\u00e9\n\u0436two\nth\U0001F600ee\nfour"));
    // The model selects the other option button: the widgets follow, one of them unchecked.
    QTest::mouseClick(view.cmdCopyOutput, Qt::LeftButton);
    EXPECT_TRUE(view.optInTextBox->isChecked() && !view.optInFile->isChecked());
    QTest::mouseClick(view.lblOnlineDocumentation, Qt::LeftButton);
    EXPECT_EQ(ui.platform.OpenedUrls().size(), 1u);

    // Values set without a click or a key, as the accessibility interface sets them, reach the model.
    view.optInFile->setChecked(true);
    EXPECT_TRUE(model.optInFile.Value());
    view.cboWordOrder->setCurrentIndex(1);
    EXPECT_EQ(model.cboWordOrder.ListIndex(), 1);
    view.txbFile[1]->setText(Q("out.txt"));
    EXPECT_EQ(model.txbFile[1].Text(), "out.txt");

    // The window opened within the screen, which is smaller than its widgets would like; it can be made
    // smaller still, and scrolls. Its place is remembered apart from the state file, and taken back when it
    // lies on the screen.
    const QRect screen = view.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(view.frameGeometry())) << screen.width() << "x" << screen.height();
    view.resize(640, 480);
    const auto* area = view.findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    EXPECT_TRUE(area->horizontalScrollBar()->isVisible() || area->verticalScrollBar()->isVisible());
    view.move(screen.topLeft() + QPoint(10, 20));
    const QPoint remembered = view.pos();
    ui.views.RememberPlaces();
    view.move(screen.topLeft() + QPoint(30, 40));
    ui.views.AfterStart();
    EXPECT_EQ(view.pos(), remembered);
    EXPECT_EQ(view.size(), QSize(640, 480));
    QSettings(ui.views.PlacesFile(), QSettings::IniFormat).setValue("frmMain/width", screen.width() * 2);
    view.move(screen.topLeft() + QPoint(30, 40));
    ui.views.AfterStart();
    EXPECT_EQ(view.pos(), screen.topLeft() + QPoint(30, 40));

    // Closing the window by its frame quits, as the Quit button does.
    view.close();
    EXPECT_TRUE(ui.platform.Ended());
    EXPECT_TRUE(std::filesystem::exists(ui.StateFile()));
}

// A listing of one line too long for the box to lay out (words joined with commas) shows in the long view in
// the box's place, while the box keeps the same text; a listing of short lines brings the box back.
TEST(MainWindowUi, ALongJoinedListingShowsInTheLongView) {
    ScratchFolder folder;
    std::string text;
    for (int i = 0; i < 1500; ++i) {
        std::string word = "va";
        for (int n = i; n > 0; n /= 26) word.push_back(static_cast<char>('a' + n % 26));
        text += word + (i % 10 == 9 ? "\r\n" : " ");
    }
    UiProgram ui(folder);
    auto& view = ui.views.main;
    const auto* longView = view.findChild<ui::LongTextView*>();
    ASSERT_NE(longView, nullptr);
    view.cboDisplayFormat->setCurrentIndex(9);
    EnterInputFile(view, folder.Write("joined.txt", text));
    QTest::mouseClick(view.cmdListWords, Qt::LeftButton);
    EXPECT_GT(ui.program.frmMain.txbOutput.Text().size(), 8000u);
    EXPECT_EQ(view.txbOutput->toPlainText(), Shown(ui.program.frmMain.txbOutput));
    EXPECT_EQ(longView->PlainText(), view.txbOutput->toPlainText());
    EXPECT_TRUE(longView->isVisibleTo(&view));
    EXPECT_FALSE(view.txbOutput->isVisibleTo(&view));

    view.cboDisplayFormat->setCurrentIndex(0);
    EXPECT_EQ(view.txbOutput->toPlainText(), Shown(ui.program.frmMain.txbOutput));
    EXPECT_TRUE(view.txbOutput->isVisibleTo(&view));
    EXPECT_FALSE(longView->isVisibleTo(&view));
}

// Stop pressed while counting (the partial count dropped) or while listing: the progress bar, the running word
// count and the twirler were on screen on the way, and the box shows what the model holds.
TEST(MainWindowUi, StopWhileCountingOrListing) {
    for (const bool whileListing : {false, true}) {
        SCOPED_TRACE(whileListing);
        ScratchFolder folder;
        std::string text;
        for (int i = 0; i < (whileListing ? 300 : 4000); ++i) {
            std::string word;
            for (int n = i; word.size() < 4 || n > 0; n /= 20) word.push_back(static_cast<char>('a' + n % 20));
            text += word + (i % 10 == 9 ? "\r\n" : " ");
        }
        UiProgram ui(folder);
        auto& view = ui.views.main;
        EnterInputFile(view, folder.Write("many.txt", text));
        QString bar;
        bool counter = false;
        QSet<QString> twirls;
        long listingPumps = 0;
        ui.platform.onPump = [&] {
            if (whileListing && ui.program.frmMain.ResultsShown) {
                twirls.insert(view.lblTwirler->text());
                if (++listingPumps == 50) QTest::mouseClick(view.cmdListWords, Qt::LeftButton);
            } else if (!whileListing && ui.platform.PumpCount() == 300) {
                bar = view.lblTotalNumOccurrences->text();
                counter = view.lblNumberOfWords->isVisible() && !view.lblNumberOfWords->text().isEmpty();
                QTest::mouseClick(view.cmdListWords, Qt::LeftButton);
            }
        };
        if (!whileListing) ui.platform.ExpectMessage(MsgAnswer::No);
        QTest::mouseClick(view.cmdListWords, Qt::LeftButton);

        const QString listing = view.txbOutput->toPlainText();
        EXPECT_EQ(listing, Shown(ui.program.frmMain.txbOutput));
        EXPECT_EQ(view.cmdListWords->accessibleName(), Q("Count word frequencies"));
        EXPECT_TRUE(view.txbFile[0]->isEnabled());
        if (whileListing) {
            EXPECT_TRUE(listing.endsWith(Q("\nListing stopped.\n"))) << listing.right(100).toStdString();
            EXPECT_LT(listing.count(QLatin1Char('\n')), 300);
            for (char16_t block : {0x2584, 0x258C, 0x2580, 0x2590}) EXPECT_TRUE(twirls.contains(QString(QChar(block))));
        } else {
            EXPECT_TRUE(bar.startsWith(QLatin1Char('[')) && bar.endsWith(QLatin1Char(']'))) << bar.toStdString();
            EXPECT_TRUE(counter && !view.lblNumberOfWords->isVisible());
            EXPECT_EQ(view.lblTotalNumOccurrences->text(), QString());
        }
    }
}

TEST(HelpWindowUi, OpensFromAnyControlWithF1ClosesWithEscAndResizes) {
    ScratchFolder folder;
    UiProgram ui(folder);
    auto& help = ui.views.help;
    QTest::mouseClick(ui.views.main.cmdHelp, Qt::LeftButton);
    ASSERT_TRUE(help.isVisible());
    ExpectKeyboardReady(help);
    help.resize(help.width() + 120, help.height() + 80);
    EXPECT_EQ(ui.program.frmHelp.Width(), ui::PixelsToTwips(help.width()));
    QTest::keyClick(help.txbHelpScreen, Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible() || ui.program.frmHelp.Visible());

    // F1 opens it from every control of the other two windows; Esc closes the parameters window, not the main.
    QTest::mouseClick(ui.views.main.cmdSetParameters, Qt::LeftButton);
    for (QWidget* window : {static_cast<QWidget*>(&ui.views.main), static_cast<QWidget*>(&ui.views.params)}) {
        for (QWidget* control : FocusChain(*window)) {
            control->setFocus();
            QTest::keyClick(control, Qt::Key_F1);
            EXPECT_TRUE(help.isVisible()) << control->objectName().toStdString();
            ui.program.frmHelp.cmdClose.Click();
            ActivateWindow(*window);
        }
    }
    QTest::keyClick(ui.views.params.chkDropFinalS, Qt::Key_Escape);
    EXPECT_FALSE(ui.views.params.isVisible() || ui.program.frmParams.Visible());
    ActivateWindow(ui.views.main);
    QTest::keyClick(ui.views.main.cmdHelp, Qt::Key_Escape);
    EXPECT_TRUE(ui.views.main.isVisible());
}

TEST(ParamsWindowUi, WidgetsAndModelStayInStep) {
    ScratchFolder folder;
    UiProgram ui(folder);
    auto& params = ui.views.params;
    ParamsWindow& model = ui.program.frmParams;
    ui.program.frmMain.blnWordsGot = true;  // as after a count
    QTest::mouseClick(ui.views.main.cmdSetParameters, Qt::LeftButton);
    EXPECT_TRUE(params.isVisible() && !params.isModal());
    ActivateWindow(params);
    EXPECT_EQ(QApplication::focusWidget(), params.cmdClose);

    // After a count, a word-forming option asks first; the box shows the refusal, then the change. The click
    // is on the box itself: a wide check box does not react to a click beyond its caption.
    for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
        ui.platform.ExpectMessage(answer);
        QCheckBox* box = params.chkAllowWordsWithPeriods;
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        EXPECT_EQ(box->isChecked(), answer == MsgAnswer::Yes);
        EXPECT_EQ(model.chkAllowWordsWithPeriods.Value(), answer == MsgAnswer::Yes ? 1 : 0);
    }

    // A choice made in the window reaches the model; values the model puts back reach the widgets.
    params.cboLongWordSize->setFocus();
    QTest::keyClick(params.cboLongWordSize, Qt::Key_Home);
    EXPECT_EQ(model.cboLongWordSize.ListIndex(), 0);
    QTest::mouseClick(params.cmdRestoreDefaults, Qt::LeftButton);
    EXPECT_EQ(params.cboLongWordSize->currentText(), Q("50"));
    EXPECT_FALSE(params.chkAllowWordsWithPeriods->isChecked());

    // A value set without a click (as assistive technology sets it) reaches the model, and stays when the
    // frame's close button hides the window.
    params.chkIgnoreShortWords->setChecked(true);
    EXPECT_EQ(model.chkIgnoreShortWords.Value(), 1);
    ExpectKeyboardReady(params);
    params.close();
    EXPECT_FALSE(params.isVisible() || model.Visible());
    QTest::mouseClick(ui.views.main.cmdSetParameters, Qt::LeftButton);
    EXPECT_TRUE(params.chkIgnoreShortWords->isChecked());
}

}  // namespace
}  // namespace vesk::test
