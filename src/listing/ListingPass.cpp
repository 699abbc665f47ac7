// SPDX-License-Identifier: GPL-3.0-or-later
#include "listing/ListingPass.h"

namespace vesk {

std::int64_t ScrollInterval(std::int64_t distinctWordCount) {
    std::int64_t interval = distinctWordCount / 10;
    const std::int64_t rest = distinctWordCount % 10;
    if (rest > 5 || (rest == 5 && interval % 2 == 1)) ++interval;
    return interval < 10 ? 10 : interval;
}

bool RunListingPass(const WordTable& table, std::int64_t frequencyChainHead, WordOrder order,
                    const LineComposer& composer, ListingSink& sink, const PassControl& control) {
    const std::int64_t interval = ScrollInterval(table.DistinctWordCount());
    if (composer.HasHeading()) sink.Send(0, composer.Heading());
    std::string line;  // one buffer for every line

    auto yieldAndCheck = [&] {
        if (control.pump) control.pump();
        return control.shouldStop && control.shouldStop();
    };

    if (order == WordOrder::Alphabetical) {
        for (std::int64_t r = 1; r <= table.DistinctWordCount(); ++r) {
            if (table.IsListed(r)) {
                composer.LineInto(table.Record(r), line);
                sink.Send(r, line);
                if (r % interval == 0) sink.FollowEnd();
            }
            if (yieldAndCheck()) return r >= table.DistinctWordCount();
        }
        return true;
    }

    std::int64_t current = frequencyChainHead;
    const std::int64_t listed = table.Statistics().listedWordCount;
    for (std::int64_t k = 1; k <= listed; ++k) {
        if (current < 1 || current > table.DistinctWordCount()) break;
        const WordRecord record = table.Record(current);
        composer.LineInto(record, line);
        sink.Send(current, line);
        if (k % interval == 0) sink.FollowEnd();
        const std::int64_t next = record.nextByFrequency;
        if (yieldAndCheck()) return k == listed;
        current = next;
    }
    return true;
}

}  // namespace vesk
