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
constexpr auto kProgressInterval = std::chrono::milliseconds(50);
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
    std::int64_t Last() const { return m_last; }

  private:
    std::atomic<std::int64_t>& m_bytes;
    const std::atomic<bool>& m_halted;
    const std::atomic<bool>* m_stop;
    CorpusFileOutcome& m_outcome;
    std::int64_t m_last = 0;
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
        : m_inputs(inputs), m_encoding(encoding), m_jobs(static_cast<std::size_t>(std::max(jobs, 1))), m_stop(stop) {
        std::int64_t total = 0;
        for (const CorpusInput& input : inputs) total += std::max<std::int64_t>(input.size, 1);
        const std::int64_t target =
            std::clamp(total / static_cast<std::int64_t>(m_jobs * 8), kMinBatchBytes, kMaxBatchBytes);
        const std::int64_t forced = batchBytesForTesting.load();
        m_batches = MakeBatches(inputs, forced > 0 ? forced : target);
        m_workerBytes = std::make_unique<PaddedBytes[]>(m_jobs);
    }

    bool Run(WordTable& table, CorpusObserver& observer) {
        std::vector<std::thread> workers;
        const std::size_t count = std::min(m_jobs, m_batches.size());
        for (std::size_t w = 0; w < count; ++w) workers.emplace_back([this, w] { Work(w); });
        bool whole = true;
        try {
            whole = Merge(table, observer);
        } catch (...) {
            Halt();
            for (std::thread& worker : workers) worker.join();
            throw;
        }
        Halt();
        for (std::thread& worker : workers) worker.join();
        return whole;
    }

  private:
    struct alignas(64) PaddedBytes {
        std::atomic<std::int64_t> bytes{0};
    };

    void Halt() {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_halted.store(true);
        }
        m_changed.notify_all();
    }

    bool Halted() const {
        return m_halted.load(std::memory_order_relaxed) ||
               (m_stop != nullptr && m_stop->load(std::memory_order_relaxed));
    }

    void Work(std::size_t worker) {
        for (;;) {
            Batch* batch = nullptr;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_changed.wait(lock, [&] {
                    return m_halted.load() || m_next >= m_batches.size() ||
                           m_next < m_merged + kBatchesAheadPerJob * m_jobs;
                });
                if (m_halted.load() || m_next >= m_batches.size()) return;
                batch = m_batches[m_next++].get();
            }
            CountBatch(*batch, m_workerBytes[worker].bytes);
            {
                const std::lock_guard<std::mutex> lock(m_mutex);
                batch->done = true;
            }
            m_changed.notify_all();
        }
    }

    void CountBatch(Batch& batch, std::atomic<std::int64_t>& bytes) {
        LineScanner scanner(batch.table);
        batch.outcomes.resize(batch.end - batch.first);
        for (std::size_t i = batch.first; i < batch.end; ++i) {
            CorpusFileOutcome& outcome = batch.outcomes[i - batch.first];
            try {
                WorkerReports reports(bytes, m_halted, m_stop, outcome);
                CountFile(m_inputs[i], m_encoding, scanner, outcome, reports);
            } catch (const StopReading&) {
            } catch (...) {
                outcome.readFailure = std::current_exception();
            }
            batch.recordsAfter.push_back(batch.table.DistinctWordCount());
            if (Halted()) return;
        }
    }

    std::int64_t BytesRead() const {
        std::int64_t sum = 0;
        for (std::size_t w = 0; w < m_jobs; ++w) sum += m_workerBytes[w].bytes.load(std::memory_order_relaxed);
        return sum;
    }

    // Merges the batches in order as they are done; false when stopped.
    bool Merge(WordTable& table, CorpusObserver& observer) {
        for (std::size_t b = 0; b < m_batches.size(); ++b) {
            Batch& batch = *m_batches[b];
            for (;;) {
                {
                    std::unique_lock<std::mutex> lock(m_mutex);
                    if (m_changed.wait_for(lock, kProgressInterval, [&] { return batch.done; })) break;
                }
                if (m_stop != nullptr && m_stop->load()) return false;
                observer.OnProgress(BytesRead());
            }
            if (m_stop != nullptr && m_stop->load()) return false;
            std::int64_t record = 0;
            for (std::size_t i = batch.first; i < batch.end; ++i) {
                CorpusFileOutcome& outcome = batch.outcomes[i - batch.first];
                outcome.firstRecord = table.DistinctWordCount();
                for (const std::int64_t last = batch.recordsAfter[i - batch.first]; record < last;) {
                    ++record;
                    const std::uint32_t merged = table.Add(batch.table.Word(record));
                    if (merged != 0) table.CountAgain(merged, batch.table.Frequency(record) - 1);
                }
                if (!observer.OnFile(i, outcome)) return false;
            }
            batch.table.Reset();
            {
                const std::lock_guard<std::mutex> lock(m_mutex);
                m_merged = b + 1;
            }
            m_changed.notify_all();
            observer.OnProgress(BytesRead());
        }
        return true;
    }

    const std::vector<CorpusInput>& m_inputs;
    const InputEncoding& m_encoding;
    std::size_t m_jobs;
    const std::atomic<bool>* m_stop;
    std::vector<std::unique_ptr<Batch>> m_batches;
    std::unique_ptr<PaddedBytes[]> m_workerBytes;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::size_t m_next = 0;    // the next batch to count
    std::size_t m_merged = 0;  // batches merged so far
    // Set once the count ends, early or not; read by the workers' read loops line by line.
    std::atomic<bool> m_halted{false};
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
        std::int64_t at = std::max(k == 1 ? std::min(firstBytes, size / pieces) : size / pieces * k, starts.back());
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

