// Saving and restoring the parameter set, the main window's file names and its display choices, to and from
// a parameter file or the state file.

#include <string>

#include "app/MainWindow.h"
#include "params/AtomicSave.h"
#include "params/ParameterFormat.h"
#include "params/ParamsWindow.h"
#include "text/Encoding.h"

namespace vesk {

namespace {

constexpr const char* kSavePrefix = "Error when attempting to save parameters: ";
constexpr const char* kRestorePrefix = "Error when attempting to restore parameters: ";

struct Binding {
    FieldForm form = FieldForm::Reserved;
    TextBox* box = nullptr;       // a text, or the box that shows `text`
    std::string* text = nullptr;  // a text held outside a box
    ComboBox* list = nullptr;     // a list index
    CheckBox* check = nullptr;    // a check-box value
    bool counted = false;         // a change makes the words of the last count stale
};
using Bindings = std::array<Binding, kParameterLineCount>;

Binding TextOf(TextBox& box, bool counted = false) {
    return {FieldForm::Text, &box, nullptr, nullptr, nullptr, counted};
}
Binding IndexOf(ComboBox& list) { return {FieldForm::ListIndex, nullptr, nullptr, &list, nullptr, false}; }
Binding ValueOf(CheckBox& box, bool counted = false) {
    return {FieldForm::CheckBox, nullptr, nullptr, nullptr, &box, counted};
}

// The lines of the file in their order.
Bindings BindingsOf(MainWindow& main) {
    ParamsWindow& p = *main.frmParams;
    constexpr bool kCounted = true;
    return {TextOf(main.txbFile[0], kCounted),
            TextOf(main.txbFile[1]),
            TextOf(p.txbWordsToIgnore),
            TextOf(p.txbStartComment[0], kCounted),
            TextOf(p.txbEndComment[0], kCounted),
            TextOf(p.txbStartComment[1], kCounted),
            TextOf(p.txbEndComment[1], kCounted),
            IndexOf(p.cboShortWordSize),
            IndexOf(p.cboLongWordSize),
            IndexOf(p.cboThresholdFrequency),
            ValueOf(p.chkIgnoreShortWords),
            ValueOf(p.chkIgnoreInfrequentWords),
            ValueOf(p.chkIgnoreCommonWords),
            ValueOf(p.chkIgnoreRepetitions),
            ValueOf(p.chkIgnoreRomNum40),
            ValueOf(p.chkIgnoreNoVowelOrY),
            ValueOf(p.chkCaseSignificant, kCounted),
            ValueOf(p.chkDropFinalS, kCounted),
            ValueOf(p.chkAllowWordsWithHyphens, kCounted),
            ValueOf(p.chkAllowWordsWithApostrophes, kCounted),
            ValueOf(p.chkAllowWordsWithUnderscores, kCounted),
            ValueOf(p.chkAllowWordsWithColons, kCounted),
            ValueOf(p.chkAllowWordsWithBackslashes, kCounted),
            ValueOf(p.chkAllowWordsWithForwardslashes, kCounted),
            ValueOf(p.chkAllowWordsWithPeriods, kCounted),
            ValueOf(p.chkAllowWordsWithAtSigns, kCounted),
            ValueOf(p.chkAllowWordsWithNumerals, kCounted),
            ValueOf(p.chkOutputWithCommas),
            Binding{},
            ValueOf(p.chkAllowCommentMarkers, kCounted),
            ValueOf(p.chkWarnOnOverwrite),
            ValueOf(p.chkSaveStateOnQuit),
            ValueOf(main.chkSuppressWords),
            ValueOf(main.chkDisableOutputToFile),
            IndexOf(main.cboWordOrder),
            IndexOf(main.cboDisplayFormat),
            Binding{FieldForm::Text, &p.txbCommonWordsFile, &main.strCommonWordsFile, nullptr, nullptr, false}};
}

FieldSpecs SpecsOf(const Bindings& bindings) {
    FieldSpecs specs;
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        specs[i].form = bindings[i].form;
        if (bindings[i].list != nullptr) specs[i].listSize = static_cast<int>(bindings[i].list->Items().size());
    }
    return specs;
}

ParameterValue HeldValue(const Binding& binding) {
    ParameterValue value;
    if (binding.text != nullptr) {
        value.text = *binding.text;
    } else if (binding.box != nullptr) {
        value.text = binding.box->Text();
    } else if (binding.list != nullptr) {
        value.number = binding.list->ListIndex();
    } else if (binding.check != nullptr) {
        value.number = binding.check->Value();
    }
    return value;
}

void Apply(const Binding& binding, const ParameterValue& value) {
    if (binding.text != nullptr) *binding.text = value.text;
    if (binding.box != nullptr) binding.box->SetText(value.text);
    if (binding.list != nullptr) binding.list->SetListIndex(value.number);
    if (binding.check != nullptr) binding.check->SetValue(value.number);
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

std::string MainWindow::SaveState(const std::string& strParameterFile) {
    const std::string& file = strParameterFile.empty() ? strStateFile : strParameterFile;
    const Bindings bindings = BindingsOf(*this);
    ParameterValues values;
    for (std::size_t i = 0; i < bindings.size(); ++i) values[i] = HeldValue(bindings[i]);

    std::string bytes;
    std::string failure = FormatParameterFile(SpecsOf(bindings), values, bytes);
    if (failure.empty()) failure = WriteFileAtomically(Cp1252ToUtf8(file), bytes);
    return failure.empty() ? std::string() : kSavePrefix + failure;
}

std::string MainWindow::RestoreSavedState(const std::string& strParameterFile) {
    const std::string& file = strParameterFile.empty() ? strStateFile : strParameterFile;
    const Bindings bindings = BindingsOf(*this);
    const FieldSpecs specs = SpecsOf(bindings);

    // The whole file is read and checked before any of it is applied: a file that fails changes nothing.
    ParameterValues values;
    if (std::string failure = ReadParameterFile(Cp1252ToUtf8(file), specs, values); !failure.empty())
        return kRestorePrefix + failure;
    for (std::size_t i = 0; i < specs.size(); ++i)
        if (specs[i].form == FieldForm::ListIndex && values[i].number == -1) return "Invalid combo box index";

    bool countedChanges = false;
    for (std::size_t i = 0; i < bindings.size(); ++i)
        countedChanges = countedChanges || (bindings[i].counted && !(HeldValue(bindings[i]) == values[i]));
    if (countedChanges) blnWordsGot = false;
    if (values.back().text != strCommonWordsFile) blnCommonWordsLoaded = false;

    {
        QuietHandlers quiet(*frmParams);
        for (std::size_t i = 0; i < bindings.size(); ++i) Apply(bindings[i], values[i]);
        // After the case box, whose value the normalisation follows.
        frmParams->txbWordsToIgnore_LostFocus();
    }
    UpdateDisableOutputOption();
    return {};
}

}  // namespace vesk
