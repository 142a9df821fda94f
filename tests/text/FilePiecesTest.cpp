// Files written from pieces (bytes and ranges of other open files) and scratch files that take
// no name.
#include "text/FileIO.h"

#include "TestSupport.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace quorvane::text;
using quorvane::test::TempDir;

namespace {

// The folder's entries, hidden ones included.
std::vector<std::string> Entries(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FilePieces, AFileIsWrittenFromBytesAndRangesOfAnotherFile) {
    TempDir dir;
    const int folder = ::open(dir.str().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(folder, 0);
    int error = 0;
    const int scratch = OpenScratchInFolder(folder, &error);
    ASSERT_GE(scratch, 0) << error;
    // The scratch file takes no name, but holds what is written into it.
    EXPECT_TRUE(Entries(dir).empty());
    const std::string big(3 << 20, 'x'); // more than one copy block
    ASSERT_EQ(::pwrite(scratch, "0123456789", 10, 0), 10);
    ASSERT_EQ(::pwrite(scratch, big.data(), big.size(), 10), static_cast<ssize_t>(big.size()));

    const struct Case {
        const char* what;
        std::vector<FilePiece> pieces;
        bool written;
        std::string expected; // the file afterwards
    } cases[] = {
        {"bytes only", {FilePiece{"head"}, FilePiece{"-tail"}}, true, "head-tail"},
        {"a range between bytes",
         {FilePiece{"<"}, FilePiece{{}, scratch, 2, 5}, FilePiece{">"}},
         true,
         "<23456>"},
        {"the scratch file's own position is left alone",
         {FilePiece{{}, scratch, 0, 3}, FilePiece{{}, scratch, 0, 3}},
         true,
         "012012"},
        {"a range larger than a copy block", {FilePiece{{}, scratch, 10, 3 << 20}}, true, big},
        // A range past the end fails and the file keeps what it held.
        {"past the end", {FilePiece{"new"}, FilePiece{{}, scratch, 5, 20 << 20}}, false, big},
    };
    for (const Case& c : cases) {
        error = 0;
        EXPECT_EQ(WriteFileInFolder(folder, "out.pdf", c.pieces, &error), c.written) << c.what;
        EXPECT_EQ(quorvane::test::ReadFile(dir / "out.pdf"), c.expected) << c.what;
        if (!c.written) {
            EXPECT_EQ(error, EIO) << c.what;
        }
        // No temporary file is left either way.
        EXPECT_EQ(Entries(dir), std::vector<std::string>{"out.pdf"}) << c.what;
    }
    ::close(scratch);
    ::close(folder);
}

} // namespace
