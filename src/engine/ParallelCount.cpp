// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ParallelCount.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "engine/ByteSource.h"
#include "engine/FileChecks.h"
#include "engine/LineScanner.h"
#include "engine/SourceScan.h"

namespace vesk {

namespace {

constexpr std::size_t kTextCheckBytes = 16384;
// A batch holds files up to about this many bytes: enough that merging its table costs little against
// counting it, small enough that the batches spread over the workers.
constexpr std::int64_t kMaxBatchBytes = std::int64_t{8} << 20;
constexpr std::int64_t kMinBatchBytes = std::int64_t{256} << 10;
// How many batches the workers may count ahead of the merge, per worker.
constexpr std::size_t kBatchesAheadPerJob = 2;
// Below the 50 ms promised to observers, so that a late wake-up still keeps the promise.
constexpr auto kProgressInterval = std::chrono::milliseconds(40);
// A first chunk in which more than one word in this many is new reads the rest of its file on one thread.
constexpr std::int64_t kNewWordShare = 8;
std::atomic<std::int64_t> batchBytesForTesting{0};

struct Batch {
    std::size_t first = 0;  // inputs [first, end)
    std::size_t end = 0;
    WordTable table;
    std::vector<CorpusFileOutcome> outcomes;
    // The records of the batch's table after each of its files (its files' words are the records between).
    std::vector<std::int64_t> recordsAfter;
    bool done = false;
};

// Thrown from a worker's read loop once the count is stopped, to leave the file at the next line.
struct StopReading {};

// A worker's read loop reports: the bytes it has read (for the progress of the whole count), the failures of
// lines, and the stop.
class WorkerReports : public SourceObserver {
  public:
    WorkerReports(std::atomic<std::int64_t>& bytes, const std::atomic<bool>& halted, const std::atomic<bool>* stop,
                  CorpusFileOutcome& outcome)
        : m_bytes(bytes), m_halted(halted), m_stop(stop), m_outcome(outcome) {}
    bool Stopped() const {
        return m_halted.load(std::memory_order_relaxed) ||
               (m_stop != nullptr && m_stop->load(std::memory_order_relaxed));
    }
    void OnProgress(std::int64_t bytesRead) override {
        if (Stopped()) throw StopReading{};
        m_bytes.fetch_add(bytesRead - m_last, std::memory_order_relaxed);
        m_last = bytesRead;
    }
    bool OnLineFailure(std::exception_ptr failure) override {
        if (Stopped()) return false;
        m_outcome.lineFailures.push_back(std::move(failure));
        return true;
    }

  private:
    std::atomic<std::int64_t>& m_bytes;
    const std::atomic<bool>& m_halted;
    const std::atomic<bool>* m_stop;
    CorpusFileOutcome& m_outcome;
    std::int64_t m_last = 0;
};

// Items (batches of files, chunks of a file) counted by worker threads in any order and merged by the
// calling thread strictly in order. Workers run at most a few items ahead of the merge, which bounds the
// memory held by tables not yet merged.
template <typename Item>
class OrderedWork {
  public:
    OrderedWork(std::vector<std::unique_ptr<Item>> items, std::size_t jobs)
        : m_items(std::move(items)), m_jobs(std::max<std::size_t>(jobs, 1)) {
        m_workerBytes = std::make_unique<PaddedBytes[]>(m_jobs);
    }
    OrderedWork(const OrderedWork&) = delete;
    OrderedWork& operator=(const OrderedWork&) = delete;
    ~OrderedWork() { Halt(); }

    std::size_t Size() const { return m_items.size(); }
    Item& operator[](std::size_t i) { return *m_items[i]; }

    // Starts the workers on the items from `first` on; `count(item, bytes)` counts one, adding the bytes it
    // reads to `bytes` as it goes.
    template <typename Count>
    void Start(std::size_t first, Count count) {
        m_next = first;
        m_merged = first;
        const std::size_t workers = std::min(m_jobs, m_items.size() - std::min(first, m_items.size()));
        for (std::size_t w = 0; w < workers; ++w) m_workers.emplace_back([this, w, count] { Work(w, count); });
    }

