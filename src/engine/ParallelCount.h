// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files of a corpus counted on several cores, with the table one count of the files one after the
// other would make.
//
// The files are cut into runs of consecutive files (batches); each batch is counted by one of a few threads
// into a table of its own, and the batches are merged into the caller's table strictly in corpus order on the
// calling thread. A word keeps the display form of its first occurrence and the merged table's records come
// in the order a sequential count would add them, so nothing downstream can tell the two apart. Workers run
// at most a few batches ahead of the merge, which bounds the memory held by tables not yet merged.

#include <atomic>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "engine/Encoding.h"
#include "engine/ScanOptions.h"
#include "engine/SourceScan.h"
#include "engine/WordTable.h"

namespace vesk {

// A file of a corpus to count (never standard input: a worker opens it by its name).
struct CorpusInput {
    std::string path;
    // Why the file is skipped without being read; "" to read it.
    std::string problem;
    std::int64_t size = 0;  // in bytes, for batches and progress; 0 when unknown
    ScanOptions options;    // the options of its scan (its comment markers come from its type)
};

// How the count of one file went, reported in corpus order.
struct CorpusFileOutcome {
    // Why it was skipped ("" when counted): a problem given with the input, a file that cannot be opened or
    // read, a folder, a file that is not text.
    std::string problem;
    std::int16_t textKind = 0;  // of its first bytes (FileChecks), when it was read
    // Lines that failed after they were read; the reading went on after each.
    std::vector<std::exception_ptr> lineFailures;
    // A line that could not be read, which ended the file (its words up to there are merged).
    std::exception_ptr readFailure;
    // The caller's table held this many records before the file's words were merged; the file's new words
    // are the records after it.
    std::int64_t firstRecord = 0;
};

class CorpusObserver {
  public:
    virtual ~CorpusObserver() = default;
    // The bytes of the corpus read so far by all workers; called on the calling thread at least every 50 ms
    // while the count runs.
    virtual void OnProgress(std::int64_t bytesRead) { (void)bytesRead; }
    // File `index` of the inputs has been merged into the table (or skipped); called on the calling thread,
    // in corpus order. False stops the count: no later file is merged.
    virtual bool OnFile(std::size_t index, const CorpusFileOutcome& outcome) {
        (void)index;
        (void)outcome;
        return true;
    }
};

// The number of threads a count uses by default: one per processor the system reports (at least one).
int DefaultJobCount();

// Counts `inputs` into `table` (empty, or holding the words of files before them; left unfinished) with up to
// `jobs` worker threads, reading each file with `encoding` as a count of one file does. `stop`, when given,
// is read often by every worker: once it is set the count ends within a line of each worker, and no further
// file is merged. Returns false when the count was stopped (by `stop` or by the observer).
bool CountCorpus(const std::vector<CorpusInput>& inputs, const InputEncoding& encoding, int jobs, WordTable& table,
                 CorpusObserver& observer, const std::atomic<bool>* stop = nullptr);

// Files from this size on are counted in chunks when more than one job is asked for.
inline constexpr std::int64_t kChunkedFileBytes = std::int64_t{4} << 20;

// Counts the open regular file `fd` of `size` bytes into `table` (left unfinished) as a count of it through
// `scanner`'s options would, in chunks cut at line starts counted on up to `jobs` threads: each chunk is
// counted as if it started outside any comment and in the file's encoding as far as known, and the rare chunk
// whose true start (the end of the chunk before) differs is counted again from there. The observer hears the
// progress (on the calling thread, at least every 50 ms) and the failed lines in file order; a line that
// cannot be read ends the count and is returned. Returns false, having counted nothing, when the file cannot
// be cut (a file under kChunkedFileBytes, an encoding decoded in blocks, no line end to cut at): the caller
// then counts it whole. `stop` works as for CountCorpus: once set, no further chunk is merged.
bool CountFileInChunks(int fd, std::int64_t size, const InputEncoding& encoding, const ScanOptions& options, int jobs,
                       WordTable& table, SourceObserver& observer, std::exception_ptr& readFailure,
                       const std::atomic<bool>* stop = nullptr);

// Tests only: batches and chunks of about `bytes` each (0: the sizes the count chooses), so that small
// corpora and files are spread over the workers too.
void SetBatchBytesForTesting(std::int64_t bytes);

}  // namespace vesk
