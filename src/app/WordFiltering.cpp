// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <charconv>
#include <string>

#include "app/MainWindow.h"
#include "engine/WordFilters.h"
#include "params/ParamsWindow.h"

namespace vesk {

void MainWindow::ApplyFilters() {
    const ParamsWindow& p = *frmParams;
    FilterOptions options;
    if (p.chkIgnoreInfrequentWords.Value() == 1) options.minFrequency = p.cboThresholdFrequency.ListIndex() + 2;
    if (p.chkIgnoreShortWords.Value() == 1)
        options.minLength = static_cast<std::size_t>(std::max(0, p.cboShortWordSize.ListIndex() + 2));
    // An unselected or unreadable list must not exclude every word: words are never longer than 80.
    const std::string longText = p.cboLongWordSize.Text();
    std::from_chars(longText.data(), longText.data() + longText.size(), options.maxLength);
    options.wordsToIgnore = strWordsToIgnore;
    options.ignoreCommonWords = p.chkIgnoreCommonWords.Value() == 1;
    options.ignoreRepetitions = p.chkIgnoreRepetitions.Value() == 1;
    options.ignoreRomanNumerals = p.chkIgnoreRomNum40.Value() == 1;
    options.ignoreNoVowel = p.chkIgnoreNoVowelOrY.Value() == 1;
    MarkListedWords(Table, options, CommonWords);
}

}  // namespace vesk