    // Waits for item `i` to be counted, calling `progress()` about every 50 ms meanwhile; false when
    // `stopped()` turned true first.
    template <typename Progress, typename Stopped>
    bool WaitFor(std::size_t i, Progress progress, Stopped stopped) {
        for (;;) {
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                if (m_changed.wait_for(lock, kProgressInterval, [&] { return m_items[i]->done; })) break;
            }
            if (stopped()) return false;
            progress();
        }
        return !stopped();
    }

    // Items before `end` are merged: the workers may count further ahead.
    void MergedUpTo(std::size_t end) {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_merged = end;
        }
        m_changed.notify_all();
    }

    // Ends the count, early or not: workers leave their item within a line and take no other. Joins them.
    void Halt() {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_halted.store(true);
        }
        m_changed.notify_all();
        for (std::thread& worker : m_workers) worker.join();
        m_workers.clear();
    }
    const std::atomic<bool>& Halted() const { return m_halted; }

    // The bytes all workers have read so far.
    std::int64_t BytesRead() const {
        std::int64_t sum = 0;
        for (std::size_t w = 0; w < m_jobs; ++w) sum += m_workerBytes[w].bytes.load(std::memory_order_relaxed);
        return sum;
    }

  private:
    struct alignas(64) PaddedBytes {
        std::atomic<std::int64_t> bytes{0};
    };

    template <typename Count>
    void Work(std::size_t worker, const Count& count) {
        for (;;) {
            Item* item = nullptr;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_changed.wait(lock, [&] {
                    return m_halted.load() || m_next >= m_items.size() ||
                           m_next < m_merged + kBatchesAheadPerJob * m_jobs;
                });
                if (m_halted.load() || m_next >= m_items.size()) return;
                item = m_items[m_next++].get();
            }
            count(*item, m_workerBytes[worker].bytes);
            {
                const std::lock_guard<std::mutex> lock(m_mutex);
                item->done = true;
            }
            m_changed.notify_all();
        }
    }

    std::vector<std::unique_ptr<Item>> m_items;
    std::size_t m_jobs;
    std::unique_ptr<PaddedBytes[]> m_workerBytes;
    std::vector<std::thread> m_workers;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::size_t m_next = 0;    // the next item to count
    std::size_t m_merged = 0;  // items merged so far
    // Set once the count ends, early or not; read by the workers' read loops line by line.
    std::atomic<bool> m_halted{false};
};

void CountFile(const CorpusInput& input, const InputEncoding& encoding, LineScanner& scanner,
               CorpusFileOutcome& outcome, WorkerReports& reports) {
    if (!input.problem.empty()) {
        outcome.problem = input.problem;
        return;
    }
    const int fd = ::open(input.path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        outcome.problem = std::generic_category().message(errno);
        return;
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        outcome.problem = std::generic_category().message(EISDIR);
        return;
    }
    const std::unique_ptr<ByteSource> source = ByteSource::FromDescriptor(fd, encoding);
    if (!source) {
        outcome.problem = "cannot be read";
        return;
    }
    outcome.textKind = TextKindOfBytes(source->Peek(kTextCheckBytes), encoding);
    if (outcome.textKind == kNotText) {
        outcome.problem = "not a text file";
        return;
    }
    scanner.SetOptions(input.options);
    scanner.ResetComments();
    std::string line;
    outcome.readFailure = ScanSource(*source, scanner, line, reports);
}

