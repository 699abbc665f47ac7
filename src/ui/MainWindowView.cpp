// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainWindowView.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/Binder.h"
#include "ui/FileNames.h"
#include "ui/Mnemonics.h"
#include "ui/QtText.h"
#include "ui/ResultsWindowView.h"
#include "ui/WidgetTable.h"
#include "ui/WindowPlaces.h"

namespace vesk::ui {

MainWindowView::MainWindowView(MainWindow& modelRef, Binder& binder) : QWidget(nullptr), model(modelRef) {
    QWidget& content = ScrolledContent(*this);
    const std::vector<WidgetRow> rows = Rows();
    LayOut(content, rows);
    SizeByFont();
    BindWidgets(binder, rows);
    cmdTableAndChart = AddResultsButton(*this, binder);
    AssignMnemonics(*this);
    resize(WholeSize(content, QSize(900, 640)));
    FitOnScreen(*this);
    Binder::FormHooks hooks;
    hooks.closeRequested = [this] { model.cmdQuit_Click(); };
    binder.BindForm(model, this, std::move(hooks));
    for (QLineEdit* box : txbFile) CompleteFileNames(*box);
    AcceptFileDrops(*this, [this, &binder](const QString& path) {
        binder.Dispatch([this, name = FromQt(path)] { model.FileDropped(name); });
    });
}

std::vector<WidgetRow> MainWindowView::Rows() {
    MainWindow& m = model;
    // The rows read as the window does, indented as the layouts nest.
    // clang-format off
    return {
        // ---- Source, files and the clipboard ----
        Row{},
            Text{"Source:"}, Of(m.optInFile, optInFile), Of(m.optInTextBox, optInTextBox), Space{12},
            {Text{"Specify whether to count the words in the input file or in the clipboard then click on the "
                  "button below."}, Stretch(1), kWrap},
        End{},
        Grid{.stretchColumn = 1},
            {Of(m.cmdFile[0], cmdFile[0]), At(0, 0)}, {Of(m.txbFile[0], txbFile[0]), At(0, 1), kFixedPitch, "Input file name"},
            {Of(m.cmdClearFile[0], cmdClearFile[0]), At(0, 2)}, {Of(m.cmdFolder, cmdFolder), At(0, 3)},
            {Of(m.cmdFile[1], cmdFile[1]), At(1, 0)}, {Of(m.txbFile[1], txbFile[1]), At(1, 1), kFixedPitch, "Output file name"},
            {Of(m.cmdClearFile[1], cmdClearFile[1]), At(1, 2)},
            {Of(m.chkDisableOutputToFile, chkDisableOutputToFile), At(1, 3)},
        End{},
        Row{},
            {Of(m.lblFilesize, lblFilesize), Stretch(1)},
            {Of(m.lblSizeOfClipboardContents, lblSizeOfClipboardContents), Stretch(1)},
            {Text{"Input encoding:"}, {}, kLabelsNext},
            {Of(m.cboInputEncoding, cboInputEncoding), {}, kPlain, "Input encoding"},
        End{},
        Row{}, {Of(m.Label1, Label1), {}, kLink}, Spring{}, Of(m.Label2, Label2), End{},
        // ---- Count, statistics and display choices ----
        Row{},
            {Column{}, Stretch(2)},
                Row{}, {Of(m.cmdListWords, cmdListWords), Stretch(1)}, {Of(m.lblTwirler, lblTwirler), {}, kTwirler},
                End{},
                Of(m.chkSuppressWords, chkSuppressWords), Spring{},
            End{},
            {Of(m.Frame2, Frame2), Stretch(3)},
                {Of(m.lblNumberOfWords, lblNumberOfWords), {}, kKeepRoom},
                {Of(m.lblNumWordsExcluded, lblNumWordsExcluded), {}, kKeepRoom},
                {Of(m.lblNumOccurrences, lblNumOccurrences), {}, kKeepRoom},
                {Of(m.lblTotalNumOccurrences, lblTotalNumOccurrences), {}, kKeepRoom},
                {Of(m.lblOptionsChanged, lblOptionsChanged), {}, kKeepRoom},
            End{},
            {Grid{.stretchRow = 3}, Stretch(2)},
                {Text{"The words can be redisplayed in various ways by selecting these:"}, At(0, 0, 1, 2), kWrap},
                {Text{"Word order:"}, At(1, 0)}, {Of(m.cboWordOrder, cboWordOrder), At(1, 1), kPlain, "Word order"},
                {Text{"Display format:"}, At(2, 0)}, {Of(m.cboDisplayFormat, cboDisplayFormat), At(2, 1), kPlain, "Display format"},
            End{},
        End{},
        // ---- Output, buttons and links ----
        {Of(m.txbOutput, txbOutput), Stretch(1), kFixedPitch, "Output"},
        Row{},
            Of(m.cmdClearOutput, cmdClearOutput), Of(m.cmdCopyOutput, cmdCopyOutput),
            Of(m.cmdSetParameters, cmdSetParameters), Of(m.cmdHelp, cmdHelp), Of(m.cmdSaveState, cmdSaveState),
            Of(m.cmdQuit, cmdQuit), Spring{},
            {Of(m.lblKestrineSystems, lblKestrineSystems), {}, kLink}, Space{12},
            {Of(m.lblOnlineDocumentation, lblOnlineDocumentation), {}, kLink},
        End{},
    };
    // clang-format on
}

void MainWindowView::SizeByFont() {
    cmdListWords->setMinimumHeight(cmdListWords->sizeHint().height() * 3 / 2);
    lblTwirler->setMinimumWidth(lblTwirler->fontMetrics().height() * 2);
    // Wide enough for the longest caption with a large total, and for the progress bar.
    QFont barFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    barFont.setBold(true);
    Frame2->setMinimumWidth(std::max(QFontMetrics(barFont).horizontalAdvance(QString(40, QLatin1Char('-'))),
                                     lblNumOccurrences->fontMetrics().horizontalAdvance(QStringLiteral(
                                         "No. of occurrences in file of words in this list: 99,999,999"))) +
                            24);
    cboDisplayFormat->setMinimumContentsLength(18);
    txbOutput->setMinimumHeight(txbOutput->fontMetrics().height() * 8);
}

}  // namespace vesk::ui
