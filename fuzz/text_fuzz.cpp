// SPDX-License-Identifier: GPL-3.0-or-later
// The program-text reader over arbitrary bytes: reading the file and loading its bytes agree; a load either
// succeeds with the number of its texts or gives a code that has a message, and a load that fails adds
// nothing; loading the same bytes again gives the same code; a text missing in a language falls back to
// language 0.

#include "FuzzSupport.h"
#include "engine/Encoding.h"
#include "text/ProgramText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ProgramText text, fromFile;
    const std::int32_t code = text.LoadBytes(bytes);
    FUZZ_CHECK(ProgramTextLoadMessage(code, "path").empty() == (code > 0));
    FUZZ_CHECK(fromFile.Load(fuzz::WriteInputFile(bytes, "text")) == code && text.LoadBytes(bytes) == code);
    for (std::int16_t number : {1, 2, 7, 100, 1000, 32767}) {
        const std::string base = text.Text(number);
        FUZZ_CHECK(Utf8Length(base) <= 1024 && (code > 0 || base.empty()) && fromFile.Text(number) == base);
        for (std::int16_t language = 1; language < 6; ++language) {
            text.SetLanguage(language);
            FUZZ_CHECK(Utf8Length(text.Text(number)) <= 1024 && (base.empty() || !text.Text(number).empty()));
        }
        text.SetLanguage(0);
    }
    return 0;
}
