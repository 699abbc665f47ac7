// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parameters window (frmParams): every option of the parameter set lives in one of its controls.
// Implemented in params/ParamsWindow.cpp (window behaviour, re-read rule) and params/IgnoreLists.cpp
// (words to ignore and the common-words file selection).

#include <map>
#include <string>

#include "app/Controls.h"
#include "app/Platform.h"

namespace vesk {

class MainWindow;

class ParamsWindow : public Form {
  public:
    explicit ParamsWindow(Platform& platform);
    void Attach(MainWindow& main);

    Platform& platform;
    MainWindow* frmMain = nullptr;

    // ---- Word-forming options (a change after a count asks before the text is read again) ----
    CheckBox chkCaseSignificant{"chkCaseSignificant", "Upper/lower case significant"};
    CheckBox chkDropFinalS{"chkDropFinalS", "Drop final 's' unless 'ss' or vowel+'s'"};
    CheckBox chkAllowWordsWithHyphens{"chkAllowWordsWithHyphens", "hyphens -"};
    CheckBox chkAllowWordsWithApostrophes{"chkAllowWordsWithApostrophes", "apostrophes '"};
    CheckBox chkAllowWordsWithUnderscores{"chkAllowWordsWithUnderscores", "underscores _"};
    CheckBox chkAllowWordsWithColons{"chkAllowWordsWithColons", "colons :"};
    CheckBox chkAllowWordsWithBackslashes{"chkAllowWordsWithBackslashes", "backslashes \\"};
    CheckBox chkAllowWordsWithForwardslashes{"chkAllowWordsWithForwardslashes", "forward slashes /"};
    CheckBox chkAllowWordsWithPeriods{"chkAllowWordsWithPeriods", "periods ."};
    CheckBox chkAllowWordsWithAtSigns{"chkAllowWordsWithAtSigns", "at-signs @"};
    CheckBox chkAllowWordsWithNumerals{"chkAllowWordsWithNumerals", "numerals"};
    CheckBox chkAllowCommentMarkers{"chkAllowCommentMarkers", "Allow start- and end-comment markers"};

    // ---- Filters ----
    CheckBox chkIgnoreRepetitions{"chkIgnoreRepetitions",
                                  "Ignore a word if consists of a repetition of a single letter"};
    CheckBox chkIgnoreRomNum40{"chkIgnoreRomNum40", "Ignore Roman numerals less than 40"};
    CheckBox chkIgnoreNoVowelOrY{"chkIgnoreNoVowelOrY", "Ignore word if it has no vowel or 'y'"};
    CheckBox chkIgnoreShortWords{"chkIgnoreShortWords", "Ignore words with fewer than"};
    CheckBox chkIgnoreInfrequentWords{"chkIgnoreInfrequentWords", "Ignore words with fewer than"};
    CheckBox chkIgnoreCommonWords{"chkIgnoreCommonWords", "Ignore common words in file:"};
    ComboBox cboShortWordSize{"cboShortWordSize"};            // "2".."9", default index 1
    ComboBox cboLongWordSize{"cboLongWordSize"};              // "20".."80", default index 3
    ComboBox cboThresholdFrequency{"cboThresholdFrequency"};  // "2".."9", default index 0

    // ---- Output and quitting ----
    CheckBox chkOutputWithCommas{"chkOutputWithCommas", "Include commas in output file"};
    CheckBox chkWarnOnOverwrite{"chkWarnOnOverwrite", "Warn before overwriting output file"};
    CheckBox chkSaveStateOnQuit{"chkSaveStateOnQuit", "Save state when quitting"};

    // ---- Text boxes ----
    TextBox txbWordsToIgnore{"txbWordsToIgnore"};
    TextBox txbCommonWordsFile{"txbCommonWordsFile"};
    TextBox txbStartComment[2]{TextBox{"txbStartComment(0)"}, TextBox{"txbStartComment(1)"}};
    TextBox txbEndComment[2]{TextBox{"txbEndComment(0)"}, TextBox{"txbEndComment(1)"}};
    TextBox txbParametersFile{"txbParametersFile"};

    // ---- Buttons and labels ----
    Button cmdRestoreDefaults{"cmdRestoreDefaults"};
    Button cmdInitialize{"cmdInitialize"};
    Button cmdClearCheckboxes[2]{Button{"cmdClearCheckboxes(0)"}, Button{"cmdClearCheckboxes(1)"}};
    Button cmdSaveLoadParameters[2]{Button{"cmdSaveLoadParameters(0)"}, Button{"cmdSaveLoadParameters(1)"}};
    Button cmdClearWordsToIgnore{"cmdClearWordsToIgnore"};
    Button cmdSelectCommonWordsFile{"cmdSelectCommonWordsFile"};
    Button cmdClearCommonWordsFile{"cmdClearCommonWordsFile"};
    Button cmdClose{"cmdClose"};
    Label lblOnThisPage{"lblOnThisPage"};
    Label lblParameters{"lblParameters"};

    bool blnReverting = false;

    // ---- Window behaviour (params/ParamsWindow.cpp) ----
    void Form_Load();
    void Form_Activate();
    void SetDefaultValues();
    bool ConfirmRereadFile();
    // The click handler shared by the twelve word-forming boxes.
    void WordFormingOption_Click(CheckBox& box);
    // The click handler of the filter boxes and lists that need no re-reading.
    void FilterOption_Click();
    void txbComment_LostFocus(TextBox& box);
    void cmdRestoreDefaults_Click();
    void cmdInitialize_Click();
    void cmdClearCheckboxes_Click(int index);
    void cmdClose_Click();
    void PlaceWindow();

    // ---- Parameter files (params/ParameterFileButtons.cpp) ----
    void cmdSaveLoadParameters_Click(int index);

    // ---- Ignore lists (params/IgnoreLists.cpp) ----
    void txbWordsToIgnore_LostFocus();
    void cmdClearWordsToIgnore_Click();
    void chkIgnoreCommonWords_Click();
    void cmdSelectCommonWordsFile_Click();
    void cmdClearCommonWordsFile_Click();
    bool txbCommonWordsFile_KeyPress(int keyAscii);
    void txbCommonWordsFile_LostFocus();

  private:
    // The value each word-forming box held after its last change, so that a refused change puts back
    // exactly that value (a grayed box becomes grayed again).
    std::map<const CheckBox*, int> m_wordFormingValues;
};

}  // namespace vesk
