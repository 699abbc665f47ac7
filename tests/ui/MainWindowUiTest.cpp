#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
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

TEST(MainWindowUi, StartsWithTitleCaptionsAndChoices) {
    ScratchFolder folder;
    UiProgram ui(folder);
    auto& view = ui.views.main;
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(view.windowTitle(), Q("VESK 1.07"));
    EXPECT_EQ(view.cmdListWords->text(), Q("Count word frequencies"));
    EXPECT_EQ(view.cmdFile[0]->text(), Q("Input file"));
    EXPECT_EQ(view.cmdFile[1]->text(), Q("Output file"));
    EXPECT_EQ(view.optInFile->text(), Q("file"));
    EXPECT_TRUE(view.optInFile->isChecked());
    EXPECT_FALSE(view.optInTextBox->isChecked());
    EXPECT_EQ(view.chkDisableOutputToFile->text(), Q("Disable"));
    EXPECT_FALSE(view.chkDisableOutputToFile->isEnabled());
    ASSERT_EQ(view.cboWordOrder->count(), 2);
    EXPECT_EQ(view.cboWordOrder->itemText(1), Q("alphabetical"));
    ASSERT_EQ(view.cboDisplayFormat->count(), 10);
    EXPECT_EQ(view.cboDisplayFormat->currentText(), Q("rank frequency word"));
    EXPECT_EQ(view.cmdCopyOutput->text(), ui::ToQt(ui.program.frmMain.cmdCopyOutput.Caption()));
    EXPECT_FALSE(view.lblNumberOfWords->isVisible());
    // The output and file name boxes use the fixed-pitch font so that columns line up.
    EXPECT_TRUE(QFontInfo(view.txbOutput->font()).fixedPitch());
    EXPECT_TRUE(QFontInfo(view.txbFile[0]->font()).fixedPitch());
}

TEST(MainWindowUi, CountsTypedInputFileAndListsIt) {
    ScratchFolder folder;
    const std::string input = folder.Write("words.txt", "alpha beta beta\r\ngamma gamma gamma\r\n");
    UiProgram ui(folder);
    auto& view = ui.views.main;

    EnterInputFile(view, input);
    EXPECT_EQ(ui.program.frmMain.txbFile[0].Text(), input);
    EXPECT_EQ(view.lblFilesize->text(), Q("Filesize:   36 bytes"));

    QTest::mouseClick(view.cmdListWords, Qt::LeftButton);
    EXPECT_EQ(view.txbOutput->toPlainText(), Q("   Rank    Freq  Word (longest has 5 characters)\n"
                                               "      1       3  gamma\n"
                                               "      2       2  beta\n"
                                               "      3       1  alpha\n"));
    EXPECT_EQ(view.txbOutput->toPlainText(), ui::ToQtLines(ui.program.frmMain.txbOutput.Text()));
    EXPECT_EQ(view.lblNumberOfWords->text(), Q("Number of words in this list: 3"));
    EXPECT_EQ(view.lblNumWordsExcluded->text(), Q("Number of words excluded: 0"));
    EXPECT_EQ(view.lblNumOccurrences->text(), Q("No. of occurrences in file of words in this list: 6"));
    EXPECT_EQ(view.lblTotalNumOccurrences->text(), Q("Total number of words in file: 6"));
    EXPECT_TRUE(view.lblTotalNumOccurrences->alignment() & Qt::AlignRight);
    for (QLabel* label :
         {view.lblNumberOfWords, view.lblNumWordsExcluded, view.lblNumOccurrences, view.lblTotalNumOccurrences})
        EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(view.cmdListWords->text(), Q("Count word frequencies"));
    EXPECT_TRUE(ui.program.frmMain.blnWordsGot);

    // Another display format lists again, without counting.
    view.cboDisplayFormat->setFocus();
    QTest::keyClick(view.cboDisplayFormat, Qt::Key_End);
    EXPECT_EQ(ui.program.frmMain.cboDisplayFormat.ListIndex(), 9);
    EXPECT_EQ(view.txbOutput->toPlainText(), Q("gamma, beta, alpha"));
    QTest::keyClick(view.cboDisplayFormat, Qt::Key_Up);
    EXPECT_EQ(view.txbOutput->toPlainText(), Q("Word (longest has 5 characters)\ngamma\nbeta\nalpha\n"));

    // "Clear textbox" empties the box and hides the statistics.
    QTest::mouseClick(view.cmdClearOutput, Qt::LeftButton);
    EXPECT_EQ(view.txbOutput->toPlainText(), QString());
    EXPECT_FALSE(view.lblNumberOfWords->isVisible());
    EXPECT_FALSE(ui.program.frmMain.blnWordsGot);
}

