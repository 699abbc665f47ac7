// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/SourceScan.h"

#include "engine/CharClasses.h"

namespace vesk {

std::exception_ptr ScanSource(ByteSource& source, LineScanner& scanner, std::string& line, SourceObserver& observer) {
    for (;;) {
        try {
            if (!source.ReadLine(line)) return nullptr;
        } catch (...) {
            // A line that cannot be read cannot be skipped either: the count ends incomplete.
            return std::current_exception();
        }
        bool goOn = true;
        try {
            observer.OnProgress(source.BytesConsumed());
            TrimSpacesInPlace(line);
            if (line.empty()) continue;
            line.push_back(' ');
            goOn = scanner.ScanLine(line);
        } catch (...) {
            goOn = observer.OnLineFailure(std::current_exception());
        }
        if (!goOn) return nullptr;
    }
}

}  // namespace vesk
