#include "ui/MainWindowView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/Binder.h"
#include "ui/QtText.h"

namespace vesk::ui {

QString TwirlerText(const std::string& caption) {
    if (caption.size() == 1) {
        switch (static_cast<unsigned char>(caption[0])) {
            case 220:
                return QString(QChar(0x2584));
            case 221:
                return QString(QChar(0x258C));
            case 223:
                return QString(QChar(0x2580));
            case 222:
                return QString(QChar(0x2590));
            default:
                break;
        }
    }
    return ToQt(caption);
}

namespace {

QLabel* StaticLabel(const char* text, QWidget* parent, bool wrap = false) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setWordWrap(wrap);
    return label;
}

void KeepSpaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

void StyleAsLink(QLabel* label) {
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Link));
    label->setPalette(palette);
}

}  // namespace

MainWindowView::MainWindowView(MainWindow& modelRef, Binder& binder) : QWidget(nullptr), model(modelRef) {
    const QFont fixedFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto* outer = new QVBoxLayout(this);

    // ---- Source ----
    auto* sourceRow = new QHBoxLayout;
    sourceRow->addWidget(StaticLabel("Source:", this));
    optInFile = new QRadioButton(this);
    optInTextBox = new QRadioButton(this);
    sourceRow->addWidget(optInFile);
    sourceRow->addWidget(optInTextBox);
    sourceRow->addSpacing(12);
    sourceRow->addWidget(StaticLabel("Specify whether to count the words in the input file or in the clipboard then "
                                     "click on the button below.",
                                     this, true),
                         1);
    outer->addLayout(sourceRow);

    // ---- Files ----
    auto* files = new QGridLayout;
    for (int i = 0; i < 2; ++i) {
        cmdFile[i] = new QPushButton(this);
        txbFile[i] = new QLineEdit(this);
        txbFile[i]->setFont(fixedFont);
        cmdClearFile[i] = new QPushButton(this);
        files->addWidget(cmdFile[i], i, 0);
        files->addWidget(txbFile[i], i, 1);
        files->addWidget(cmdClearFile[i], i, 2);
    }
    chkDisableOutputToFile = new QCheckBox(this);
    files->addWidget(chkDisableOutputToFile, 1, 3);
    files->setColumnStretch(1, 1);
    outer->addLayout(files);

    auto* sizes = new QHBoxLayout;
    lblFilesize = new QLabel(this);
    lblSizeOfClipboardContents = new QLabel(this);
    sizes->addWidget(lblFilesize, 1);
    sizes->addWidget(lblSizeOfClipboardContents, 1);
    outer->addLayout(sizes);

    auto* hints = new QHBoxLayout;
    Label1 = new QLabel(this);
    Label2 = new QLabel(this);
    StyleAsLink(Label1);
    hints->addWidget(Label1);
    hints->addStretch(1);
    hints->addWidget(Label2);
    outer->addLayout(hints);

    // ---- Count, statistics and display choices ----
    auto* middle = new QHBoxLayout;
    auto* countColumn = new QVBoxLayout;
    cmdListWords = new QPushButton(this);
    cmdListWords->setMinimumHeight(cmdListWords->sizeHint().height() * 3 / 2);
    chkSuppressWords = new QCheckBox(this);
    lblTwirler = new QLabel(this);
    lblTwirler->setMinimumWidth(lblTwirler->fontMetrics().height() * 2);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(cmdListWords, 1);
    countRow->addWidget(lblTwirler);
    countColumn->addLayout(countRow);
    countColumn->addWidget(chkSuppressWords);
    countColumn->addStretch(1);
    middle->addLayout(countColumn, 2);

    Frame2 = new QGroupBox(this);
    auto* stats = new QVBoxLayout(Frame2);
    lblNumberOfWords = new QLabel(Frame2);
    lblNumWordsExcluded = new QLabel(Frame2);
    lblNumOccurrences = new QLabel(Frame2);
    lblTotalNumOccurrences = new QLabel(Frame2);
    for (QLabel* label : {lblNumberOfWords, lblNumWordsExcluded, lblNumOccurrences, lblTotalNumOccurrences}) {
        KeepSpaceWhenHidden(label);
        stats->addWidget(label);
    }
    // Wide enough for the longest caption with a large total, and for the progress bar.
    QFont barFont = fixedFont;
    barFont.setBold(true);
    Frame2->setMinimumWidth(std::max(QFontMetrics(barFont).horizontalAdvance(QString(40, QLatin1Char('-'))),
                                     lblNumOccurrences->fontMetrics().horizontalAdvance(QStringLiteral(
                                         "No. of occurrences in file of words in this list: 99,999,999"))) +
                            24);
    middle->addWidget(Frame2, 3);

    auto* choices = new QGridLayout;
    choices->addWidget(StaticLabel("The words can be redisplayed in various ways by selecting these:", this, true), 0,
                       0, 1, 2);
    choices->addWidget(StaticLabel("Word order:", this), 1, 0);
    cboWordOrder = new QComboBox(this);
    choices->addWidget(cboWordOrder, 1, 1);
    choices->addWidget(StaticLabel("Display format:", this), 2, 0);
    cboDisplayFormat = new QComboBox(this);
    cboDisplayFormat->setMinimumContentsLength(18);
    choices->addWidget(cboDisplayFormat, 2, 1);
    choices->setRowStretch(3, 1);
    middle->addLayout(choices, 2);
    outer->addLayout(middle);

    // ---- Output ----
    txbOutput = new QPlainTextEdit(this);
    txbOutput->setFont(fixedFont);
    txbOutput->setLineWrapMode(QPlainTextEdit::NoWrap);
    txbOutput->setMinimumHeight(txbOutput->fontMetrics().height() * 8);
    outer->addWidget(txbOutput, 1);

    // ---- Buttons and links ----
    auto* buttons = new QHBoxLayout;
    cmdClearOutput = new QPushButton(this);
    cmdCopyOutput = new QPushButton(this);
    cmdSetParameters = new QPushButton(this);
    cmdHelp = new QPushButton(this);
    cmdSaveState = new QPushButton(this);
    cmdQuit = new QPushButton(this);
    for (QPushButton* button : {cmdClearOutput, cmdCopyOutput, cmdSetParameters, cmdHelp, cmdSaveState, cmdQuit})
        buttons->addWidget(button);
    buttons->addStretch(1);
    lblKestrineSystems = new QLabel(this);
    lblOnlineDocumentation = new QLabel(this);
    StyleAsLink(lblKestrineSystems);
    StyleAsLink(lblOnlineDocumentation);
    buttons->addWidget(lblKestrineSystems);
    buttons->addSpacing(12);
    buttons->addWidget(lblOnlineDocumentation);
    outer->addLayout(buttons);

    // ---- Binding ----
    binder.BindOption(model.optInFile, optInFile);
    binder.BindOption(model.optInTextBox, optInTextBox);
    for (int i = 0; i < 2; ++i) {
        binder.BindButton(model.cmdFile[i], cmdFile[i]);
        binder.BindLineEdit(model.txbFile[i], txbFile[i]);
        binder.BindButton(model.cmdClearFile[i], cmdClearFile[i]);
    }
    binder.BindCheckBox(model.chkDisableOutputToFile, chkDisableOutputToFile);
    binder.BindLabel(model.lblFilesize, lblFilesize);
    binder.BindLabel(model.lblSizeOfClipboardContents, lblSizeOfClipboardContents);
    binder.BindLabel(model.Label1, Label1, true);
    binder.BindLabel(model.Label2, Label2);
    binder.BindButton(model.cmdListWords, cmdListWords);
    binder.BindCheckBox(model.chkSuppressWords, chkSuppressWords);
    binder.BindLabel(model.lblTwirler, lblTwirler, false, TwirlerText);
    binder.BindControl(model.Frame2, Frame2);
    binder.BindLabel(model.lblNumberOfWords, lblNumberOfWords);
    binder.BindLabel(model.lblNumWordsExcluded, lblNumWordsExcluded);
    binder.BindLabel(model.lblNumOccurrences, lblNumOccurrences);
    binder.BindLabel(model.lblTotalNumOccurrences, lblTotalNumOccurrences);
    binder.BindCombo(model.cboWordOrder, cboWordOrder);
    binder.BindCombo(model.cboDisplayFormat, cboDisplayFormat);
    binder.BindTextArea(model.txbOutput, txbOutput);
    binder.BindButton(model.cmdClearOutput, cmdClearOutput);
    binder.BindButton(model.cmdCopyOutput, cmdCopyOutput);
    binder.BindButton(model.cmdSetParameters, cmdSetParameters);
    binder.BindButton(model.cmdHelp, cmdHelp);
    binder.BindButton(model.cmdSaveState, cmdSaveState);
    binder.BindButton(model.cmdQuit, cmdQuit);
    binder.BindLabel(model.lblKestrineSystems, lblKestrineSystems, true);
    binder.BindLabel(model.lblOnlineDocumentation, lblOnlineDocumentation, true);

    resize(sizeHint().expandedTo(QSize(900, 640)));
    Binder::FormHooks hooks;
    hooks.closeRequested = [this] { model.cmdQuit_Click(); };
    binder.BindForm(model, this, std::move(hooks));
}

}  // namespace vesk::ui
