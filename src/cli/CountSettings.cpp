// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CountSettings.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <ostream>

#include "engine/CountRules.h"
#include "listing/RunError.h"
#include "listing/RunTexts.h"
#include "settings/ParameterFile.h"

namespace vesk::cli {

namespace {

// The index of a display format given as its number or its name, or -1.
int FormatIndex(const std::string& format) {
    if (!format.empty() && format.find_first_not_of("0123456789") == std::string::npos) return std::stoi(format);
    for (std::size_t i = 0; i < kDisplayFormatNames.size(); ++i)
        if (format == kDisplayFormatNames[i]) return static_cast<int>(i);
    return -1;
}

// The check boxes of the characters allowed in words, in the order of kAllowNames.
constexpr int ParameterSet::*kAllowBoxes[9] = {
    &ParameterSet::allowHyphens, &ParameterSet::allowApostrophes, &ParameterSet::allowUnderscores,
    &ParameterSet::allowColons,  &ParameterSet::allowBackslashes, &ParameterSet::allowForwardSlashes,
    &ParameterSet::allowPeriods, &ParameterSet::allowAtSigns,     &ParameterSet::allowNumerals};

struct ShapingField {
    const char* name;
    int ParameterSet::*number;
    std::string ParameterSet::*text;
};
constexpr ShapingField kShapingFields[] = {
    {"case-significant", &ParameterSet::caseSignificant, nullptr},
    {"drop-final-s", &ParameterSet::dropFinalS, nullptr},
    {"comment-markers", &ParameterSet::allowCommentMarkers, nullptr},
    {"comment-start-1", nullptr, &ParameterSet::commentStart1},
    {"comment-end-1", nullptr, &ParameterSet::commentEnd1},
    {"comment-start-2", nullptr, &ParameterSet::commentStart2},
    {"comment-end-2", nullptr, &ParameterSet::commentEnd2},
};

// A parameter file replaces every value; the list of words to ignore is tidied as its case value says.
bool LoadParameterFile(const std::string& path, ParameterSet& set, Reporter& reporter) {
    ParameterSet loaded;
    if (std::string failure = ReadParameterFile(path, loaded, FileLine("Parameter file", path)); !failure.empty()) {
        reporter.Error(failure);
        return false;
    }
    set = loaded;
    set.wordsToIgnore = TidyIgnoreList(set.wordsToIgnore, set.caseSignificant == 0);
    if (set.outputFile.empty()) set.disableOutputToFile = 0;
    return true;
}

void ApplyWordOptions(const CountOptions& o, ParameterSet& set) {
    if (o.caseSignificant) set.caseSignificant = 1;
    if (o.keepFinalS) set.dropFinalS = 0;
    if (o.allow)
        for (std::size_t i = 0; i < 9; ++i) set.*kAllowBoxes[i] = (*o.allow)[i] ? 1 : 0;
    if (o.comments) {
        const std::array<std::string, 2> none;
        const auto& second = o.comments2 ? *o.comments2 : none;
        set.allowCommentMarkers = 1;
        set.commentStart1 = (*o.comments)[0];
        set.commentEnd1 = (*o.comments)[1];
        set.commentStart2 = second[0];
        set.commentEnd2 = second[1];
    }
}

void ApplyFilterOptions(const CountOptions& o, ParameterSet& set) {
    if (o.minLength) {
        set.ignoreShortWords = 1;
        set.shortWordSize = *o.minLength - 2;
    }
    if (o.minFrequency) {
        set.ignoreInfrequentWords = 1;
        set.thresholdFrequency = *o.minFrequency - 2;
    }
    if (o.maxLength) set.longWordSize = (*o.maxLength - 20) / 10;
    if (o.keepRepetitions) set.ignoreRepetitions = 0;
    if (o.keepRoman) set.ignoreRomanNumerals = 0;
    if (o.keepNoVowel) set.ignoreNoVowel = 0;
    // After the case option, which the tidying of the list follows.
    if (o.ignore) set.wordsToIgnore = TidyIgnoreList(*o.ignore, set.caseSignificant == 0);
    if (o.commonWordsFile) {
        set.commonWordsFile = *o.commonWordsFile;
        set.ignoreCommonWords = 1;
    }
}

void ApplyShaping(const WordShaping& shaping, ParameterSet& set) {
    for (const auto& [name, value] : shaping) {
        for (const ShapingField& f : kShapingFields) {
            if (name != f.name) continue;
            if (f.number != nullptr) set.*f.number = std::atoi(value.c_str());
            if (f.text != nullptr) set.*f.text = value;
        }
        for (std::size_t i = 0; i < kAllowNames.size(); ++i)
            if (name == std::string("allow-") + kAllowNames[i]) set.*kAllowBoxes[i] = std::atoi(value.c_str());
    }
}

}  // namespace

WordShaping WordShapingOf(const ParameterSet& set, const std::string& encoding) {
    WordShaping shaping;
    for (const ShapingField& f : kShapingFields)
        shaping.emplace_back(f.name, f.number != nullptr ? std::to_string(set.*f.number) : set.*f.text);
    for (std::size_t i = 0; i < kAllowNames.size(); ++i)
        shaping.emplace_back(std::string("allow-") + kAllowNames[i], std::to_string(set.*kAllowBoxes[i]));
    shaping.emplace_back("encoding", encoding);
    return shaping;
}

int UsageError(std::ostream& err, const std::string& problem) {
    err << "vesk-count: " << problem << '\n' << kUsageLine << '\n' << "Try 'vesk-count --help' for more information.\n";
    return kExitUsage;
}

int ApplyOptions(const CountOptions& o, ParameterSet& set, Reporter& reporter, std::ostream& err,
                 const WordShaping* shaping) {
    if (o.paramsFile && !LoadParameterFile(*o.paramsFile, set, reporter)) return kExitFailure;
    // As the options of the count that made the parts did, after the parameter file.
    if (shaping != nullptr) ApplyShaping(*shaping, set);
    if (o.outputFile) {
        set.outputFile = *o.outputFile;
        set.disableOutputToFile = 0;
    }
    if (o.order) set.wordOrder = *o.order;
    if (o.format) {
        const int index = FormatIndex(*o.format);
        if (index < 0) return UsageError(err, "unknown display format '" + *o.format + "'");
        set.displayFormat = index;
    }
    if (o.commas) set.outputWithCommas = 1;
    ApplyWordOptions(o, set);
    ApplyFilterOptions(o, set);
    return kExitSuccess;
}

AllowedCharacters AllowedOf(const ParameterSet& set) {
    AllowedCharacters a;
    a.hyphens = set.allowHyphens == 1;
    a.apostrophes = set.allowApostrophes == 1;
    a.underscores = set.allowUnderscores == 1;
    a.colons = set.allowColons == 1;
    a.backslashes = set.allowBackslashes == 1;
    a.forwardslashes = set.allowForwardSlashes == 1;
    a.periods = set.allowPeriods == 1;
    a.atsigns = set.allowAtSigns == 1;
    a.numerals = set.allowNumerals == 1;
    return a;
}

ScanOptions ScanOptionsOf(const ParameterSet& set, const CommentMarkers& markers) {
    ScanOptions options;
    options.allowed = AllowedOf(set);
    options.lowerCase = set.caseSignificant != 1;
    options.dropFinalS = set.dropFinalS == 1;
    options.apostrophesAllowed = set.allowApostrophes == 1;
    options.underscoresStartWords = set.allowUnderscores == 1;
    options.userMarkersAllowed = set.allowCommentMarkers == 1;
    options.markers = markers;
    return options;
}

CommentMarkers UserMarkersOf(const ParameterSet& set) {
    CommentMarkers markers;
    markers.starts = {set.commentStart1, set.commentStart2};
    markers.ends = {set.commentEnd1, set.commentEnd2};
    return markers;
}

FilterOptions FilterOptionsOf(const ParameterSet& set) {
    FilterOptions options;
    if (set.ignoreInfrequentWords == 1) options.minFrequency = set.thresholdFrequency + 2;
    if (set.ignoreShortWords == 1) options.minLength = static_cast<std::size_t>(std::max(0, set.shortWordSize + 2));
    const int longest = 20 + 10 * set.longWordSize;  // the list holds 20, 30 .. 80
    options.maxLength = static_cast<std::size_t>(longest);
    options.wordsToIgnore = IgnoreListForFilters(set.wordsToIgnore);
    options.ignoreCommonWords = set.ignoreCommonWords == 1;
    options.ignoreRepetitions = set.ignoreRepetitions == 1;
    options.ignoreRomanNumerals = set.ignoreRomanNumerals == 1;
    options.ignoreNoVowel = set.ignoreNoVowel == 1;
    return options;
}

}  // namespace vesk::cli
