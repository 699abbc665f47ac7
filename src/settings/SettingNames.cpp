// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingNames.h"

namespace vesk {

namespace {

enum class Kind { Text, Flag, Number, Order };

// A named parameter: its field and how its value reads. A list's value is `base + step * index`, the item
// the list shows at that index, computed as the filters compute it.
struct NamedField {
    const char* name;
    Kind kind;
    std::string ParameterSet::*text = nullptr;
    int ParameterSet::*number = nullptr;
    int base = 0;
    int step = 1;
};

constexpr NamedField Text(const char* name, std::string ParameterSet::*text) { return {name, Kind::Text, text}; }
constexpr NamedField Flag(const char* name, int ParameterSet::*number) { return {name, Kind::Flag, nullptr, number}; }
constexpr NamedField Number(const char* name, int ParameterSet::*number, int base, int step) {
    return {name, Kind::Number, nullptr, number, base, step};
}

using P = ParameterSet;
constexpr NamedField kNamedFields[] = {
    Text("input_file", &P::inputFile),
    Flag("case_significant", &P::caseSignificant),
    Flag("drop_final_s", &P::dropFinalS),
    Flag("allow_hyphens", &P::allowHyphens),
    Flag("allow_apostrophes", &P::allowApostrophes),
    Flag("allow_underscores", &P::allowUnderscores),
    Flag("allow_colons", &P::allowColons),
    Flag("allow_backslashes", &P::allowBackslashes),
    Flag("allow_forward_slashes", &P::allowForwardSlashes),
    Flag("allow_periods", &P::allowPeriods),
    Flag("allow_at_signs", &P::allowAtSigns),
    Flag("allow_numerals", &P::allowNumerals),
    Flag("use_comment_markers", &P::allowCommentMarkers),
    Text("comment_start_1", &P::commentStart1),
    Text("comment_end_1", &P::commentEnd1),
    Text("comment_start_2", &P::commentStart2),
    Text("comment_end_2", &P::commentEnd2),
    Flag("ignore_short_words", &P::ignoreShortWords),
    Number("min_length", &P::shortWordSize, 2, 1),
    Flag("ignore_infrequent_words", &P::ignoreInfrequentWords),
    Number("min_frequency", &P::thresholdFrequency, 2, 1),
    Number("max_length", &P::longWordSize, 20, 10),
    Text("words_to_ignore", &P::wordsToIgnore),
    Flag("ignore_common_words", &P::ignoreCommonWords),
    Text("common_words_file", &P::commonWordsFile),
    Flag("ignore_repetitions", &P::ignoreRepetitions),
    Flag("ignore_roman_numerals", &P::ignoreRomanNumerals),
    Flag("ignore_no_vowel", &P::ignoreNoVowel),
    {"word_order", Kind::Order, nullptr, &P::wordOrder},
    Number("display_format", &P::displayFormat, 0, 1),
};

}  // namespace

std::vector<std::pair<std::string, SettingValue>> NamedSettings(const ParameterSet& set) {
    std::vector<std::pair<std::string, SettingValue>> settings;
    settings.reserve(std::size(kNamedFields));
    for (const NamedField& field : kNamedFields) {
        SettingValue value;
        switch (field.kind) {
            case Kind::Text:
                value = set.*field.text;
                break;
            case Kind::Flag:
                value = set.*field.number == 1;
                break;
            case Kind::Number:
                value = std::int64_t{field.base} + std::int64_t{field.step} * (set.*field.number);
                break;
            case Kind::Order:
                value = std::string(set.*field.number == 1 ? "alphabetical" : "frequency");
                break;
        }
        settings.emplace_back(field.name, std::move(value));
    }
    return settings;
}

}  // namespace vesk
