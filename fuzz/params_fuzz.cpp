// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter-file reader over arbitrary bytes. Reading the file and parsing its bytes agree; a file that
// fails leaves the set as it was; a file that reads holds values in range, and the set written back reads
// back to the same set and writes the same bytes.

#include "FuzzSupport.h"
#include "settings/ParameterFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ParameterSet set;
    set.inputFile = "untouched";
    const ParameterSet before = set;
    const std::string failure = ParseParameterFile(bytes, set);
    ParameterSet fromFile = before;
    FUZZ_CHECK(ReadParameterFile(fuzz::WriteInputFile(bytes, "params"), fromFile) == failure && fromFile == set);
    if (!failure.empty()) return FUZZ_CHECK(set == before), 0;
    for (const ParameterField& f : kParameterFields) {
        if (f.form == FieldForm::CheckBox) FUZZ_CHECK(set.*f.number >= 0 && set.*f.number <= 2);
        if (f.form == FieldForm::ListIndex) FUZZ_CHECK(set.*f.number >= -1 && set.*f.number < f.listSize);
    }
    std::string written, writtenAgain;
    ParameterSet again;
    FUZZ_CHECK(FormatParameterFile(set, written).empty() && ParseParameterFile(written, again).empty() && again == set);
    FUZZ_CHECK(FormatParameterFile(again, writtenAgain).empty() && writtenAgain == written);
    return 0;
}
