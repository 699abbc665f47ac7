// SPDX-License-Identifier: GPL-3.0-or-later
#include "listing/OutputFile.h"

#include <cerrno>

#include "listing/RunError.h"

namespace vesk {

namespace {
int ErrnoOr(int fallback) { return errno != 0 ? errno : fallback; }
}  // namespace

OutputFile::~OutputFile() {
    if (m_file != nullptr) std::fclose(m_file);
}

void OutputFile::Open(const std::string& path) {
    m_namedFile = FileLine("Output file", path);
    errno = 0;
    m_file = std::fopen(path.c_str(), "wb");
    if (m_file == nullptr) throw RunError::FromErrno(ErrnoOr(EIO), m_namedFile);
    m_firstWord = true;
}

void OutputFile::Close() {
    if (m_file == nullptr) return;
    errno = 0;
    const bool failed = std::ferror(m_file) != 0;
    const int closeResult = std::fclose(m_file);
    m_file = nullptr;
    if (failed || closeResult != 0) throw RunError::FromErrno(ErrnoOr(EIO), m_namedFile);
}

void OutputFile::Write(const std::string& text) {
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), m_file) != text.size())
        throw RunError::FromErrno(ErrnoOr(EIO), m_namedFile);
}

void OutputFile::Send(std::int64_t record, const std::string& line) {
    if (m_file == nullptr) return;
    if (m_joinWords && record != 0) {
        Write(m_firstWord ? line : ", " + line);
        m_firstWord = false;
    } else {
        Write(line + "\r\n");
    }
}

}  // namespace vesk
