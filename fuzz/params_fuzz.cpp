// The parameter-file reader over arbitrary bytes: the first 37 bytes choose the form of each line (and the
// size of a list), the rest is the file. A file that fails leaves the values as they were; a file that reads
// is written back from its values, and that file reads back to the same values and writes the same bytes.

#include <string>

#include "FuzzSupport.h"
#include "params/ParameterFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    fuzz::InputReader in(data, size);
    FieldSpecs specs;
    for (FieldSpec& spec : specs) {
        const std::uint8_t b = in.Byte();
        spec = {static_cast<FieldForm>(b % 4), b / 4 % 16};
    }
    const std::string path = fuzz::WriteInputFile(in.Rest(), "params");

    ParameterValues values;
    values[0].text = "untouched";
    const ParameterValues before = values;
    const std::string failure = ReadParameterFile(path, specs, values);
    if (!failure.empty()) {
        FUZZ_CHECK(values == before);
        return 0;
    }
    for (std::size_t i = 0; i < specs.size(); ++i) {
        const int n = values[i].number;
        if (specs[i].form == FieldForm::CheckBox) FUZZ_CHECK(n >= 0 && n <= 2);
        if (specs[i].form == FieldForm::ListIndex) FUZZ_CHECK(n >= -1 && n < specs[i].listSize);
    }

    std::string bytes;
    FUZZ_CHECK(FormatParameterFile(specs, values, bytes).empty());
    ParameterValues again;
    FUZZ_CHECK(ReadParameterFile(fuzz::WriteInputFile(bytes, "params-again"), specs, again).empty());
    FUZZ_CHECK(again == values);
    std::string bytesAgain;
    FUZZ_CHECK(FormatParameterFile(specs, again, bytesAgain).empty() && bytesAgain == bytes);
    return 0;
}