TEST(MainWindowUi, InputFileChecksReportThroughMessageBoxes) {
    ScratchFolder folder;
    UiProgram ui(folder);
    auto& view = ui.views.main;
    ui.platform.ExpectMessage(MsgAnswer::Ok);
    const std::string missing = (folder.Path() / "missing.txt").string();
    EnterInputFile(view, missing);
    EXPECT_EQ(ui.platform.LastMessage(), (ShownMessage{"Input file does not exist.\r\nInput file: " + missing,
                                                       "File not found", MsgButtons::Ok, MsgIcon::Exclamation}));
    EXPECT_EQ(view.lblFilesize->text(), QString());

    // Spaces only: the box is trimmed and the count refuses to start.
    view.txbFile[0]->clear();
    ui.platform.ExpectMessage(MsgAnswer::Ok);
    EnterInputFile(view, "   ");
    EXPECT_EQ(view.txbFile[0]->text(), QString());
    QTest::mouseClick(view.cmdListWords, Qt::LeftButton);
    EXPECT_EQ(ui.platform.LastMessage(),
              (ShownMessage{"Input file not specified.", "Error", MsgButtons::Ok, MsgIcon::Exclamation}));
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
        if (ui.platform.PumpCount() == 300) {
            barSeen = view.lblTotalNumOccurrences->text();
            counterSeen = view.lblNumberOfWords->isVisible() && !view.lblNumberOfWords->text().isEmpty();
            EXPECT_EQ(view.cmdListWords->text(), Q("Stop"));
            EXPECT_FALSE(view.cmdFile[0]->isEnabled());
            EXPECT_FALSE(view.txbFile[0]->isEnabled());
            EXPECT_TRUE(view.optInTextBox->isEnabled());
            QTest::mouseClick(view.cmdListWords, Qt::LeftButton);
        }
    };
    ui.platform.ExpectMessage(MsgAnswer::No);
    QTest::mouseClick(view.cmdListWords, Qt::LeftButton);

    ASSERT_EQ(ui.platform.Messages().size(), 1u);
    EXPECT_EQ(ui.platform.Messages()[0].title, "Counting interrupted");
    EXPECT_EQ(ui.platform.Messages()[0].text,
              "The operation was stopped before all words were counted.\r\n"
              "Do you wish to list the words which were found?");
    EXPECT_EQ(ui.platform.Messages()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(ui.platform.Messages()[0].icon, MsgIcon::None);
    // The progress bar and the running word count were on screen while counting.
    EXPECT_TRUE(barSeen.startsWith(QLatin1Char('[')) && barSeen.endsWith(QLatin1Char(']'))) << barSeen.toStdString();
    EXPECT_EQ(barSeen.size(), 39);
    EXPECT_TRUE(counterSeen);
    EXPECT_TRUE(view.txbOutput->toPlainText().endsWith(Q(" words found.")))
        << view.txbOutput->toPlainText().right(80).toStdString();
    EXPECT_TRUE(view.txbOutput->toPlainText().contains(Q("Stopped with ")));
    EXPECT_EQ(view.cmdListWords->text(), Q("Count word frequencies"));
    EXPECT_TRUE(view.cmdFile[0]->isEnabled());
    EXPECT_EQ(view.lblTotalNumOccurrences->text(), QString());
    EXPECT_FALSE(ui.program.frmMain.blnWordsGot);
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
    EXPECT_EQ(listing, ui::ToQtLines(ui.program.frmMain.txbOutput.Text()));
    EXPECT_TRUE(view.lblNumberOfWords->isVisible());
    // An interrupted count shows no occurrence totals.
    EXPECT_EQ(view.lblNumOccurrences->text(), QString());
    EXPECT_EQ(view.lblTotalNumOccurrences->text(), QString());
    EXPECT_FALSE(ui.program.frmMain.blnWordsGot);
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
        if (++listingPumps == 50) {
            EXPECT_EQ(view.cmdListWords->text(), Q("Stop"));
            EXPECT_TRUE(view.cmdListWords->isEnabled());
            QTest::mouseClick(view.cmdListWords, Qt::LeftButton);
        }
    };
    QTest::mouseClick(view.cmdListWords, Qt::LeftButton);
    const QString listing = view.txbOutput->toPlainText();
    EXPECT_TRUE(listing.endsWith(Q("\nListing stopped.\n"))) << listing.right(100).toStdString();
    EXPECT_LT(listing.count(QLatin1Char('\n')), 300);
    EXPECT_EQ(listing, ui::ToQtLines(ui.program.frmMain.txbOutput.Text()));
    for (char16_t block : {0x2584, 0x258C, 0x2580, 0x2590}) EXPECT_TRUE(twirls.contains(QString(QChar(block))));
    EXPECT_EQ(view.cmdListWords->text(), Q("Count word frequencies"));

    // A later change of format lists every word again.
    ui.platform.onPump = nullptr;
    view.cboDisplayFormat->setFocus();
    QTest::keyClick(view.cboDisplayFormat, Qt::Key_End);
    EXPECT_EQ(view.txbOutput->toPlainText().count(Q(", ")) + 1,
              static_cast<qsizetype>(ui.program.frmMain.Table.Statistics().ListedWordCount));
}

