#pragma once
// The widgets of the parameters window, laid out and bound to the frmParams model. Closing the window by
// its frame only hides it, like its "Close" button: the options live in its controls.

#include <QWidget>

#include "params/ParamsWindow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vesk::ui {

class Binder;

class ParamsWindowView : public QWidget {
  public:
    ParamsWindowView(ParamsWindow& model, Binder& binder);

    ParamsWindow& model;

    QLabel* lblOnThisPage;
    QCheckBox* chkCaseSignificant;
    QCheckBox* chkDropFinalS;
    QCheckBox* chkAllowWordsWithHyphens;
    QCheckBox* chkAllowWordsWithApostrophes;
    QCheckBox* chkAllowWordsWithUnderscores;
    QCheckBox* chkAllowWordsWithColons;
    QCheckBox* chkAllowWordsWithBackslashes;
    QCheckBox* chkAllowWordsWithForwardslashes;
    QCheckBox* chkAllowWordsWithPeriods;
    QCheckBox* chkAllowWordsWithAtSigns;
    QCheckBox* chkAllowWordsWithNumerals;
    QCheckBox* chkAllowCommentMarkers;
    QLineEdit* txbStartComment[2];
    QLineEdit* txbEndComment[2];
    QCheckBox* chkIgnoreRepetitions;
    QCheckBox* chkIgnoreRomNum40;
    QCheckBox* chkIgnoreNoVowelOrY;
    QCheckBox* chkIgnoreShortWords;
    QComboBox* cboShortWordSize;
    QCheckBox* chkIgnoreInfrequentWords;
    QComboBox* cboThresholdFrequency;
    QComboBox* cboLongWordSize;
    QLineEdit* txbWordsToIgnore;
    QPushButton* cmdClearWordsToIgnore;
    QCheckBox* chkIgnoreCommonWords;
    QLineEdit* txbCommonWordsFile;
    QPushButton* cmdSelectCommonWordsFile;
    QPushButton* cmdClearCommonWordsFile;
    QCheckBox* chkOutputWithCommas;
    QCheckBox* chkWarnOnOverwrite;
    QCheckBox* chkSaveStateOnQuit;
    QPushButton* cmdRestoreDefaults;
    QPushButton* cmdInitialize;
    QPushButton* cmdClearCheckboxes[2];
    QPushButton* cmdSaveLoadParameters[2];
    QLabel* lblParameters;
    QLineEdit* txbParametersFile;
    QPushButton* cmdClose;
};

}  // namespace vesk::ui
