// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ByteSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <vector>

#include "engine/Encoding.h"
#include "engine/FileChecks.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vesk {

namespace {

constexpr std::size_t kBlockSize = 1u << 20;

// The first CR or LF in [p, end), or end. `high` becomes true when a byte from 128 up may come before it.
const char* FindLineEnd(const char* p, const char* end, bool& high) {
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    int signs = 0;
    while (end - p >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf)));
        // The whole block is looked at, bytes past the line end too: a false alarm only costs a search.
        signs |= _mm_movemask_epi8(block);
        if (mask != 0) {
            high = high || signs != 0;
            return p + __builtin_ctz(static_cast<unsigned>(mask));
        }
        p += 16;
    }
    high = high || signs != 0;
#endif
    while (p < end && *p != '\r' && *p != '\n') {
        high = high || static_cast<unsigned char>(*p) >= 0x80;
        ++p;
    }
    return p;
}

class DescriptorSource : public ByteSource {
  public:
    DescriptorSource(int fd, bool owned, InputEncoding encoding)
        : m_fd(fd), m_owned(owned), m_encoding(std::move(encoding)) {
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) m_size = info.st_size;
        // A small file needs no block-sized buffer (a common-words file is read at every start).
        const bool small = m_size >= 0 && m_size < static_cast<std::int64_t>(kBlockSize);
        m_buffer.resize(small ? static_cast<std::size_t>(m_size) + 1 : kBlockSize);
    }
    ~DescriptorSource() override {
        if (m_owned) ::close(m_fd);
    }
    int RegularFileDescriptor() const override { return m_size >= 0 ? m_fd : -1; }

    std::string_view Peek(std::size_t limit) override {
        while (m_end - m_begin < limit && !m_eof) Fill(limit);
        return std::string_view(m_buffer.data() + m_begin, std::min(limit, m_end - m_begin));
    }

    std::int64_t Size() const override { return m_size; }
    ByteEncoding RawMode() const override { return m_mode; }

    // Reads only `length` bytes from `offset` on (see ByteSource::FromRange).
    void Limit(std::int64_t offset, std::int64_t length, ByteEncoding mode) {
        m_position = offset;
        m_left = length;
        m_size = length;
        if (offset > 0) {
            m_started = true;
            m_mode = mode;
        }
    }

    bool ReadLine(std::string& line) override {
        if (!m_started) Start();
        return m_decoder ? ReadDecodedLine(line) : ReadRawLine(line);
    }

    std::int64_t BytesConsumed() const override {
        if (!m_decoder || m_text.empty()) return m_consumed;
        // The part of the block's bytes that the lines handed out stand for.
        const auto share = static_cast<double>(m_textBegin) / static_cast<double>(m_text.size());
        return m_consumed - m_textBytes + static_cast<std::int64_t>(share * static_cast<double>(m_textBytes));
    }

  private:
    // Reads more input behind the unconsumed bytes until at least `want` are there or the input ends.
    // Returns false at the end of input with nothing new.
    bool Fill(std::size_t want) {
        if (m_begin > 0) {
            std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
            m_end -= m_begin;
            m_begin = 0;
        }
        if (want > m_buffer.size()) m_buffer.resize(want);
        bool got = false;
        while (m_end < want || !got) {
            if (m_end == m_buffer.size()) break;
            std::size_t room = m_buffer.size() - m_end;
            if (m_position >= 0) room = static_cast<std::size_t>(std::min<std::int64_t>(m_left, room));
            const ssize_t n = m_position < 0 ? ::read(m_fd, m_buffer.data() + m_end, room)
                              : room == 0    ? 0
                                             : ::pread(m_fd, m_buffer.data() + m_end, room, m_position);
            if (n < 0) {
                if (errno == EINTR) continue;
                throw std::system_error(errno, std::generic_category());
            }
            if (n == 0) {
                m_eof = true;
                break;
            }
            m_end += static_cast<std::size_t>(n);
            if (m_position >= 0) {
                m_position += n;
                m_left -= n;
            }
            got = true;
        }
        return got;
    }

    // Chooses how the input is read from its first bytes, and skips a byte-order mark.
    void Start() {
        m_started = true;
        const DecodingPlan plan = PlanDecoding(Peek(3), m_encoding);
        m_begin += plan.skip;
        m_consumed += static_cast<std::int64_t>(plan.skip);
        m_mode = plan.kind;
        m_decoder = MakeStreamDecoder(plan.kind, m_encoding.converter);
        // A named encoding may give the mark as a character.
        m_dropMark = m_decoder != nullptr && plan.skip == 0;
    }

    // A line of an encoding read line by line: its line ends are the bytes CR and LF.
    bool ReadRawLine(std::string& line) {
        line.clear();
        bool any = false;
        bool high = false;
        for (;;) {
            if (m_begin == m_end) {
                if (m_eof || !Fill(1)) break;
            }
            if (m_skipLf) {
                m_skipLf = false;
                if (m_buffer[m_begin] == '\n') {
                    ++m_begin;
                    ++m_consumed;
                    continue;
                }
            }
            any = true;
            const char* start = m_buffer.data() + m_begin;
            const char* stop = FindLineEnd(start, m_buffer.data() + m_end, high);
            line.append(start, stop);
            const auto taken = static_cast<std::size_t>(stop - start);
            m_begin += taken;
            m_consumed += static_cast<std::int64_t>(taken);
            if (m_begin < m_end) {
                // A CR may be followed by its LF in the next block: the flag takes it there.
                m_skipLf = m_buffer[m_begin] == '\r';
                ++m_begin;
                ++m_consumed;
                break;
            }
        }
        if (!any) return false;
        if (high) Decode(line);
        return true;
    }

    // A line of an encoding decoded block by block: its line ends are found in the decoded text.
    bool ReadDecodedLine(std::string& line) {
        line.clear();
        bool any = false;
        for (;;) {
            if (m_textBegin == m_text.size()) {
                if (!DecodeBlock()) break;
            }
            if (m_skipLf) {
                m_skipLf = false;
                if (m_text[m_textBegin] == '\n') {
                    ++m_textBegin;
                    continue;
                }
            }
            any = true;
            bool high = false;
            const char* start = m_text.data() + m_textBegin;
            const char* stop = FindLineEnd(start, m_text.data() + m_text.size(), high);
            line.append(start, stop);
            m_textBegin += static_cast<std::size_t>(stop - start);
            if (m_textBegin < m_text.size()) {
                m_skipLf = m_text[m_textBegin] == '\r';
                ++m_textBegin;
                break;
            }
        }
        return any;
    }

    // Decodes the next block of input into m_text; false at the end of input with nothing more to give.
    bool DecodeBlock() {
        m_text.clear();
        m_textBegin = 0;
        m_textBytes = 0;
        while (m_text.empty() && !m_decoded) {
            if (m_begin == m_end && !m_eof) Fill(1);
            const std::string_view bytes(m_buffer.data() + m_begin, m_end - m_begin);
            m_decoded = m_eof;
            m_decoder->Decode(bytes, m_decoded, m_text);
            m_begin = m_end;
            m_textBytes += static_cast<std::int64_t>(bytes.size());
            m_consumed += static_cast<std::int64_t>(bytes.size());
            if (m_dropMark && !m_text.empty()) {
                m_dropMark = false;
                if (m_text.starts_with("\xEF\xBB\xBF")) m_text.erase(0, 3);
            }
        }
        return !m_text.empty();
    }

    // A line holding bytes from 128 up, in an encoding read line by line.
    void Decode(std::string& line) {
        if (m_mode == ByteEncoding::Detect) {
            const auto isHigh = [](char c) { return static_cast<unsigned char>(c) >= 0x80; };
            const std::size_t first =
                static_cast<std::size_t>(std::find_if(line.begin(), line.end(), isHigh) - line.begin());
            if (first == line.size()) return;
            // A UTF-8 sequence never holds a CR or LF, so the line has all of the first one.
            char32_t cp = 0;
            m_mode =
                DecodeUtf8(std::string_view(line).substr(first), cp) > 1 ? ByteEncoding::Utf8 : ByteEncoding::Cp1252;
        }
        if (m_mode == ByteEncoding::Utf8) {
            ReplaceIllFormedUtf8(line, m_scratch);
        } else {
            m_scratch.clear();
            AppendCp1252AsUtf8(m_scratch, line);
            line.swap(m_scratch);
        }
    }

    int m_fd;
    bool m_owned;
    InputEncoding m_encoding;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    bool m_eof = false;
    bool m_started = false;
    bool m_skipLf = false;
    ByteEncoding m_mode = ByteEncoding::Detect;
    std::string m_scratch;  // storage for a decoded line, kept from line to line
    // Decoding in blocks: the decoded text of the current block, the part handed out, and its input bytes.
    std::unique_ptr<StreamDecoder> m_decoder;
    std::string m_text;
    std::size_t m_textBegin = 0;
    std::int64_t m_textBytes = 0;
    bool m_decoded = false;  // the decoder has had the end of input
    bool m_dropMark = false;
    std::int64_t m_size = -1;
    std::int64_t m_consumed = 0;
    // A range of the file: where the next read starts and how many bytes are left (-1: read to the end).
    std::int64_t m_position = -1;
    std::int64_t m_left = 0;
};

}  // namespace

std::unique_ptr<ByteSource> ByteSource::OpenFile(const std::string& path, std::string& error, int* errorNumber,
                                                 const InputEncoding& encoding) {
    const int fd = ::open(SystemPath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int number = errno;
        error = std::generic_category().message(number);
        if (errorNumber != nullptr) *errorNumber = number;
        return nullptr;
    }
    error.clear();
    return std::make_unique<DescriptorSource>(fd, true, encoding);
}

std::unique_ptr<ByteSource> ByteSource::FromRange(int fd, std::int64_t offset, std::int64_t length,
                                                  const InputEncoding& encoding, ByteEncoding mode) {
    auto source = std::make_unique<DescriptorSource>(fd, false, encoding);
    source->Limit(offset, length, mode);
    return source;
}

std::unique_ptr<ByteSource> ByteSource::FromDescriptor(int fd, const InputEncoding& encoding) {
    return std::make_unique<DescriptorSource>(fd, false, encoding);
}

}  // namespace vesk
