// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The widgets of the main window, laid out and bound to the frmMain model.

#include <QWidget>
#include <vector>

#include "app/MainWindow.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace vesk::ui {

class Binder;
struct WidgetRow;

class MainWindowView : public QWidget {
  public:
    MainWindowView(MainWindow& model, Binder& binder);

    MainWindow& model;

    QRadioButton* optInFile = nullptr;
    QRadioButton* optInTextBox = nullptr;
    QLineEdit* txbFile[2]{};
    QPushButton* cmdFile[2]{};
    QPushButton* cmdClearFile[2]{};
    QPushButton* cmdFolder = nullptr;  // a folder as the input
    QCheckBox* chkDisableOutputToFile = nullptr;
    QLabel* lblFilesize = nullptr;
    QLabel* lblSizeOfClipboardContents = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* cmdListWords = nullptr;
    QCheckBox* chkSuppressWords = nullptr;
    QLabel* lblTwirler = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLabel* lblNumberOfWords = nullptr;
    QLabel* lblNumWordsExcluded = nullptr;
    QLabel* lblNumOccurrences = nullptr;
    QLabel* lblTotalNumOccurrences = nullptr;
    QLabel* lblOptionsChanged = nullptr;
    QComboBox* cboWordOrder = nullptr;
    QComboBox* cboDisplayFormat = nullptr;
    QComboBox* cboInputEncoding = nullptr;
    QPlainTextEdit* txbOutput = nullptr;
    QPushButton* cmdClearOutput = nullptr;
    QPushButton* cmdCopyOutput = nullptr;
    QPushButton* cmdTableAndChart = nullptr;  // opens the results window (ui/ResultsWindowView.h)
    QPushButton* cmdSetParameters = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdSaveState = nullptr;
    QPushButton* cmdQuit = nullptr;
    QLabel* lblKestrineSystems = nullptr;
    QLabel* lblOnlineDocumentation = nullptr;

  private:
    std::vector<WidgetRow> Rows();
    // The room of the widgets that is measured in lines or characters of their fonts.
    void SizeByFont();
};

}  // namespace vesk::ui
