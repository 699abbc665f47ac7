// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and restoring the parameter set, the main window's file names and its display choices, to and from
// a parameter file or the state file; the "Save state" and "Quit" buttons.

#include "settings/ParameterFile.h"

#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "listing/RunError.h"
#include "params/ParamsWindow.h"

namespace vesk {

namespace {

// The control that holds a value of the set.
struct Binding {
    std::string ParameterSet::*text = nullptr;
    int ParameterSet::*number = nullptr;
    TextBox* box = nullptr;
    ComboBox* list = nullptr;
    CheckBox* check = nullptr;
    bool counted = false;  // a change makes the words of the last count stale
};

constexpr bool kCounted = true;

// The line of a failure message that names the file.
std::string FileLineOf(const std::string& strParameterFile, const std::string& file) {
    return FileLine(strParameterFile.empty() ? "State file" : "Parameter file", file);
}

Binding Bind(std::string ParameterSet::*text, TextBox& box, bool counted = false) {
    return {text, nullptr, &box, nullptr, nullptr, counted};
}
Binding Bind(int ParameterSet::*number, ComboBox& list) { return {nullptr, number, nullptr, &list, nullptr, false}; }
Binding Bind(int ParameterSet::*number, CheckBox& box, bool counted = false) {
    return {nullptr, number, nullptr, nullptr, &box, counted};
}

// In the order of the file, which is the order a load sets the controls in. The common-words path is held
// outside the table: in `strCommonWordsFile`, and shown in its box.
std::vector<Binding> BindingsOf(MainWindow& main) {
    ParamsWindow& p = *main.frmParams;
    using P = ParameterSet;
    return {Bind(&P::inputFile, main.txbFile[0], kCounted),
            Bind(&P::outputFile, main.txbFile[1]),
            Bind(&P::wordsToIgnore, p.txbWordsToIgnore),
            Bind(&P::commentStart1, p.txbStartComment[0], kCounted),
            Bind(&P::commentEnd1, p.txbEndComment[0], kCounted),
            Bind(&P::commentStart2, p.txbStartComment[1], kCounted),
            Bind(&P::commentEnd2, p.txbEndComment[1], kCounted),
            Bind(&P::shortWordSize, p.cboShortWordSize),
            Bind(&P::longWordSize, p.cboLongWordSize),
            Bind(&P::thresholdFrequency, p.cboThresholdFrequency),
            Bind(&P::ignoreShortWords, p.chkIgnoreShortWords),
            Bind(&P::ignoreInfrequentWords, p.chkIgnoreInfrequentWords),
            Bind(&P::ignoreCommonWords, p.chkIgnoreCommonWords),
            Bind(&P::ignoreRepetitions, p.chkIgnoreRepetitions),
            Bind(&P::ignoreRomanNumerals, p.chkIgnoreRomNum40),
            Bind(&P::ignoreNoVowel, p.chkIgnoreNoVowelOrY),
            Bind(&P::caseSignificant, p.chkCaseSignificant, kCounted),
            Bind(&P::dropFinalS, p.chkDropFinalS, kCounted),
            Bind(&P::allowHyphens, p.chkAllowWordsWithHyphens, kCounted),
            Bind(&P::allowApostrophes, p.chkAllowWordsWithApostrophes, kCounted),
            Bind(&P::allowUnderscores, p.chkAllowWordsWithUnderscores, kCounted),
            Bind(&P::allowColons, p.chkAllowWordsWithColons, kCounted),
            Bind(&P::allowBackslashes, p.chkAllowWordsWithBackslashes, kCounted),
            Bind(&P::allowForwardSlashes, p.chkAllowWordsWithForwardslashes, kCounted),
            Bind(&P::allowPeriods, p.chkAllowWordsWithPeriods, kCounted),
            Bind(&P::allowAtSigns, p.chkAllowWordsWithAtSigns, kCounted),
            Bind(&P::allowNumerals, p.chkAllowWordsWithNumerals, kCounted),
            Bind(&P::outputWithCommas, p.chkOutputWithCommas),
            Bind(&P::allowCommentMarkers, p.chkAllowCommentMarkers, kCounted),
            Bind(&P::warnOnOverwrite, p.chkWarnOnOverwrite),
            Bind(&P::saveStateOnQuit, p.chkSaveStateOnQuit),
            Bind(&P::suppressWords, main.chkSuppressWords),
            Bind(&P::disableOutputToFile, main.chkDisableOutputToFile),
            Bind(&P::wordOrder, main.cboWordOrder),
            Bind(&P::displayFormat, main.cboDisplayFormat)};
}

void Fill(const Binding& binding, ParameterSet& set) {
    if (binding.box != nullptr) set.*binding.text = binding.box->Text();
    if (binding.list != nullptr) set.*binding.number = binding.list->ListIndex();
    if (binding.check != nullptr) set.*binding.number = binding.check->Value();
}

void Apply(const Binding& binding, const ParameterSet& set) {
    if (binding.box != nullptr) binding.box->SetText(set.*binding.text);
    if (binding.list != nullptr) binding.list->SetListIndex(set.*binding.number);
    if (binding.check != nullptr) binding.check->SetValue(set.*binding.number);
}

bool Differs(const Binding& binding, const ParameterSet& a, const ParameterSet& b) {
    return binding.text != nullptr ? a.*binding.text != b.*binding.text : a.*binding.number != b.*binding.number;
}

ParameterSet HeldParameters(MainWindow& main, const std::vector<Binding>& bindings) {
    ParameterSet set;
    for (const Binding& binding : bindings) Fill(binding, set);
    set.commonWordsFile = main.strCommonWordsFile;
    return set;
}

// Keeps the change handlers of the windows quiet while a load sets the controls: a load asks nothing, reads
// no common-words file and lists nothing.
class QuietHandlers {
  public:
    explicit QuietHandlers(ParamsWindow& params) : m_params(params), m_was(params.blnReverting) {
        params.blnReverting = true;
    }
    ~QuietHandlers() { m_params.blnReverting = m_was; }
    QuietHandlers(const QuietHandlers&) = delete;
    QuietHandlers& operator=(const QuietHandlers&) = delete;

