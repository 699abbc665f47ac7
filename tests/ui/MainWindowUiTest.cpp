// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

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
#include "ui/QtText.h"

namespace vesk::test {
namespace {

// Types a name into the input box and leaves it for the count button, as a user does.
void EnterInputFile(ui::MainWindowView& view, const std::string& path) {
    view.txbFile[0]->setFocus();
    QTest::keyClicks(view.txbFile[0], QString::fromStdString(path));
    view.cmdListWords->setFocus();
}

std::string ManyWords(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        std::string word;
        for (int n = i; word.size() < 4 || n > 0; n /= 20) word.push_back(static_cast<char>('a' + n % 20));
        text += word + (i % 10 == 9 ? "\r\n" : " ");
    }
    return text;
}

QString Shown(const TextBox& box) { return ui::ToQtLines(box.Text()); }

TEST(MainWindowUi, WidgetsAndModelStayInStep) {
    ScratchFolder folder;
    const std::string input = folder.Write("words.txt", "alpha beta beta\r\ngamma gamma gamma\r\n");
    UiProgram ui(folder);
    auto& view = ui.views.main;
    MainWindow& model = ui.program.frmMain;

    // Leaving the typed box runs its handler, which shows the file's size.
    EnterInputFile(view, input);
    EXPECT_EQ(model.txbFile[0].Text(), input);
    EXPECT_EQ(view.lblFilesize->text(), Q("Filesize:   36 bytes"));

    // The listing appended during the count reaches the box whole; the statistics appear.
    QTest::mouseClick(view.cmdListWords, Qt::LeftButton);
    EXPECT_TRUE(view.txbOutput->toPlainText().startsWith(Q("   Rank    Freq  Word")));
    EXPECT_EQ(view.txbOutput->toPlainText(), Shown(model.txbOutput));
    EXPECT_TRUE(view.lblNumberOfWords->isVisible());
    EXPECT_EQ(view.lblNumberOfWords->text(), Q("Number of words in this list: 3"));

    // A choice made with the keyboard reaches the model, whose new listing replaces the box's text.
    view.cboDisplayFormat->setFocus();
    QTest::keyClick(view.cboDisplayFormat, Qt::Key_End);
    EXPECT_EQ(model.cboDisplayFormat.ListIndex(), 9);
    EXPECT_EQ(view.txbOutput->toPlainText(), Q("gamma, beta, alpha"));

    // Text typed into the box reaches the model with the program's characters and line ends.
    QTest::mouseClick(view.cmdClearOutput, Qt::LeftButton);
    EXPECT_FALSE(view.lblNumberOfWords->isVisible());
    view.txbOutput->setFocus();
    QTest::keyClicks(view.txbOutput, Q("caf"));
    QTest::sendKeyEvent(QTest::Click, view.txbOutput, Qt::Key_unknown, Q("\u00e9"), Qt::NoModifier);
    QTest::keyClick(view.txbOutput, Qt::Key_Return);
    QTest::keyClicks(view.txbOutput, Q("two"));
    EXPECT_EQ(model.txbOutput.Text(), "caf\xe9\r\ntwo");

    // Appended text is shown in pieces as the pump allows; a line end split between two pieces stays one.
    model.txbOutput.Append("\r\nthree\r\nfour");
    EXPECT_EQ(ui.views.binder.PendingChars(), 13u);
    EXPECT_FALSE(ui.views.binder.FlushSome(2));
    while (!ui.views.binder.FlushSome(3)) {
    }
    EXPECT_EQ(view.txbOutput->toPlainText(), Q("caf\u00e9\ntwo\nthree\nfour"));

    // The model selects the other option button: the widgets follow, one of them unchecked.
    QTest::mouseClick(view.cmdCopyOutput, Qt::LeftButton);
    EXPECT_EQ(ui.platform.Clipboard(), "caf\xe9\r\ntwo\r\nthree\r\nfour");
    EXPECT_TRUE(view.optInTextBox->isChecked());
    EXPECT_FALSE(view.optInFile->isChecked());

    // A link label is clickable.
    QTest::mouseClick(view.lblOnlineDocumentation, Qt::LeftButton);
    EXPECT_EQ(ui.platform.OpenedUrls().size(), 1u);

    // Closing the window by its frame quits, as the Quit button does.
    view.close();
    EXPECT_TRUE(ui.platform.Ended());
    EXPECT_TRUE(std::filesystem::exists(ui.StateFile()));
}

TEST(MainWindowUi, KeyboardAssistiveTechnologyAndSmallScreens) {
    ScratchFolder folder;
    UiProgram ui(folder);
    auto& view = ui.views.main;
    MainWindow& model = ui.program.frmMain;
    ExpectKeyboardReady(view);

    // Values set without a click or a key, as the accessibility interface sets them, reach the model.
    view.optInTextBox->setChecked(true);
    EXPECT_TRUE(model.optInTextBox.Value());
    EXPECT_FALSE(view.optInFile->isChecked());
    view.chkSuppressWords->setChecked(true);
    EXPECT_EQ(model.chkSuppressWords.Value(), 1);
    view.cboWordOrder->setCurrentIndex(1);
    EXPECT_EQ(model.cboWordOrder.ListIndex(), 1);
    view.txbFile[1]->setText(Q("out.txt"));
    EXPECT_EQ(model.txbFile[1].Text(), "out.txt");

    // The window opened within the screen, which is smaller than the window's widgets would like; it can be
    // made smaller still, and scrolls.
    const QRect screen = view.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(view.frameGeometry())) << screen.width() << "x" << screen.height();
    view.resize(640, 480);
    EXPECT_EQ(view.size(), QSize(640, 480));
    const auto* area = view.findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    EXPECT_TRUE(area->horizontalScrollBar()->isVisible() || area->verticalScrollBar()->isVisible());

