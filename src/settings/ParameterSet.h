// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The values a parameter file keeps: the options of a count, the names of its input and output files and the
// choices of its listing. The state file holds the same values.

#include <array>
#include <string>

namespace vesk {

// Texts are UTF-8, as the program holds them. Check-box values are 0, 1 or 2 (grayed); list values are
// the index of the item chosen, -1 for none. The initial values are the defaults of a fresh program.
struct ParameterSet {
    std::string inputFile;
    std::string outputFile;
    std::string wordsToIgnore;  // as typed, not the list made of it
    std::string commentStart1 = "/*";
    std::string commentEnd1 = "*/";
    std::string commentStart2 = "//";
    std::string commentEnd2;
    int shortWordSize = 1;       // of 2, 3 .. 9
    int longWordSize = 3;        // of 20, 30 .. 80
    int thresholdFrequency = 0;  // of 2, 3 .. 9
    int ignoreShortWords = 0;
    int ignoreInfrequentWords = 0;
    int ignoreCommonWords = 0;
    int ignoreRepetitions = 1;
    int ignoreRomanNumerals = 1;
    int ignoreNoVowel = 1;
    int caseSignificant = 0;
    int dropFinalS = 1;
    int allowHyphens = 1;
    int allowApostrophes = 0;
    int allowUnderscores = 0;
    int allowColons = 0;
    int allowBackslashes = 0;
    int allowForwardSlashes = 0;
    int allowPeriods = 0;
    int allowAtSigns = 0;
    int allowNumerals = 0;
    int outputWithCommas = 0;
    int allowCommentMarkers = 0;
    int warnOnOverwrite = 1;
    int saveStateOnQuit = 1;
    int suppressWords = 0;
    int disableOutputToFile = 0;
    int wordOrder = 0;      // by frequency, alphabetical
    int displayFormat = 0;  // of the ten formats of a listing
    std::string commonWordsFile;

    bool operator==(const ParameterSet&) const = default;
};

inline ParameterSet DefaultParameters() { return {}; }

// ---- The file's lines ----

inline constexpr int kParameterLineCount = 37;

enum class FieldForm {
    Text,       // a quoted text
    ListIndex,  // an integer, -1 up to the list's last index
    CheckBox,   // an integer 0, 1 or 2
    Reserved,   // written as 0, read and dropped
};

// One line of the file: its form and the value it holds.
struct ParameterField {
    int line = 0;
    FieldForm form = FieldForm::Reserved;
    std::string ParameterSet::*text = nullptr;  // a text line
    int ParameterSet::*number = nullptr;        // a list or check-box line
    int listSize = 0;                           // the items of a list
};

namespace field {
constexpr ParameterField Text(int line, std::string ParameterSet::*text) {
    return {line, FieldForm::Text, text, nullptr, 0};
}
constexpr ParameterField List(int line, int ParameterSet::*number, int listSize) {
    return {line, FieldForm::ListIndex, nullptr, number, listSize};
}
constexpr ParameterField Check(int line, int ParameterSet::*number) {
    return {line, FieldForm::CheckBox, nullptr, number, 0};
}
}  // namespace field

// The lines in their order: writing and reading both walk this table.
inline constexpr std::array<ParameterField, kParameterLineCount> kParameterFields{{
    field::Text(1, &ParameterSet::inputFile),
    field::Text(2, &ParameterSet::outputFile),
    field::Text(3, &ParameterSet::wordsToIgnore),
    field::Text(4, &ParameterSet::commentStart1),
    field::Text(5, &ParameterSet::commentEnd1),
    field::Text(6, &ParameterSet::commentStart2),
    field::Text(7, &ParameterSet::commentEnd2),
    field::List(8, &ParameterSet::shortWordSize, 8),
    field::List(9, &ParameterSet::longWordSize, 7),
    field::List(10, &ParameterSet::thresholdFrequency, 8),
    field::Check(11, &ParameterSet::ignoreShortWords),
    field::Check(12, &ParameterSet::ignoreInfrequentWords),
    field::Check(13, &ParameterSet::ignoreCommonWords),
    field::Check(14, &ParameterSet::ignoreRepetitions),
    field::Check(15, &ParameterSet::ignoreRomanNumerals),
    field::Check(16, &ParameterSet::ignoreNoVowel),
    field::Check(17, &ParameterSet::caseSignificant),
    field::Check(18, &ParameterSet::dropFinalS),
    field::Check(19, &ParameterSet::allowHyphens),
    field::Check(20, &ParameterSet::allowApostrophes),
    field::Check(21, &ParameterSet::allowUnderscores),
    field::Check(22, &ParameterSet::allowColons),
    field::Check(23, &ParameterSet::allowBackslashes),
    field::Check(24, &ParameterSet::allowForwardSlashes),
    field::Check(25, &ParameterSet::allowPeriods),
    field::Check(26, &ParameterSet::allowAtSigns),
    field::Check(27, &ParameterSet::allowNumerals),
    field::Check(28, &ParameterSet::outputWithCommas),
    ParameterField{29, FieldForm::Reserved},
    field::Check(30, &ParameterSet::allowCommentMarkers),
    field::Check(31, &ParameterSet::warnOnOverwrite),
    field::Check(32, &ParameterSet::saveStateOnQuit),
    field::Check(33, &ParameterSet::suppressWords),
    field::Check(34, &ParameterSet::disableOutputToFile),
    field::List(35, &ParameterSet::wordOrder, 2),
    field::List(36, &ParameterSet::displayFormat, 10),
    field::Text(37, &ParameterSet::commonWordsFile),
}};

static_assert(
    [] {
        for (int i = 0; i < kParameterLineCount; ++i)
            if (kParameterFields[static_cast<std::size_t>(i)].line != i + 1) return false;
        return true;
    }(),
    "the table lists the lines in their order");

}  // namespace vesk
