// SPDX-License-Identifier: GPL-3.0-or-later
// The common-words reader over arbitrary bytes: the first bytes choose the word-forming options, the rest is
// the file. A file that reads gives distinct lower-case words in key order, and the same set again whether
// it is read by a scanner that has read other files before or by a new one.

#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "ScanOptionsInput.h"
#include "engine/CommonWordsFile.h"
#include "engine/Encoding.h"
#include "engine/Normalisation.h"

namespace {

using namespace vesk;

struct Reader {
    WordTable table;
    LineScanner scanner{table};
    CommonWordSet words;

    bool Read(const std::string& path, const ScanOptions& options) {
        return ReadCommonWordsFile(path, options, scanner, table, words) == nullptr;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader in(data, size);
    const ScanOptions options = fuzz::TakeScanOptions(in);
    const std::string path = fuzz::WriteInputFile(in.rest, "common words.txt");

    static Reader kept;  // as the program keeps its scanner from one reading to the next
    FUZZ_CHECK(kept.Read(path, options));
    const std::vector<std::string>& words = kept.words.Words();
    FUZZ_CHECK(kept.words.Size() == kept.table.DistinctWordCount());
    for (std::size_t i = 0; i < words.size(); ++i) {
        FUZZ_CHECK(!words[i].empty() && Utf8Length(words[i]) <= kMaxWordLength && kept.words.Contains(words[i]));
        FUZZ_CHECK(words[i] == LowerCase(words[i]));
        FUZZ_CHECK(i == 0 || WordKey(words[i - 1]) < WordKey(words[i]));
    }
    Reader fresh;
    FUZZ_CHECK(fresh.Read(path, options) && fresh.words.Words() == words);
    return 0;
}