    // Its place is remembered apart from the state file, and taken back when it lies on the screen.
    view.move(screen.topLeft() + QPoint(10, 20));
    const QPoint remembered = view.pos();
    ui.views.RememberPlaces();
    view.move(screen.topLeft() + QPoint(30, 40));
    ui.views.AfterStart();
    EXPECT_EQ(view.pos(), remembered);
    EXPECT_EQ(view.size(), QSize(640, 480));
    {
        QSettings places(ui.views.PlacesFile(), QSettings::IniFormat);
        places.setValue("frmMain/width", screen.width() * 2);
    }
    view.move(screen.topLeft() + QPoint(30, 40));
    ui.views.AfterStart();
    EXPECT_EQ(view.pos(), screen.topLeft() + QPoint(30, 40));
}

TEST(MainWindowUi, StopDuringCountAndKeepNothing) {
    ScratchFolder folder;
    const std::string input = folder.Write("many.txt", ManyWords(4000));
    UiProgram ui(folder);
    auto& view = ui.views.main;
    EnterInputFile(view, input);

    QString barSeen;
    bool counterSeen = false;
    ui.platform.onPump = [&] {
        if (ui.platform.PumpCount() != 300) return;
        barSeen = view.lblTotalNumOccurrences->text();
        counterSeen = view.lblNumberOfWords->isVisible() && !view.lblNumberOfWords->text().isEmpty();
        EXPECT_EQ(view.cmdListWords->accessibleName(), Q("Stop"));
        EXPECT_FALSE(view.txbFile[0]->isEnabled());
        QTest::mouseClick(view.cmdListWords, Qt::LeftButton);
    };
    ui.platform.ExpectMessage(MsgAnswer::No);
    QTest::mouseClick(view.cmdListWords, Qt::LeftButton);

    ASSERT_EQ(ui.platform.Messages().size(), 1u);
    EXPECT_EQ(ui.platform.Messages()[0].title, "Counting interrupted");
    // The progress bar and the running word count were on screen while counting.
    EXPECT_TRUE(barSeen.startsWith(QLatin1Char('[')) && barSeen.endsWith(QLatin1Char(']'))) << barSeen.toStdString();
    EXPECT_TRUE(counterSeen);
    EXPECT_TRUE(view.txbOutput->toPlainText().endsWith(Q(" words found.")));
    EXPECT_EQ(view.txbOutput->toPlainText(), Shown(ui.program.frmMain.txbOutput));
    EXPECT_EQ(view.cmdListWords->accessibleName(), Q("Count word frequencies"));
    EXPECT_TRUE(view.txbFile[0]->isEnabled());
    EXPECT_EQ(view.lblTotalNumOccurrences->text(), QString());
}

TEST(MainWindowUi, StopDuringCountAndListWhatWasFound) {
    ScratchFolder folder;
    const std::string input = folder.Write("many.txt", ManyWords(4000));
    UiProgram ui(folder);
    auto& view = ui.views.main;
    EnterInputFile(view, input);
    ui.platform.onPump = [&] {
        if (ui.platform.PumpCount() == 200) QTest::mouseClick(view.cmdListWords, Qt::LeftButton);
    };
    ui.platform.ExpectMessage(MsgAnswer::Yes);
    QTest::mouseClick(view.cmdListWords, Qt::LeftButton);

    ASSERT_EQ(ui.platform.Messages().size(), 1u);
    const QString listing = view.txbOutput->toPlainText();
    EXPECT_TRUE(listing.startsWith(Q("   Rank    Freq  Word (longest has"))) << listing.left(200).toStdString();
    EXPECT_EQ(listing, Shown(ui.program.frmMain.txbOutput));
    EXPECT_TRUE(view.lblNumberOfWords->isVisible());
    EXPECT_EQ(view.lblTwirler->text(), Q(" "));
}

TEST(MainWindowUi, StopDuringListingLeavesTheLinesListed) {
    ScratchFolder folder;
    const std::string input = folder.Write("many.txt", ManyWords(300));
    UiProgram ui(folder);
    auto& view = ui.views.main;
    EnterInputFile(view, input);

    // The listing runs once the statistics are shown; stop it after some records, watching the twirler spin.
    QSet<QString> twirls;
    long listingPumps = 0;
    ui.platform.onPump = [&] {
        if (!ui.program.frmMain.ResultsShown) return;
        twirls.insert(view.lblTwirler->text());
        if (++listingPumps == 50) QTest::mouseClick(view.cmdListWords, Qt::LeftButton);
    };
    QTest::mouseClick(view.cmdListWords, Qt::LeftButton);
    const QString listing = view.txbOutput->toPlainText();
    EXPECT_TRUE(listing.endsWith(Q("\nListing stopped.\n"))) << listing.right(100).toStdString();
    EXPECT_LT(listing.count(QLatin1Char('\n')), 300);
    EXPECT_EQ(listing, Shown(ui.program.frmMain.txbOutput));
    for (char16_t block : {0x2584, 0x258C, 0x2580, 0x2590}) EXPECT_TRUE(twirls.contains(QString(QChar(block))));
    EXPECT_EQ(view.cmdListWords->accessibleName(), Q("Count word frequencies"));
}

}  // namespace
}  // namespace vesk::test
