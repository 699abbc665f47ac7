// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Buffered input for a count: a file or standard input, read in large blocks and handed out line by line
// as UTF-8 text. Lines end at CR LF, a lone CR or a lone LF. The input is decoded as its encoding says
// (detected, or named by the user: see InputEncoding): a UTF-8 byte-order mark or first non-ASCII bytes
// that form valid UTF-8 mean UTF-8, each ill-formed byte becoming U+FFFD; a UTF-16 byte-order mark means
// UTF-16; anything else is Windows-1252. Memory holds one block and the longest line, never the whole input.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/Encoding.h"

namespace vesk {

class ByteSource {
  public:
    // Opens a file; on failure returns null and sets `error` to the system's description (and
    // `*errorNumber`, when given, to the system's error code).
    static std::unique_ptr<ByteSource> OpenFile(const std::string& path, std::string& error, int* errorNumber = nullptr,
                                                const InputEncoding& encoding = {});
    // Reads from an open descriptor (standard input); the descriptor stays open.
    static std::unique_ptr<ByteSource> FromDescriptor(int fd, const InputEncoding& encoding = {});

    // `length` bytes of an open regular file from `offset`, read as a piece of it that starts at a line start
    // (the descriptor stays open; its file position is not used). The piece at offset 0 is read as the file
    // is; a later one is never taken for a byte-order mark and is read as `mode` says: Utf8 or Cp1252 as
    // decided by an earlier piece, or Detect to decide by itself. Only for encodings read line by line (not
    // UTF-16 or an ICU converter).
    static std::unique_ptr<ByteSource> FromRange(int fd, std::int64_t offset, std::int64_t length,
                                                 const InputEncoding& encoding, ByteEncoding mode);

    virtual ~ByteSource() = default;
    // How the bytes of a source read line by line are taken: Detect until a line holding a byte from 128 up
    // has decided between Utf8 and Cp1252.
    virtual ByteEncoding RawMode() const { return ByteEncoding::Detect; }

    // The next `limit` raw bytes (fewer at the end of input), without consuming them; called before the
    // first ReadLine, these are the first bytes of the input, byte-order mark included. On a pipe it waits
    // until that many bytes have come or the input has ended.
    virtual std::string_view Peek(std::size_t limit) = 0;
    // Total size in bytes when known (a regular file), else -1.
    virtual std::int64_t Size() const = 0;
    // Next line without its line end; false at the end of input. Throws std::system_error on a read failure.
    virtual bool ReadLine(std::string& line) = 0;
    // The descriptor of the regular file read, for a reader that reads pieces of it by offset (the source's
    // own reading is not disturbed); -1 for any other input.
    virtual int RegularFileDescriptor() const { return -1; }
    // Raw bytes consumed so far, line ends included (for an input decoded in blocks, UTF-16 say, the share of
    // the block handed out); all of them once ReadLine has returned false.
    virtual std::int64_t BytesConsumed() const = 0;
};

}  // namespace vesk