// Consecutive inputs cut into batches of about `target` bytes each (at least one file).
std::vector<std::unique_ptr<Batch>> MakeBatches(const std::vector<CorpusInput>& inputs, std::int64_t target) {
    std::vector<std::unique_ptr<Batch>> batches;
    std::int64_t bytes = 0;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        if (batches.empty() || bytes >= target) {
            batches.push_back(std::make_unique<Batch>());
            batches.back()->first = i;
            bytes = 0;
        }
        batches.back()->end = i + 1;
        bytes += std::max<std::int64_t>(inputs[i].size, 1);
    }
    return batches;
}

class CorpusCount {
  public:
    CorpusCount(const std::vector<CorpusInput>& inputs, const InputEncoding& encoding, int jobs,
                const std::atomic<bool>* stop)
        : m_inputs(inputs),
          m_encoding(encoding),
          m_stop(stop),
          m_work(MakeBatches(inputs, BatchBytes(inputs, jobs)), static_cast<std::size_t>(std::max(jobs, 1))) {}

    bool Run(WordTable& table, CorpusObserver& observer) {
        m_work.Start(0, [this](Batch& batch, std::atomic<std::int64_t>& bytes) { CountBatch(batch, bytes); });
        const bool whole = Merge(table, observer);
        m_work.Halt();
        return whole;
    }

  private:
    static std::int64_t BatchBytes(const std::vector<CorpusInput>& inputs, int jobs) {
        const std::int64_t forced = batchBytesForTesting.load();
        if (forced > 0) return forced;
        std::int64_t total = 0;
        for (const CorpusInput& input : inputs) total += std::max<std::int64_t>(input.size, 1);
        return std::clamp(total / (std::max<std::int64_t>(jobs, 1) * 8), kMinBatchBytes, kMaxBatchBytes);
    }

    bool Halted() const {
        return m_work.Halted().load(std::memory_order_relaxed) ||
               (m_stop != nullptr && m_stop->load(std::memory_order_relaxed));
    }

    void CountBatch(Batch& batch, std::atomic<std::int64_t>& bytes) {
        LineScanner scanner(batch.table);
        batch.outcomes.resize(batch.end - batch.first);
        for (std::size_t i = batch.first; i < batch.end; ++i) {
            CorpusFileOutcome& outcome = batch.outcomes[i - batch.first];
            try {
                WorkerReports reports(bytes, m_work.Halted(), m_stop, outcome);
                CountFile(m_inputs[i], m_encoding, scanner, outcome, reports);
            } catch (const StopReading&) {
            } catch (...) {
                outcome.readFailure = std::current_exception();
            }
            batch.recordsAfter.push_back(batch.table.DistinctWordCount());
            if (Halted()) return;
        }
    }

    // Merges the batches in order as they are done; false when stopped.
    bool Merge(WordTable& table, CorpusObserver& observer) {
        const auto stopped = [this] { return m_stop != nullptr && m_stop->load(); };
        for (std::size_t b = 0; b < m_work.Size(); ++b) {
            if (!m_work.WaitFor(
                    b, [&] { observer.OnProgress(m_work.BytesRead()); }, stopped))
                return false;
            Batch& batch = m_work[b];
            std::int64_t record = 0;
            for (std::size_t i = batch.first; i < batch.end; ++i) {
                CorpusFileOutcome& outcome = batch.outcomes[i - batch.first];
                outcome.firstRecord = table.DistinctWordCount();
                for (const std::int64_t last = batch.recordsAfter[i - batch.first]; record < last;) {
                    table.AddFrom(batch.table, ++record);
                }
                if (!observer.OnFile(i, outcome)) return false;
            }
            batch.table.Reset();
            m_work.MergedUpTo(b + 1);
            observer.OnProgress(m_work.BytesRead());
        }
        return true;
    }

    const std::vector<CorpusInput>& m_inputs;
    const InputEncoding& m_encoding;
    const std::atomic<bool>* m_stop;
    OrderedWork<Batch> m_work;
};

