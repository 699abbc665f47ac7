// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Buffered input for a count: a file or standard input, read in large blocks and handed out line by line
// as Windows-1252 text. Lines end at CR LF, a lone CR or a lone LF. A UTF-8 input (byte-order mark, or
// first non-ASCII bytes that form valid UTF-8) is mapped to Windows-1252, a character it cannot represent
// and every ill-formed byte becoming the separator byte kSeparatorByte. Memory holds one block and the
// longest line, never the whole input.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/Encoding.h"

namespace vesk {

// A byte that is never a word character and has no other role in scanning.
inline constexpr char kSeparatorByte = kUnmappableByte;

class ByteSource {
  public:
    // Opens a file; on failure returns null and sets `error` to the system's description (and
    // `*errorNumber`, when given, to the system's error code).
    static std::unique_ptr<ByteSource> OpenFile(const std::string& path, std::string& error,
                                                int* errorNumber = nullptr);
    // Reads from an open descriptor (standard input); the descriptor stays open.
    static std::unique_ptr<ByteSource> FromDescriptor(int fd);

    virtual ~ByteSource() = default;

    // The next `limit` raw bytes (fewer at the end of input), without consuming them; called before the
    // first ReadLine, these are the first bytes of the input, byte-order mark included. On a pipe it waits
    // until that many bytes have come or the input has ended.
    virtual std::string_view Peek(std::size_t limit) = 0;
    // Total size in bytes when known (a regular file), else -1.
    virtual std::int64_t Size() const = 0;
    // Next line without its line end; false at the end of input. Throws std::system_error on a read failure.
    virtual bool ReadLine(std::string& line) = 0;
    // Raw bytes consumed so far, line ends included.
    virtual std::int64_t BytesConsumed() const = 0;
};

}  // namespace vesk
