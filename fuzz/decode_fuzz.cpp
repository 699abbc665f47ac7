// SPDX-License-Identifier: GPL-3.0-or-later
// Input files of arbitrary bytes in the encodings the reader knows, the first byte choosing one: every line
// read is well-formed UTF-8 without a line end, the bytes consumed only grow and end at the file's size, and
// the text check says something of every file.

#include <memory>

#include "FuzzSupport.h"
#include "engine/ByteSource.h"
#include "engine/Encoding.h"
#include "engine/FileChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    static const char* const kNames[] = {"",         "UTF-8",  "windows-1252", "UTF-16LE",
                                         "UTF-16BE", "UTF-16", "koi8-r",       "Shift_JIS"};
    fuzz::InputReader input(data, size);
    InputEncoding encoding;
    FUZZ_CHECK(EncodingOfName(kNames[input.Byte() % std::size(kNames)], encoding));
    const std::string path = fuzz::WriteInputFile(input.rest, "decode");

    const std::int16_t kind = TextKindOfBytes(input.rest.substr(0, 16384), encoding);
    FUZZ_CHECK(kind >= kNotText && kind <= kTextCrOnly);
    std::string error;
    const std::unique_ptr<ByteSource> source = ByteSource::OpenFile(path, error, nullptr, encoding);
    FUZZ_CHECK(source != nullptr);
    std::int64_t consumed = 0;
    for (std::string line; source->ReadLine(line);) {
        FUZZ_CHECK(IsValidUtf8(line) && line.find_first_of("\r\n") == std::string::npos);
        FUZZ_CHECK(source->BytesConsumed() >= consumed);
        consumed = source->BytesConsumed();
    }
    FUZZ_CHECK(source->BytesConsumed() == static_cast<std::int64_t>(input.rest.size()));
    return 0;
}