struct Chunk {
    std::int64_t offset = 0;
    std::int64_t length = 0;
    WordTable table;
    CorpusFileOutcome outcome;
    int endComment = -1;
    ByteEncoding startMode = ByteEncoding::Detect;
    ByteEncoding endMode = ByteEncoding::Detect;
    bool done = false;
};

// Line starts that cut a file into about `pieces` chunks (never a cut inside a line; none when there is no
// LF to cut after).
std::vector<std::int64_t> ChunkStarts(int fd, std::int64_t size, std::int64_t pieces, std::int64_t firstBytes) {
    std::vector<std::int64_t> starts = {0};
    std::vector<char> window(std::size_t{1} << 16);
    for (std::int64_t k = 1; k < pieces; ++k) {
        const std::int64_t first = std::min(firstBytes, size / pieces);
        std::int64_t at = std::max(first + (size - first) / (pieces - 1) * (k - 1), starts.back());
        for (;;) {
            const ssize_t n = ::pread(fd, window.data(), window.size(), at);
            if (n <= 0) return starts;
            const void* lf = std::memchr(window.data(), '\n', static_cast<std::size_t>(n));
            if (lf != nullptr) {
                at += static_cast<const char*>(lf) - window.data() + 1;
                break;
            }
            at += n;
        }
        if (at >= size) break;
        if (at > starts.back()) starts.push_back(at);
    }
    return starts;
}

// Progress and line failures of a part of the file read on the calling thread: the bytes before it (or read
// by the workers meanwhile) are added, and the stop ends the reading.
class CallerReports : public SourceObserver {
  public:
    template <typename BytesElsewhere>
    CallerReports(SourceObserver& to, BytesElsewhere bytesElsewhere, const std::atomic<bool>* stop)
        : m_to(to), m_bytesElsewhere(std::move(bytesElsewhere)), m_stop(stop) {}
    void OnProgress(std::int64_t bytesRead) override {
        if (Stopped()) throw StopReading{};
        m_to.OnProgress(m_bytesElsewhere() + bytesRead);
    }
    bool OnLineFailure(std::exception_ptr failure) override {
        if (Stopped()) return false;
        m_refused = m_refused || !m_to.OnLineFailure(std::move(failure));
        return !m_refused;
    }
    bool Stopped() const { return m_stop != nullptr && m_stop->load(std::memory_order_relaxed); }
    // Whether the observer ended the count after a failed line.
    bool Refused() const { return m_refused; }

  private:
    SourceObserver& m_to;
    std::function<std::int64_t()> m_bytesElsewhere;
    const std::atomic<bool>* m_stop;
    bool m_refused = false;
};

std::int64_t TotalOccurrences(WordTable& table) {
    table.AddPendingCounts();
    std::int64_t total = 0;
    for (std::int64_t r = 1; r <= table.DistinctWordCount(); ++r) total += table.Frequency(r);
    return total;
}

// The first chunk is read on the calling thread straight into the caller's table; then the workers count
// the others, each into a table of its own from an assumed start (outside any comment, the encoding as far
// as known); the calling thread then merges them in order, counting again the rare chunk whose true start
// differs.
class ChunkCount {
  public:
    ChunkCount(int fd, std::int64_t size, const std::vector<std::int64_t>& starts, const InputEncoding& encoding,
               const ScanOptions& options, ByteEncoding mode, int jobs, const std::atomic<bool>* stop)
        : m_stop(stop),
          m_fd(fd),
          m_size(size),
          m_encoding(encoding),
          m_options(options),
          m_mode(mode),
          m_work(Cut(starts, size), static_cast<std::size_t>(std::max(jobs, 1))) {}

    std::exception_ptr Run(WordTable& table, SourceObserver& observer) {
        std::exception_ptr failure;
        try {
            failure = CountFirstAndMerge(table, observer);
        } catch (const StopReading&) {
        } catch (...) {
            failure = std::current_exception();
        }
        m_work.Halt();
        return failure;
    }

