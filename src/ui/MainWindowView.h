#pragma once
// The widgets of the main window, laid out and bound to the frmMain model.

#include <QWidget>

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

class MainWindowView : public QWidget {
  public:
    MainWindowView(MainWindow& model, Binder& binder);

    MainWindow& model;

    QRadioButton* optInFile;
    QRadioButton* optInTextBox;
    QLineEdit* txbFile[2];
    QPushButton* cmdFile[2];
    QPushButton* cmdClearFile[2];
    QCheckBox* chkDisableOutputToFile;
    QLabel* lblFilesize;
    QLabel* lblSizeOfClipboardContents;
    QLabel* Label1;
    QLabel* Label2;
    QPushButton* cmdListWords;
    QCheckBox* chkSuppressWords;
    QLabel* lblTwirler;
    QGroupBox* Frame2;
    QLabel* lblNumberOfWords;
    QLabel* lblNumWordsExcluded;
    QLabel* lblNumOccurrences;
    QLabel* lblTotalNumOccurrences;
    QComboBox* cboWordOrder;
    QComboBox* cboDisplayFormat;
    QPlainTextEdit* txbOutput;
    QPushButton* cmdClearOutput;
    QPushButton* cmdCopyOutput;
    QPushButton* cmdSetParameters;
    QPushButton* cmdHelp;
    QPushButton* cmdSaveState;
    QPushButton* cmdQuit;
    QLabel* lblKestrineSystems;
    QLabel* lblOnlineDocumentation;
};

// The character a twirler caption stands for: the codes 220, 221, 223 and 222 are the lower, left, upper
// and right half blocks.
QString TwirlerText(const std::string& caption);

}  // namespace vesk::ui
