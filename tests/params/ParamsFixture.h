#pragma once
// A started program over a scripted platform whose per-user folder lives in a fresh temporary folder.

#include <sstream>
#include <string>
#include <vector>

#include "support/ProgramFixture.h"

namespace vesk::test {

// The lines joined, each ended by CR LF.
inline std::string CrLfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

// The 37 lines of the file saved right after the defaults, with nothing named.
inline std::vector<std::string> DefaultLines() {
    return {"\"\"", "\"\"", "\"\"", "\"/*\"", "\"*/\"", "\"//\"", "\"\"", "1", "3", "0", "0",   "0", "0",
            "1",    "1",    "1",    "0",      "1",      "1",      "0",    "0", "0", "0", "0",   "0", "0",
            "0",    "0",    "0",    "0",      "1",      "1",      "0",    "0", "0", "0", "\"\""};
}

// The names in a text, separated by blanks.
inline std::vector<std::string> Names(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> names;
    for (std::string name; in >> name;) names.push_back(name);
    return names;
}

class ProgramTest : public ProgramFixture<> {
  protected:
    void Start() {
        ProgramFixture::Start();
        ASSERT_TRUE(main.blnStartUpCompleted);
    }
    // Every check box of the parameters window.
    std::vector<CheckBox*> AllCheckBoxes() {
        ParamsWindow& p = params;
        return std::vector<CheckBox*>({&p.chkCaseSignificant,
                                       &p.chkDropFinalS,
                                       &p.chkAllowWordsWithHyphens,
                                       &p.chkAllowWordsWithApostrophes,
                                       &p.chkAllowWordsWithUnderscores,
                                       &p.chkAllowWordsWithColons,
                                       &p.chkAllowWordsWithBackslashes,
                                       &p.chkAllowWordsWithForwardslashes,
                                       &p.chkAllowWordsWithPeriods,
                                       &p.chkAllowWordsWithAtSigns,
                                       &p.chkAllowWordsWithNumerals,
                                       &p.chkAllowCommentMarkers,
                                       &p.chkIgnoreRepetitions,
                                       &p.chkIgnoreRomNum40,
                                       &p.chkIgnoreNoVowelOrY,
                                       &p.chkIgnoreShortWords,
                                       &p.chkIgnoreInfrequentWords,
                                       &p.chkIgnoreCommonWords,
                                       &p.chkOutputWithCommas,
                                       &p.chkWarnOnOverwrite,
                                       &p.chkSaveStateOnQuit});
    }
    std::filesystem::path stateFile = folder / "config" / "Kestrine Systems" / "vesk.usr";
};

}  // namespace vesk::test