  private:
    static std::vector<std::unique_ptr<Chunk>> Cut(const std::vector<std::int64_t>& starts, std::int64_t size) {
        std::vector<std::unique_ptr<Chunk>> chunks;
        for (std::size_t i = 0; i < starts.size(); ++i) {
            chunks.push_back(std::make_unique<Chunk>());
            chunks.back()->offset = starts[i];
            chunks.back()->length = (i + 1 < starts.size() ? starts[i + 1] : size) - starts[i];
        }
        return chunks;
    }

    // Counts `chunk` afresh, starting in the comment `comment` and reading its bytes as `mode` says.
    void CountChunk(Chunk& chunk, int comment, ByteEncoding mode, std::atomic<std::int64_t>& bytes) {
        chunk.table.Reset();
        chunk.outcome = CorpusFileOutcome{};
        chunk.startMode = mode;
        LineScanner scanner(chunk.table);
        scanner.SetOptions(m_options);
        scanner.SetOpenComment(comment);
        const std::unique_ptr<ByteSource> source =
            ByteSource::FromRange(m_fd, chunk.offset, chunk.length, m_encoding, mode);
        WorkerReports reports(bytes, m_work.Halted(), m_stop, chunk.outcome);
        std::string line;
        try {
            chunk.outcome.readFailure = ScanSource(*source, scanner, line, reports);
        } catch (const StopReading&) {
        } catch (...) {
            chunk.outcome.readFailure = std::current_exception();
        }
        chunk.endComment = scanner.OpenComment();
        chunk.endMode = source->RawMode();
    }

    std::int64_t BytesRead() const { return m_work.BytesRead() + m_recountBytes.load(std::memory_order_relaxed); }
    bool Stopped() const { return m_stop != nullptr && m_stop->load(); }

    // Reads the file from `offset` (its end: `length` bytes on) straight into `table` on this thread, from the
    // comment `comment` and in `mode`; leaves the comment and the mode it ends in there.
    std::exception_ptr CountInTurn(std::int64_t offset, std::int64_t length, int& comment, ByteEncoding& mode,
                                   WordTable& table, SourceObserver& observer,
                                   std::function<std::int64_t()> bytesElsewhere) {
        CallerReports reports(observer, std::move(bytesElsewhere), m_stop);
        LineScanner scanner(table);
        scanner.SetOptions(m_options);
        scanner.SetOpenComment(comment);
        const std::unique_ptr<ByteSource> source = ByteSource::FromRange(m_fd, offset, length, m_encoding, mode);
        std::string line;
        std::exception_ptr failure = ScanSource(*source, scanner, line, reports);
        comment = scanner.OpenComment();
        if (mode == ByteEncoding::Detect) mode = source->RawMode();
        m_ended = reports.Refused();
        return failure;
    }