class ChunkCount {
  public:
    ChunkCount(int fd, const InputEncoding& encoding, const ScanOptions& options, ByteEncoding mode, int jobs,
               const std::atomic<bool>* stop)
        : m_stop(stop),
          m_fd(fd),
          m_encoding(encoding),
          m_options(options),
          m_mode(mode),
          m_jobs(static_cast<std::size_t>(std::max(jobs, 1))) {
        m_workerBytes = std::make_unique<PaddedBytes[]>(m_jobs);
    }

    void Cut(const std::vector<std::int64_t>& starts, std::int64_t size) {
        m_size = size;
        for (std::size_t i = 0; i < starts.size(); ++i) {
            m_chunks.push_back(std::make_unique<Chunk>());
            m_chunks.back()->offset = starts[i];
            m_chunks.back()->length = (i + 1 < starts.size() ? starts[i + 1] : size) - starts[i];
        }
    }

    std::exception_ptr Run(WordTable& table, SourceObserver& observer) {
        std::vector<std::thread> workers;
        for (std::size_t w = 0; w < std::min(m_jobs, m_chunks.size()); ++w)
            workers.emplace_back([this, w] { Work(w); });
        std::exception_ptr failure;
        try {
            failure = Merge(table, observer);
        } catch (...) {
            failure = std::current_exception();
        }
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_halted.store(true);
        }
        m_changed.notify_all();
        for (std::thread& worker : workers) worker.join();
        return failure;
    }

  private:
    struct alignas(64) PaddedBytes {
        std::atomic<std::int64_t> bytes{0};
    };

    void Work(std::size_t worker) {
        for (;;) {
            Chunk* chunk = nullptr;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_changed.wait(lock, [&] {
                    return m_halted.load() || m_next >= m_chunks.size() ||
                           m_next < m_merged + kBatchesAheadPerJob * m_jobs;
                });
                if (m_halted.load() || m_next >= m_chunks.size()) return;
                chunk = m_chunks[m_next++].get();
            }
            CountChunk(*chunk, -1, m_mode, m_workerBytes[worker].bytes);
            {
                const std::lock_guard<std::mutex> lock(m_mutex);
                chunk->done = true;
            }
            m_changed.notify_all();
        }
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
        WorkerReports reports(bytes, m_halted, m_stop, chunk.outcome);
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

    std::int64_t BytesRead() const {
        std::int64_t sum = 0;
        for (std::size_t w = 0; w < m_jobs; ++w) sum += m_workerBytes[w].bytes.load(std::memory_order_relaxed);
        return sum + m_recountBytes.load(std::memory_order_relaxed);
    }

    std::exception_ptr Merge(WordTable& table, SourceObserver& observer) {
        int comment = -1;
        ByteEncoding mode = m_mode;
        for (std::size_t c = 0; c < m_chunks.size(); ++c) {
            Chunk& chunk = *m_chunks[c];
            for (;;) {
                {
                    std::unique_lock<std::mutex> lock(m_mutex);
                    if (m_changed.wait_for(lock, kProgressInterval, [&] { return chunk.done; })) break;
                }
                if (Stopped()) return nullptr;
                observer.OnProgress(BytesRead());
            }
            if (Stopped()) return nullptr;
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
            std::int64_t occurrences = 0;
            for (std::int64_t record = 1; record <= chunk.table.DistinctWordCount(); ++record) {
                const std::uint32_t merged = table.Add(chunk.table.Word(record));
                occurrences += chunk.table.Frequency(record);
                if (merged != 0) table.CountAgain(merged, chunk.table.Frequency(record) - 1);
            }
            // Merging costs about what counting costs when most words are new: a text like that is read on
            // from here on this thread alone.
            const bool mostlyNew = c == 0 && m_chunks.size() > 1 && batchBytesForTesting.load() == 0 &&
                                   chunk.table.DistinctWordCount() * kNewWordShare > occurrences;
            chunk.table.Reset();
            bool goOn = true;
            for (const std::exception_ptr& failure : chunk.outcome.lineFailures)
                goOn = goOn && observer.OnLineFailure(failure);
            if (chunk.outcome.readFailure) return chunk.outcome.readFailure;
            if (!goOn) return nullptr;
            if (mostlyNew) return CountRestInTurn(m_chunks[1]->offset, comment, mode, table, observer);
            {
                const std::lock_guard<std::mutex> lock(m_mutex);
                m_merged = c + 1;
            }
            m_changed.notify_all();
            observer.OnProgress(BytesRead());
        }
        return nullptr;
    }

    bool Stopped() const { return m_stop != nullptr && m_stop->load(); }

    // The file from `offset` to its end straight into `table` on this thread, the workers halted.
    std::exception_ptr CountRestInTurn(std::int64_t offset, int comment, ByteEncoding mode, WordTable& table,
                                       SourceObserver& observer) {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_halted.store(true);
        }
        m_changed.notify_all();
        class Shifted : public SourceObserver {
          public:
            Shifted(SourceObserver& to, std::int64_t offset, const std::atomic<bool>* stop)
                : m_to(to), m_offset(offset), m_stop(stop) {}
            void OnProgress(std::int64_t bytesRead) override {
                if (m_stop != nullptr && m_stop->load(std::memory_order_relaxed)) throw StopReading{};
                m_to.OnProgress(m_offset + bytesRead);
            }
            bool OnLineFailure(std::exception_ptr failure) override {
                if (m_stop != nullptr && m_stop->load(std::memory_order_relaxed)) return false;
                return m_to.OnLineFailure(std::move(failure));
            }

          private:
            SourceObserver& m_to;
            std::int64_t m_offset;
            const std::atomic<bool>* m_stop;
        } shifted(observer, offset, m_stop);
        LineScanner scanner(table);
        scanner.SetOptions(m_options);
        scanner.SetOpenComment(comment);
        const std::unique_ptr<ByteSource> source =
            ByteSource::FromRange(m_fd, offset, m_size - offset, m_encoding, mode);
        std::string line;
        return ScanSource(*source, scanner, line, shifted);
    }

    const std::atomic<bool>* m_stop;
    int m_fd;
    const InputEncoding& m_encoding;
    const ScanOptions& m_options;
    ByteEncoding m_mode;
    std::size_t m_jobs;
    std::vector<std::unique_ptr<Chunk>> m_chunks;
    std::unique_ptr<PaddedBytes[]> m_workerBytes;
    std::atomic<std::int64_t> m_recountBytes{0};
    std::int64_t m_size = 0;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::size_t m_next = 0;
    std::size_t m_merged = 0;
    std::atomic<bool> m_halted{false};
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
                                           : std::max<std::int64_t>(jobs * 4, size / (std::int64_t{16} << 20));
    // A short first chunk tells soon whether the text is one that merging would not pay for.
    const std::vector<std::int64_t> starts = ChunkStarts(fd, size, pieces, forced > 0 ? forced : std::int64_t{1} << 20);
    if (starts.size() < 2) return false;
    ChunkCount count(fd, encoding, options, plan.kind, jobs, stop);
    count.Cut(starts, size);
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