TEST(MainWindowUi, TypedTextInOutputBoxReachesTheModel) {
    ScratchFolder folder;
    UiProgram ui(folder);
    auto& view = ui.views.main;
    view.txbOutput->setFocus();
    QTest::keyClicks(view.txbOutput, Q("caf"));
    QTest::sendKeyEvent(QTest::Click, view.txbOutput, Qt::Key_unknown, Q("\u00e9"), Qt::NoModifier);
    QTest::keyClicks(view.txbOutput, Q(" one"));
    QTest::keyClick(view.txbOutput, Qt::Key_Return);
    QTest::keyClicks(view.txbOutput, Q("two"));
    EXPECT_EQ(ui.program.frmMain.txbOutput.Text(), "caf\xe9 one\r\ntwo");

    // "Copy to clipboard" takes the model's text and selects the clipboard source.
    QTest::mouseClick(view.cmdCopyOutput, Qt::LeftButton);
    EXPECT_EQ(ui.platform.Clipboard(), "caf\xe9 one\r\ntwo");
    EXPECT_TRUE(view.optInTextBox->isChecked());
    EXPECT_FALSE(view.optInFile->isChecked());
}

TEST(MainWindowUi, QuitSavesTheStateAndEnds) {
    ScratchFolder folder;
    const std::string input = folder.Write("words.txt", "alpha beta\r\n");
    UiProgram ui(folder);
    auto& view = ui.views.main;
    EnterInputFile(view, input);
    QTest::mouseClick(view.cmdQuit, Qt::LeftButton);
    EXPECT_TRUE(ui.platform.Ended());
    const std::string state = ReadBytes(ui.StateFile());
    EXPECT_EQ(state.substr(0, state.find("\r\n")), "\"" + input + "\"");
}

TEST(MainWindowUi, ClosingTheWindowByItsFrameQuits) {
    ScratchFolder folder;
    UiProgram ui(folder);
    ui.views.main.close();
    EXPECT_TRUE(ui.platform.Ended());
    EXPECT_TRUE(std::filesystem::exists(ui.StateFile()));
}

}  // namespace
}  // namespace vesk::test