    std::exception_ptr CountFirstAndMerge(WordTable& table, SourceObserver& observer) {
        int comment = -1;
        ByteEncoding mode = m_mode;
        const std::int64_t before = table.DistinctWordCount() == 0 ? 0 : TotalOccurrences(table);
        const std::int64_t firstRecords = table.DistinctWordCount();
        if (std::exception_ptr failure =
                CountInTurn(0, m_work[0].length, comment, mode, table, observer, [this] { return BytesRead(); }))
            return failure;
        if (m_ended || Stopped()) return nullptr;
        // Merging costs about what counting costs when most words are new: a text like that is read on from
        // here on this thread alone. The workers start only once the first chunk has told.
        if (batchBytesForTesting.load() == 0 &&
            (table.DistinctWordCount() - firstRecords) * kNewWordShare > TotalOccurrences(table) - before) {
            const std::int64_t offset = m_work[1].offset;
            return CountInTurn(offset, m_size - offset, comment, mode, table, observer, [offset] { return offset; });
        }
        m_work.Start(1,
                     [this](Chunk& chunk, std::atomic<std::int64_t>& bytes) { CountChunk(chunk, -1, m_mode, bytes); });
        for (std::size_t c = 1; c < m_work.Size(); ++c) {
            if (!m_work.WaitFor(
                    c, [&] { observer.OnProgress(m_work[0].length + BytesRead()); }, [this] { return Stopped(); }))
                return nullptr;
            Chunk& chunk = m_work[c];
            // Counted from the wrong start: inside a comment, or in an encoding an earlier chunk decided
            // otherwise.
            const bool otherMode =
                mode != chunk.startMode && chunk.endMode != ByteEncoding::Detect && chunk.endMode != mode;
            if (comment != -1 || otherMode) {
                m_recountBytes.fetch_sub(chunk.length);
                CountChunk(chunk, comment, mode, m_recountBytes);
            }
            comment = chunk.endComment;
            if (mode == ByteEncoding::Detect) mode = chunk.endMode;
            for (std::int64_t record = 1; record <= chunk.table.DistinctWordCount(); ++record)
                table.AddFrom(chunk.table, record);
            chunk.table.Reset();
            bool goOn = true;
            for (const std::exception_ptr& failure : chunk.outcome.lineFailures)
                goOn = goOn && observer.OnLineFailure(failure);
            if (chunk.outcome.readFailure) return chunk.outcome.readFailure;
            if (!goOn) return nullptr;
            m_work.MergedUpTo(c + 1);
            observer.OnProgress(m_work[0].length + BytesRead());
        }
        return nullptr;
    }

    const std::atomic<bool>* m_stop;
    int m_fd;
    std::int64_t m_size;
    const InputEncoding& m_encoding;
    const ScanOptions& m_options;
    ByteEncoding m_mode;
    std::atomic<std::int64_t> m_recountBytes{0};
    bool m_ended = false;  // the observer ended the count after a failed line
    OrderedWork<Chunk> m_work;
};

}  // namespace

bool CountFileInChunks(int fd, std::int64_t size, const InputEncoding& encoding, const ScanOptions& options, int jobs,
                       WordTable& table, SourceObserver& observer, std::exception_ptr& readFailure,
                       const std::atomic<bool>* stop) {
    const std::int64_t forced = batchBytesForTesting.load();
    if (jobs < 2 || size <= 0 || (forced == 0 && size < kChunkedFileBytes)) return false;
    char first[3] = {};
    const ssize_t n = ::pread(fd, first, sizeof first, 0);
    if (n < 0) return false;
    const DecodingPlan plan = PlanDecoding(std::string_view(first, static_cast<std::size_t>(n)), encoding);
    if (MakeStreamDecoder(plan.kind, encoding.converter) != nullptr) return false;
    const std::int64_t pieces = forced > 0 ? std::max<std::int64_t>(1, size / forced)
                                           : 1 + std::max<std::int64_t>(jobs * 4, size / (std::int64_t{16} << 20));
    // A short first chunk tells soon whether the text is one that merging would not pay for; the rest is cut
    // into a multiple of the jobs, so that the workers end about together.
    const std::vector<std::int64_t> starts = ChunkStarts(fd, size, pieces, forced > 0 ? forced : std::int64_t{1} << 19);
    if (starts.size() < 2) return false;
    ChunkCount count(fd, size, starts, encoding, options, plan.kind, jobs, stop);
    readFailure = count.Run(table, observer);
    return true;
}

void SetBatchBytesForTesting(std::int64_t bytes) { batchBytesForTesting.store(bytes); }

int DefaultJobCount() { return static_cast<int>(std::max(1u, std::thread::hardware_concurrency())); }

bool CountCorpus(const std::vector<CorpusInput>& inputs, const InputEncoding& encoding, int jobs, WordTable& table,
                 CorpusObserver& observer, const std::atomic<bool>* stop) {
    CorpusCount count(inputs, encoding, jobs, stop);
    return count.Run(table, observer);
}

}  // namespace vesk
