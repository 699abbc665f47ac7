// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A started program over a scripted platform whose per-user folder lives in a fresh temporary folder.

#include <string>
#include <vector>

#include "settings/ParameterFile.h"
#include "support/ProgramFixture.h"

namespace vesk::test {

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
    // Writes the set as a parameter file of the test folder; returns its path.
    std::string WriteSet(const ParameterSet& set, const std::string& name = "test.vesk") {
        const std::string path = PathOf(name);
        EXPECT_EQ(WriteParameterFile(path, set), "");
        return path;
    }
    std::filesystem::path stateFile = folder / "config" / "Kestrine Systems" / "vesk.usr";
};

}  // namespace vesk::test
