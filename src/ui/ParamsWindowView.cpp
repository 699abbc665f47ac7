#include "ui/ParamsWindowView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/Binder.h"
#include "ui/Layouts.h"

namespace vesk::ui {

namespace {

QLabel* StaticLabel(const char* text, QWidget* parent) { return new QLabel(QString::fromUtf8(text), parent); }

}  // namespace

ParamsWindowView::ParamsWindowView(ParamsWindow& modelRef, Binder& binder) : QWidget(nullptr), model(modelRef) {
    const QFont fixedFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto* outer = new QVBoxLayout(this);

    lblOnThisPage = new QLabel(this);
    lblOnThisPage->setWordWrap(true);
    outer->addWidget(lblOnThisPage);

    auto* columns = new QHBoxLayout;

    // ---- Left: how words are formed ----
    auto* left = new QVBoxLayout;
    auto* allow = new QGroupBox(QStringLiteral("Allow 'words' with:"), this);
    auto* allowGrid = new QGridLayout(allow);
    chkAllowWordsWithHyphens = new QCheckBox(allow);
    chkAllowWordsWithApostrophes = new QCheckBox(allow);
    chkAllowWordsWithUnderscores = new QCheckBox(allow);
    chkAllowWordsWithColons = new QCheckBox(allow);
    chkAllowWordsWithBackslashes = new QCheckBox(allow);
    chkAllowWordsWithForwardslashes = new QCheckBox(allow);
    chkAllowWordsWithPeriods = new QCheckBox(allow);
    chkAllowWordsWithAtSigns = new QCheckBox(allow);
    chkAllowWordsWithNumerals = new QCheckBox(allow);
    QCheckBox* const allowBoxes[] = {
        chkAllowWordsWithHyphens, chkAllowWordsWithApostrophes, chkAllowWordsWithUnderscores,
        chkAllowWordsWithColons,  chkAllowWordsWithBackslashes, chkAllowWordsWithForwardslashes,
        chkAllowWordsWithPeriods, chkAllowWordsWithAtSigns,     chkAllowWordsWithNumerals};
    for (int i = 0; i < 9; ++i) allowGrid->addWidget(allowBoxes[i], i % 5, i / 5);
    left->addWidget(allow);

    chkCaseSignificant = new QCheckBox(this);
    chkDropFinalS = new QCheckBox(this);
    left->addWidget(chkCaseSignificant);
    left->addWidget(chkDropFinalS);

    chkAllowCommentMarkers = new QCheckBox(this);
    left->addWidget(chkAllowCommentMarkers);
    auto* markers = new QGridLayout;
    const char* pairLabels[] = {"1st pair:", "2nd pair:"};
    for (int i = 0; i < 2; ++i) {
        markers->addWidget(StaticLabel(pairLabels[i], this), i, 0);
        txbStartComment[i] = new QLineEdit(this);
        txbEndComment[i] = new QLineEdit(this);
        for (QLineEdit* box : {txbStartComment[i], txbEndComment[i]}) {
            box->setFont(fixedFont);
            box->setMaximumWidth(QFontMetrics(fixedFont).horizontalAdvance(QString(12, QLatin1Char('M'))));
        }
        markers->addWidget(txbStartComment[i], i, 1);
        markers->addWidget(txbEndComment[i], i, 2);
    }
    markers->setColumnStretch(3, 1);
    left->addLayout(markers);
    left->addStretch(1);
    columns->addLayout(left, 1);

    // ---- Right: which words are left out ----
    auto* right = new QVBoxLayout;
    chkIgnoreRepetitions = new QCheckBox(this);
    chkIgnoreRomNum40 = new QCheckBox(this);
    chkIgnoreNoVowelOrY = new QCheckBox(this);
    right->addWidget(chkIgnoreRepetitions);
    right->addWidget(chkIgnoreRomNum40);
    right->addWidget(chkIgnoreNoVowelOrY);

    auto* sizes = new QGridLayout;
    chkIgnoreShortWords = new QCheckBox(this);
    cboShortWordSize = new QComboBox(this);
    sizes->addWidget(chkIgnoreShortWords, 0, 0);
    sizes->addWidget(cboShortWordSize, 0, 1);
    sizes->addWidget(StaticLabel("characters", this), 0, 2);
    chkIgnoreInfrequentWords = new QCheckBox(this);
    cboThresholdFrequency = new QComboBox(this);
    sizes->addWidget(chkIgnoreInfrequentWords, 1, 0);
    sizes->addWidget(cboThresholdFrequency, 1, 1);
    sizes->addWidget(StaticLabel("occurrences", this), 1, 2);
    cboLongWordSize = new QComboBox(this);
    sizes->addWidget(StaticLabel("Ignore words with more than", this), 2, 0);
    sizes->addWidget(cboLongWordSize, 2, 1);
    sizes->addWidget(StaticLabel("characters", this), 2, 2);
    sizes->setColumnStretch(3, 1);
    right->addLayout(sizes);

    right->addWidget(StaticLabel("Ignore these words:", this));
    auto* wordsRow = new QHBoxLayout;
    txbWordsToIgnore = new QLineEdit(this);
    cmdClearWordsToIgnore = new QPushButton(this);
    wordsRow->addWidget(txbWordsToIgnore, 1);
    wordsRow->addWidget(cmdClearWordsToIgnore);
    right->addLayout(wordsRow);

    chkIgnoreCommonWords = new QCheckBox(this);
    right->addWidget(chkIgnoreCommonWords);
    txbCommonWordsFile = new QLineEdit(this);
    txbCommonWordsFile->setFont(fixedFont);
    right->addWidget(txbCommonWordsFile);
    auto* commonRow = new QHBoxLayout;
    cmdSelectCommonWordsFile = new QPushButton(this);
    cmdClearCommonWordsFile = new QPushButton(this);
    commonRow->addWidget(cmdSelectCommonWordsFile);
    commonRow->addWidget(cmdClearCommonWordsFile);
    commonRow->addStretch(1);
    right->addLayout(commonRow);

    chkOutputWithCommas = new QCheckBox(this);
    chkWarnOnOverwrite = new QCheckBox(this);
    chkSaveStateOnQuit = new QCheckBox(this);
    right->addSpacing(6);
    right->addWidget(chkOutputWithCommas);
    right->addWidget(chkWarnOnOverwrite);
    right->addWidget(chkSaveStateOnQuit);
    right->addStretch(1);
    columns->addLayout(right, 1);
    outer->addLayout(columns, 1);

    // ---- Buttons ----
    auto* setButtons = new QHBoxLayout;
    cmdRestoreDefaults = new QPushButton(this);
    cmdInitialize = new QPushButton(this);
    cmdClearCheckboxes[0] = new QPushButton(this);
    cmdClearCheckboxes[1] = new QPushButton(this);
    for (QPushButton* button : {cmdRestoreDefaults, cmdInitialize, cmdClearCheckboxes[0], cmdClearCheckboxes[1]})
        setButtons->addWidget(button);
    setButtons->addStretch(1);
    outer->addLayout(setButtons);

    auto* fileRow = new QHBoxLayout;
    cmdSaveLoadParameters[0] = new QPushButton(this);
    cmdSaveLoadParameters[1] = new QPushButton(this);
    lblParameters = new QLabel(this);
    txbParametersFile = new QLineEdit(this);
    txbParametersFile->setReadOnly(true);
    txbParametersFile->setFont(fixedFont);
    fileRow->addWidget(cmdSaveLoadParameters[0]);
    fileRow->addWidget(cmdSaveLoadParameters[1]);
    fileRow->addWidget(lblParameters);
    fileRow->addWidget(txbParametersFile, 1);
    outer->addLayout(fileRow);

    cmdClose = AddCentredButton(outer, this);

    // ---- Binding ----
    binder.BindLabel(model.lblOnThisPage, lblOnThisPage);
    const std::pair<CheckBox*, QCheckBox*> boxes[] = {
        {&model.chkCaseSignificant, chkCaseSignificant},
        {&model.chkDropFinalS, chkDropFinalS},
        {&model.chkAllowWordsWithHyphens, chkAllowWordsWithHyphens},
        {&model.chkAllowWordsWithApostrophes, chkAllowWordsWithApostrophes},
        {&model.chkAllowWordsWithUnderscores, chkAllowWordsWithUnderscores},
        {&model.chkAllowWordsWithColons, chkAllowWordsWithColons},
        {&model.chkAllowWordsWithBackslashes, chkAllowWordsWithBackslashes},
        {&model.chkAllowWordsWithForwardslashes, chkAllowWordsWithForwardslashes},
        {&model.chkAllowWordsWithPeriods, chkAllowWordsWithPeriods},
        {&model.chkAllowWordsWithAtSigns, chkAllowWordsWithAtSigns},
        {&model.chkAllowWordsWithNumerals, chkAllowWordsWithNumerals},
        {&model.chkAllowCommentMarkers, chkAllowCommentMarkers},
        {&model.chkIgnoreRepetitions, chkIgnoreRepetitions},
        {&model.chkIgnoreRomNum40, chkIgnoreRomNum40},
        {&model.chkIgnoreNoVowelOrY, chkIgnoreNoVowelOrY},
        {&model.chkIgnoreShortWords, chkIgnoreShortWords},
        {&model.chkIgnoreInfrequentWords, chkIgnoreInfrequentWords},
        {&model.chkIgnoreCommonWords, chkIgnoreCommonWords},
        {&model.chkOutputWithCommas, chkOutputWithCommas},
        {&model.chkWarnOnOverwrite, chkWarnOnOverwrite},
        {&model.chkSaveStateOnQuit, chkSaveStateOnQuit},
    };
    for (const auto& [box, widget] : boxes) binder.BindCheckBox(*box, widget);
    for (int i = 0; i < 2; ++i) {
        binder.BindLineEdit(model.txbStartComment[i], txbStartComment[i]);
        binder.BindLineEdit(model.txbEndComment[i], txbEndComment[i]);
        binder.BindButton(model.cmdClearCheckboxes[i], cmdClearCheckboxes[i]);
        binder.BindButton(model.cmdSaveLoadParameters[i], cmdSaveLoadParameters[i]);
    }
    binder.BindCombo(model.cboShortWordSize, cboShortWordSize);
    binder.BindCombo(model.cboThresholdFrequency, cboThresholdFrequency);
    binder.BindCombo(model.cboLongWordSize, cboLongWordSize);
    binder.BindLineEdit(model.txbWordsToIgnore, txbWordsToIgnore);
    binder.BindButton(model.cmdClearWordsToIgnore, cmdClearWordsToIgnore);
    binder.BindLineEdit(model.txbCommonWordsFile, txbCommonWordsFile);
    binder.BindButton(model.cmdSelectCommonWordsFile, cmdSelectCommonWordsFile);
    binder.BindButton(model.cmdClearCommonWordsFile, cmdClearCommonWordsFile);
    binder.BindButton(model.cmdRestoreDefaults, cmdRestoreDefaults);
    binder.BindButton(model.cmdInitialize, cmdInitialize);
    binder.BindLabel(model.lblParameters, lblParameters);
    binder.BindLineEdit(model.txbParametersFile, txbParametersFile);
    binder.BindButton(model.cmdClose, cmdClose);

    resize(sizeHint().expandedTo(QSize(760, 480)));
    Binder::FormHooks hooks;
    hooks.closeRequested = [this] { model.cmdClose_Click(); };
    hooks.activated = [this] { model.Form_Activate(); };
    binder.BindForm(model, this, std::move(hooks));
}

}  // namespace vesk::ui
