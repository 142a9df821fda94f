// Whole-file reading and atomic writing: a file is either replaced completely or left untouched.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::text {

// The whole file, or nullopt when it cannot be opened or read or is not a regular file. Files
// above maxBytes are refused. The path is bytes as the file system holds them.
std::optional<std::string> ReadWholeFile(const std::string& path, size_t maxBytes = 64u << 20);

// Writes the bytes to a temporary file in the same folder, checks every write, flushes it to disk
// and renames it over the target, so a reader or a second writer never meets a partial file: of
// two programs writing at once, the last complete write wins. A replaced file keeps its
// permissions; a symbolic link stays and the file it names is replaced. On any failure the
// temporary file is removed, the target keeps its old contents, and false is returned with the
// failure's errno in *error when given (EISDIR when a folder is in the way).
bool WriteFileAtomically(const std::string& path, std::string_view bytes, int* error = nullptr);

// The same for the file `name` (no "/") of an open folder (a descriptor): the folder is the one
// opened, whatever happens to its path meanwhile, and a link under the name is not followed but
// replaced by the new file, so the file it named stays untouched.
bool WriteFileInFolder(int folder, const std::string& name, std::string_view bytes,
                       int* error = nullptr);

// A piece of a file being written: the bytes in memory, or, when `fd` is an open file, `length`
// bytes of it from `offset` (read with pread, so its own position stays).
struct FilePiece {
    std::string_view bytes;
    int fd = -1;
    int64_t offset = 0;
    int64_t length = 0;
};

// The same, the file made of the pieces one after another: a large file is written without
// being held in memory. A piece of a file that ends early fails the write (EIO).
bool WriteFileInFolder(int folder, const std::string& name, const std::vector<FilePiece>& pieces,
                       int* error = nullptr);

// A scratch file in the open folder, for data too large to keep in memory: made under a temporary
// name and unlinked at once, so it takes no name and nothing is left behind however the program
// ends; it lasts while the returned descriptor is open. -1 with the errno in *error on failure.
int OpenScratchInFolder(int folder, int* error = nullptr);

// Whether the name is one that these writes give their temporary files (".quorvane-" and six
// letters or digits), so that one left behind by a killed program can be told by its name.
bool IsTemporaryName(std::string_view name);

} // namespace quorvane::text
