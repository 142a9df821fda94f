#include "text/FileIO.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane::text {

namespace {

// The process's file mode mask, read once: reading it means setting it, which must not happen
// while another thread creates a file.
mode_t ProcessUmask() {
    static const mode_t mask = [] {
        const mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }();
    return mask;
}

constexpr std::string_view kTemporaryPrefix = ".quorvane-";
constexpr size_t kTemporaryLetters = 6;
constexpr std::string_view kLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// A fresh name of the form ".quorvane-XXXXXX" for a temporary file.
std::string TemporaryName() {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    std::string name(kTemporaryPrefix);
    for (size_t i = 0; i < kTemporaryLetters; ++i)
        name += kLetters[random() % kLetters.size()];
    return name;
}

// Writes all the bytes, going on after interruptions; false with errno set on failure.
bool WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// Copies `length` bytes of the file `from` at `offset` to the end of `to`, a block at a time.
bool CopyRange(int from, int64_t offset, int64_t length, int to) {
    std::vector<char> block(static_cast<size_t>(std::min<int64_t>(length, int64_t{1} << 20)));
    while (length > 0) {
        const ssize_t n = ::pread(from, block.data(),
                                  static_cast<size_t>(std::min<int64_t>(length, ssize(block))),
                                  static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO; // the file is shorter than the piece
            return false;
        }
        if (!WriteAll(to, std::string_view(block.data(), static_cast<size_t>(n))))
            return false;
        offset += n;
        length -= n;
    }
    return true;
}

} // namespace

int OpenScratchInFolder(int folder, int* error) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = TemporaryName();
        const int fd = ::openat(folder, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::unlinkat(folder, name.c_str(), 0);
            return fd;
        }
        if (errno != EEXIST)
            break;
    }
    if (error)
        *error = errno;
    return -1;
}

bool IsTemporaryName(std::string_view name) {
    return name.size() == kTemporaryPrefix.size() + kTemporaryLetters &&
           name.substr(0, kTemporaryPrefix.size()) == kTemporaryPrefix &&
           name.find_first_not_of(kLetters, kTemporaryPrefix.size()) == std::string_view::npos;
}

std::optional<std::string> ReadWholeFile(const std::string& path, size_t maxBytes) {
    // Opened without blocking and kept only when it is a regular file: a named pipe or a device
    // under a file's name would otherwise stall or never end.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return std::nullopt;
    }
    FILE* f = ::fdopen(fd, "rb");
    if (!f) {
        ::close(fd);
        return std::nullopt;
    }
    std::string data;
    char buffer[65536];
    bool ok = true;
    for (;;) {
        size_t n = std::fread(buffer, 1, sizeof buffer, f);
        data.append(buffer, n);
        if (data.size() > maxBytes) {
            ok = false;
            break;
        }
        if (n < sizeof buffer) {
            ok = !std::ferror(f);
            break;
        }
    }
    std::fclose(f);
    if (!ok)
        return std::nullopt;
    return data;
}

bool WriteFileInFolder(int folder, const std::string& name, std::string_view bytes, int* error) {
    return WriteFileInFolder(folder, name, std::vector<FilePiece>{FilePiece{bytes}}, error);
}

bool WriteFileInFolder(int folder, const std::string& name, const std::vector<FilePiece>& pieces,
                       int* error) {
    // The first failure's errno, kept for the caller's message.
    const auto fail = [&](int code) {
        if (error)
            *error = code;
        return false;
    };
    if (name.empty() || name.find('/') != std::string::npos)
        return fail(EINVAL);
    // Whatever stands under the name is looked at itself: a link is replaced, never followed.
    struct stat st;
    const bool existed = ::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    if (existed && S_ISDIR(st.st_mode))
        return fail(EISDIR);
    if (existed && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode))
        return fail(EEXIST);
    // A short hidden name beside the target: it fits however long the target's name is, and no
    // listing of photos, pages or layouts takes it for one of them.
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = TemporaryName();
        fd = ::openat(folder, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            return fail(errno);
    }
    if (fd < 0)
        return fail(EEXIST);
    bool ok = true;
    int code = 0;
    const auto check = [&](bool done) {
        if (!done && ok) {
            ok = false;
            code = errno;
        }
    };
    for (const FilePiece& piece : pieces) {
        if (!ok)
            break;
        if (piece.fd < 0)
            check(WriteAll(fd, piece.bytes));
        else
            check(CopyRange(piece.fd, piece.offset, piece.length, fd));
    }
    // A replaced file keeps its permissions; a new one (or one replacing a link) gets the usual
    // ones.
    const mode_t mode =
        existed && S_ISREG(st.st_mode) ? (st.st_mode & 07777) : (0666 & ~ProcessUmask());
    if (ok)
        check(fchmod(fd, mode) == 0);
    if (ok)
        check(fsync(fd) == 0);
    check(::close(fd) == 0);
    // The rename is atomic: readers and other writers see the old file or a complete new one,
    // and of two writers the last rename wins.
    if (ok)
        check(::renameat(folder, temporary.c_str(), folder, name.c_str()) == 0);
    if (!ok) {
        ::unlinkat(folder, temporary.c_str(), 0);
        return fail(code);
    }
    // The new name is on disk only once its folder is.
    ::fsync(folder);
    return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, int* error) {
    const auto fail = [&](int code) {
        if (error)
            *error = code;
        return false;
    };
    // A link is kept: the file it names is replaced, in that file's folder.
    std::string target = path;
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char* real = ::realpath(path.c_str(), nullptr);
        if (!real)
            return fail(errno);
        target = real;
        std::free(real);
    }
    const size_t slash = target.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string(".") : target.substr(0, slash + 1);
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return fail(errno);
    const bool written = WriteFileInFolder(
        dir, slash == std::string::npos ? target : target.substr(slash + 1), bytes, error);
    ::close(dir);
    return written;
}

} // namespace quorvane::text
