// SPDX-License-Identifier: GPL-3.0-or-later
// Partial counts of arbitrary bytes: a part that is read writes back to bytes that read as the same part, and
// merged with itself under other file indexes it gives each of its keys twice its count.

#include <sstream>

#include "FuzzSupport.h"
#include "engine/PartialCount.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    PartialCount part;
    if (!ReadPartialCount(in, part).empty()) return 0;
    std::stringstream written;
    WritePartialCount(written, part);
    PartialCount back;
    FUZZ_CHECK(ReadPartialCount(written, back).empty());
    FUZZ_CHECK(back.options == part.options && back.files.size() == part.files.size() &&
               back.words.size() == part.words.size());

    PartialCount moved = part;
    for (PartFile& f : moved.files) f.index += 1000000;
    for (PartWord& w : moved.words) w.place.file += 1000000;
    WordTable once, twice;
    CountParts({part}, once);
    CountParts({part, moved}, twice);
    FUZZ_CHECK(once.DistinctWordCount() == twice.DistinctWordCount());
    for (std::int64_t r = 1; r <= once.DistinctWordCount(); ++r)
        FUZZ_CHECK(twice.Frequency(r) == 2 * once.Frequency(r) && twice.Word(r) == once.Word(r));
    return 0;
}
