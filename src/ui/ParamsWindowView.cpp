// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ParamsWindowView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/Binder.h"
#include "ui/FileNames.h"
#include "ui/Mnemonics.h"
#include "ui/QtText.h"
#include "ui/WidgetTable.h"
#include "ui/WindowPlaces.h"

namespace vesk::ui {

namespace {
constexpr unsigned kMarker = kFixedPitch | kDozenWide;  // a comment marker box
}  // namespace

ParamsWindowView::ParamsWindowView(ParamsWindow& modelRef, Binder& binder) : QWidget(nullptr), model(modelRef) {
    QWidget& content = ScrolledContent(*this);
    m_content = &content;
    const std::vector<WidgetRow> rows = Rows();
    LayOut(content, rows);
    BindWidgets(binder, rows);
    AssignMnemonics(*this);
    resize(WholeSize(content, QSize(760, 480)));
    FitOnScreen(*this);
    Binder::FormHooks hooks;
    hooks.closeRequested = [this] { model.cmdClose_Click(); };
    hooks.activated = [this] { model.Form_Activate(); };
    binder.BindForm(model, this, std::move(hooks));
    CompleteFileNames(*txbCommonWordsFile);
    CompleteFileNames(*txbParametersFile);
}

void ParamsWindowView::FitToContent() {
    const QSize whole = WholeSize(*m_content, size());
    if (whole != size()) model.Resize(PixelsToTwips(whole.width()), PixelsToTwips(whole.height()));
}

std::vector<WidgetRow> ParamsWindowView::Rows() {
    ParamsWindow& m = model;
    // The rows read as the window does, indented as the layouts nest.
    // clang-format off
    return Joined({
        {{Of(m.lblOnThisPage, lblOnThisPage), {}, kWrap}, {Row{}, Stretch(1)}},
            FormingColumn(),
            FilterColumn(),
        {End{},
        Row{},
            Of(m.cmdRestoreDefaults, cmdRestoreDefaults), Of(m.cmdInitialize, cmdInitialize),
            Of(m.cmdClearCheckboxes[0], cmdClearCheckboxes[0]), Of(m.cmdClearCheckboxes[1], cmdClearCheckboxes[1]),
            Spring{},
        End{},
        Row{},
            Of(m.cmdSaveLoadParameters[0], cmdSaveLoadParameters[0]),
            Of(m.cmdSaveLoadParameters[1], cmdSaveLoadParameters[1]), Of(m.lblParameters, lblParameters),
            {Of(m.txbParametersFile, txbParametersFile), Stretch(1), kFixedPitch | kReadOnly, "Parameters file"},
        End{},
        Row{}, Spring{}, Of(m.cmdClose, cmdClose), Spring{}, End{}},
    });
    // clang-format on
}

std::vector<WidgetRow> ParamsWindowView::FormingColumn() {
    ParamsWindow& m = model;
    // clang-format off
    return {
        {Column{}, Stretch(1)},
            Group{.title = "Allow 'words' with:", .grid = true},
                {Of(m.chkAllowWordsWithHyphens, chkAllowWordsWithHyphens), At(0, 0)},
                {Of(m.chkAllowWordsWithApostrophes, chkAllowWordsWithApostrophes), At(1, 0)},
                {Of(m.chkAllowWordsWithUnderscores, chkAllowWordsWithUnderscores), At(2, 0)},
                {Of(m.chkAllowWordsWithColons, chkAllowWordsWithColons), At(3, 0)},
                {Of(m.chkAllowWordsWithBackslashes, chkAllowWordsWithBackslashes), At(4, 0)},
                {Of(m.chkAllowWordsWithForwardslashes, chkAllowWordsWithForwardslashes), At(0, 1)},
                {Of(m.chkAllowWordsWithPeriods, chkAllowWordsWithPeriods), At(1, 1)},
                {Of(m.chkAllowWordsWithAtSigns, chkAllowWordsWithAtSigns), At(2, 1)},
                {Of(m.chkAllowWordsWithNumerals, chkAllowWordsWithNumerals), At(3, 1)},
            End{},
            Of(m.chkCaseSignificant, chkCaseSignificant), Of(m.chkDropFinalS, chkDropFinalS),
            Of(m.chkAllowCommentMarkers, chkAllowCommentMarkers),
            Grid{.stretchColumn = 3},
                {Text{"1st pair:"}, At(0, 0)}, {Of(m.txbStartComment[0], txbStartComment[0]), At(0, 1), kMarker, "1st pair: start-comment marker"},
                {Of(m.txbEndComment[0], txbEndComment[0]), At(0, 2), kMarker, "1st pair: end-comment marker"},
                {Text{"2nd pair:"}, At(1, 0)}, {Of(m.txbStartComment[1], txbStartComment[1]), At(1, 1), kMarker, "2nd pair: start-comment marker"},
                {Of(m.txbEndComment[1], txbEndComment[1]), At(1, 2), kMarker, "2nd pair: end-comment marker"},
            End{},
            Spring{},
        End{},
    };
    // clang-format on
}

std::vector<WidgetRow> ParamsWindowView::FilterColumn() {
    ParamsWindow& m = model;
    // clang-format off
    return {
        {Column{}, Stretch(1)},
            Of(m.chkIgnoreRepetitions, chkIgnoreRepetitions), Of(m.chkIgnoreRomNum40, chkIgnoreRomNum40),
            Of(m.chkIgnoreNoVowelOrY, chkIgnoreNoVowelOrY),
            Grid{.stretchColumn = 3},
                {Of(m.chkIgnoreShortWords, chkIgnoreShortWords), At(0, 0)},
                {Of(m.cboShortWordSize, cboShortWordSize), At(0, 1), kPlain, "Ignore words with fewer characters than"}, {Text{"characters"}, At(0, 2)},
                {Of(m.chkIgnoreInfrequentWords, chkIgnoreInfrequentWords), At(1, 0)},
                {Of(m.cboThresholdFrequency, cboThresholdFrequency), At(1, 1), kPlain, "Ignore words with fewer occurrences than"}, {Text{"occurrences"}, At(1, 2)},
                {Text{"Ignore words with more than"}, At(2, 0)},
                {Of(m.cboLongWordSize, cboLongWordSize), At(2, 1), kPlain, "Ignore words with more characters than"}, {Text{"characters"}, At(2, 2)},
            End{},
            Text{"Ignore these words:"},
            Row{},
                {Of(m.txbWordsToIgnore, txbWordsToIgnore), Stretch(1), kPlain, "Ignore these words"},
                Of(m.cmdClearWordsToIgnore, cmdClearWordsToIgnore),
            End{},
            Of(m.chkIgnoreCommonWords, chkIgnoreCommonWords),
            {Of(m.txbCommonWordsFile, txbCommonWordsFile), {}, kFixedPitch, "Common words file"},
            Row{},
                Of(m.cmdSelectCommonWordsFile, cmdSelectCommonWordsFile),
                Of(m.cmdClearCommonWordsFile, cmdClearCommonWordsFile), Spring{},
            End{},
            Space{6},
            Of(m.chkOutputWithCommas, chkOutputWithCommas), Of(m.chkWarnOnOverwrite, chkWarnOnOverwrite),
            Of(m.chkSaveStateOnQuit, chkSaveStateOnQuit),
            Spring{},
        End{},
    };
    // clang-format on
}

}  // namespace vesk::ui