  private:
    ParamsWindow& m_params;
    bool m_was;
};

}  // namespace

ParameterSet MainWindow::HeldParameterSet() { return HeldParameters(*this, BindingsOf(*this)); }

std::string MainWindow::SaveState(const std::string& strParameterFile) {
    const std::string& file = strParameterFile.empty() ? strStateFile : strParameterFile;
    return WriteParameterFile(file, HeldParameters(*this, BindingsOf(*this)), FileLineOf(strParameterFile, file));
}

std::string MainWindow::RestoreSavedState(const std::string& strParameterFile) {
    const std::string& file = strParameterFile.empty() ? strStateFile : strParameterFile;
    ParameterSet loaded;
    if (std::string failure = ReadParameterFile(file, loaded, FileLineOf(strParameterFile, file)); !failure.empty())
        return failure;

    const std::vector<Binding> bindings = BindingsOf(*this);
    const ParameterSet held = HeldParameters(*this, bindings);
    for (const Binding& binding : bindings)
        if (binding.counted && Differs(binding, held, loaded)) blnWordsGot = false;
    if (loaded.commonWordsFile != strCommonWordsFile) blnCommonWordsLoaded = false;

    {
        QuietHandlers quiet(*frmParams);
        for (const Binding& binding : bindings) Apply(binding, loaded);
        strCommonWordsFile = loaded.commonWordsFile;
        frmParams->txbCommonWordsFile.SetText(loaded.commonWordsFile);
        // After the case box, whose value the normalisation follows.
        frmParams->txbWordsToIgnore_LostFocus();
    }
    UpdateDisableOutputOption();
    return {};
}

void MainWindow::cmdSaveState_Click() {
    const std::string result = SaveState("");
    if (!result.empty())
        platform.ShowMessage(result, "Error", MsgButtons::Ok, MsgIcon::Exclamation);
    else if (!blnQuitting)
        platform.ShowMessage("State saved.", "Save", MsgButtons::Ok, MsgIcon::None);
    SetTheFocus();
}

void MainWindow::cmdQuit_Click() {
    blnQuitting = true;
    if (frmParams->chkSaveStateOnQuit.Value() == 1) cmdSaveState_Click();
    platform.EndProgram();
}

}  // namespace vesk
