// SPDX-License-Identifier: GPL-3.0-or-later
// A save streamed into its temporary file: whole on success, the previous file untouched otherwise.

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <stdexcept>

#include "settings/AtomicSave.h"
#include "support/ScratchFolder.h"

namespace vesk::test {
namespace {

TEST(AtomicStreamTest, AStreamedSaveReplacesTheFileWholeOrNotAtAll) {
    ScratchFolder scratch;
    const std::string path = scratch.Write("words.csv", "old");
    std::string content;
    for (int i = 0; content.size() < 300000; ++i) content += std::to_string(i) + ",word\r\n";  // over many buffers
    const auto write = [&](std::ostream& out) {
        for (std::size_t at = 0; at < content.size(); at += 1000) out << content.substr(at, 1000);
    };
    const auto fail = [&](std::ostream& out) {
        write(out);
        throw std::runtime_error("stopped");
    };
    EXPECT_EQ(WriteFileAtomically(path, fail), std::generic_category().message(ECANCELED));
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(WriteFileAtomically(path, [](std::ostream& out) { out.setstate(std::ios::badbit); }),
              std::generic_category().message(EIO));
    EXPECT_EQ(WriteFileAtomically(path, write), "");
    EXPECT_EQ(ReadBytes(path), content);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.Path()), {}), 1);  // no temporary left
}

}  // namespace
}  // namespace vesk::test
