// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/CommonWordsFile.h"

#include <memory>
#include <system_error>

#include "engine/ByteSource.h"
#include "engine/CharClasses.h"
#include "engine/FileChecks.h"

namespace vesk {

namespace {
constexpr std::int64_t kTextCheckLimit = 16384;
}  // namespace

CommonWordsFileCheck CheckCommonWordsFile(const std::string& path, const InputEncoding& encoding) {
    CommonWordsFileCheck check;
    check.problem = RegularFileError(path);
    if (check.problem == 0) check.kind = IsTextFile(path, kTextCheckLimit, encoding);
    return check;
}

std::exception_ptr ReadCommonWordsFile(const std::string& path, ScanOptions options, LineScanner& scanner,
                                       WordTable& table, CommonWordSet& words, const InputEncoding& encoding) {
    table.Reset();
    // The flag of the set in force stays as it was: it means nothing to the markers of C sources.
    const bool fromFileType = options.markers.fromFileType;
    options.markers = CodeMarkers();
    options.markers.fromFileType = fromFileType;
    options.userMarkersAllowed = true;
    options.lowerCase = false;
    scanner.ResetComments();
    scanner.SetOptions(options);
    try {
        std::string error;
        int number = 0;
        const auto source = ByteSource::OpenFile(path, error, &number, encoding);
        if (!source) throw std::system_error(number, std::generic_category());
        std::string line;
        while (source->ReadLine(line)) {
            TrimSpacesInPlace(line);
            if (line.empty()) continue;
            LowerCaseInPlace(line);
            line += ' ';
            scanner.ScanLine(line);
        }
        table.Finish();
        words = CommonWordSet::FromTable(table);
        return nullptr;
    } catch (...) {
        table.Finish();
        return std::current_exception();
    }
}

}  // namespace vesk
