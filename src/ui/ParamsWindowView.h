// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The widgets of the parameters window, laid out and bound to the frmParams model. Closing the window by
// its frame only hides it, like its "Close" button: the options live in its controls.

#include <QWidget>
#include <vector>

#include "params/ParamsWindow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vesk::ui {

class Binder;
struct WidgetRow;

class ParamsWindowView : public QWidget {
  public:
    ParamsWindowView(ParamsWindow& model, Binder& binder);

    ParamsWindow& model;

    QLabel* lblOnThisPage = nullptr;
    QCheckBox* chkCaseSignificant = nullptr;
    QCheckBox* chkDropFinalS = nullptr;
    QCheckBox* chkAllowWordsWithHyphens = nullptr;
    QCheckBox* chkAllowWordsWithApostrophes = nullptr;
    QCheckBox* chkAllowWordsWithUnderscores = nullptr;
    QCheckBox* chkAllowWordsWithColons = nullptr;
    QCheckBox* chkAllowWordsWithBackslashes = nullptr;
    QCheckBox* chkAllowWordsWithForwardslashes = nullptr;
    QCheckBox* chkAllowWordsWithPeriods = nullptr;
    QCheckBox* chkAllowWordsWithAtSigns = nullptr;
    QCheckBox* chkAllowWordsWithNumerals = nullptr;
    QCheckBox* chkAllowCommentMarkers = nullptr;
    QLineEdit* txbStartComment[2]{};
    QLineEdit* txbEndComment[2]{};
    QCheckBox* chkIgnoreRepetitions = nullptr;
    QCheckBox* chkIgnoreRomNum40 = nullptr;
    QCheckBox* chkIgnoreNoVowelOrY = nullptr;
    QCheckBox* chkIgnoreShortWords = nullptr;
    QComboBox* cboShortWordSize = nullptr;
    QCheckBox* chkIgnoreInfrequentWords = nullptr;
    QComboBox* cboThresholdFrequency = nullptr;
    QComboBox* cboLongWordSize = nullptr;
    QLineEdit* txbWordsToIgnore = nullptr;
    QPushButton* cmdClearWordsToIgnore = nullptr;
    QCheckBox* chkIgnoreCommonWords = nullptr;
    QLineEdit* txbCommonWordsFile = nullptr;
    QPushButton* cmdSelectCommonWordsFile = nullptr;
    QPushButton* cmdClearCommonWordsFile = nullptr;
    QCheckBox* chkOutputWithCommas = nullptr;
    QCheckBox* chkWarnOnOverwrite = nullptr;
    QCheckBox* chkSaveStateOnQuit = nullptr;
    QPushButton* cmdRestoreDefaults = nullptr;
    QPushButton* cmdInitialize = nullptr;
    QPushButton* cmdClearCheckboxes[2]{};
    QPushButton* cmdSaveLoadParameters[2]{};
    QLabel* lblParameters = nullptr;
    QLineEdit* txbParametersFile = nullptr;
    QPushButton* cmdClose = nullptr;

    // Grows the window to show all its widgets, which the captions set at start-up may need.
    void FitToContent();

  private:
    QWidget* m_content = nullptr;
    std::vector<WidgetRow> Rows();
    std::vector<WidgetRow> FormingColumn();  // how words are formed
    std::vector<WidgetRow> FilterColumn();   // which words are left out
};

}  // namespace vesk::ui
