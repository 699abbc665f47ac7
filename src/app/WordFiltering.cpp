#include <algorithm>
#include <charconv>
#include <string>
#include <unordered_set>

#include "app/MainWindow.h"
#include "engine/CharClasses.h"
#include "engine/WordFilters.h"
#include "params/ParamsWindow.h"

namespace vesk {

void MainWindow::ApplyFilters() {
    const ParamsWindow& p = *frmParams;
    const bool infrequent = p.chkIgnoreInfrequentWords.Value() == 1;
    const std::int64_t threshold = p.cboThresholdFrequency.ListIndex() + 2;
    const bool shortWords = p.chkIgnoreShortWords.Value() == 1;
    const std::size_t shortSize = static_cast<std::size_t>(std::max(0, p.cboShortWordSize.ListIndex() + 2));
    // An unselected or unreadable list must not exclude every word: words are never longer than 80.
    std::size_t longSize = kMaxWordLength;
    const std::string longText = p.cboLongWordSize.Text();
    std::from_chars(longText.data(), longText.data() + longText.size(), longSize);
    const bool common = p.chkIgnoreCommonWords.Value() == 1 && CommonWordCount() > 0;
    const bool repetitions = p.chkIgnoreRepetitions.Value() == 1;
    const bool roman = p.chkIgnoreRomNum40.Value() == 1;
    const bool noVowel = p.chkIgnoreNoVowelOrY.Value() == 1;

    // The same answers as a search of the whole list, at the cost of one lookup per word.
    std::unordered_set<std::string_view> commonSet;
    if (common)
        for (std::size_t i = 1; i < CommonWords.size(); ++i) commonSet.insert(CommonWords[i]);

    std::string lowered;
    for (std::int64_t i = 1; i <= Table.DistinctWordCount(); ++i) {
        WordRecord& record = Table.Record(i);
        const std::string& word = record.Word;
        record.Listed = false;
        if (infrequent && record.Frequency < threshold) continue;
        if (shortWords && word.size() < shortSize) continue;
        if (word.size() > longSize) continue;
        lowered = word;
        LowerCaseInPlace(lowered);
        lowered += ',';
        if (strWordsToIgnore.find(lowered) != std::string::npos) continue;
        lowered.pop_back();
        if (common && commonSet.contains(lowered)) continue;
        if (repetitions && IsRepetition(word)) continue;
        if (roman && IsRomanNumeralBelow40(word)) continue;
        if (noVowel && HasNoVowelOrY(word)) continue;
        record.Listed = true;
    }
}

}  // namespace vesk
