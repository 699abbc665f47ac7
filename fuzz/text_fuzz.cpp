// The program-text reader over arbitrary bytes: a load either succeeds with the number of its texts or gives
// a code that has a message; loading the same file again gives the same code, and no text is longer than
// the reader allows.

#include <string>

#include "FuzzSupport.h"
#include "text/ProgramText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    const std::string path = fuzz::WriteInputFile(std::string_view(reinterpret_cast<const char*>(data), size), "text");
    ClearTextTable();
    const std::int32_t code = LoadTextTable(path);
    FUZZ_CHECK(ProgramTextLoadMessage(code, path).empty() == (code > 0));
    FUZZ_CHECK(LoadTextTable(path) == code);

    // Every key the file could name: at most 4096 characters each, and a language falls back to language 0.
    static char buffer[4097];
    for (std::int16_t number : {1, 2, 7, 100, 1000, 32767}) {
        const std::int32_t base = LookUpText(number, 0, buffer, sizeof buffer, true);
        FUZZ_CHECK(base >= 0 && base <= 4096);
        for (std::int16_t language = 1; language < 6; ++language) {
            const std::int32_t length = LookUpText(number, language, buffer, sizeof buffer, true);
            FUZZ_CHECK(length >= 0 && length <= 4096 && (base == 0 || length > 0));
        }
    }
    return 0;
}
