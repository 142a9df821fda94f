#include "render/OutputFolder.h"

#include "text/FileIO.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {

namespace {

// Hidden, so that no listing of photos or pages takes it for one; not a temporary file's name.
constexpr char kLockName[] = ".quorvane.lock";
// How many numbered names a fresh folder tries before giving up.
constexpr int kMaxNumbered = 1000;

QByteArray Bytes(const QString& name) {
    return EncodeName(name);
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

OutputFolder::OutputFolder(const LocalPath& parent, const QStringList& components, bool fresh)
    : path_(parent), components_(components) {
    for (const QString& component : components)
        path_ = path_.joined(component);
    open(parent, fresh);
    if (status_ != kOpen)
        return;
    lock();
    if (status_ == kOpen)
        removeLeftovers();
}

OutputFolder::~OutputFolder() {
    if (lockFd_ >= 0) {
        // The name goes first: a run that opened the file before can still lock it once it is
        // closed, but then finds the name gone and tries again.
        struct stat held, named;
        if (::fstat(lockFd_, &held) == 0 &&
            ::fstatat(fd_, kLockName, &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(held, named))
            ::unlinkat(fd_, kLockName, 0);
        ::close(lockFd_);
    }
    if (fd_ >= 0)
        ::close(fd_);
}

void OutputFolder::open(const LocalPath& parent, bool fresh) {
    if (!MakeLocalPath(parent))
        return;
    int fd = ::open(parent.bytes().constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    path_ = parent;
    for (qsizetype i = 0; i < components_.size(); ++i) {
        QString& name = components_[i];
        const QString base = name;
        if (fresh && i + 1 == components_.size()) {
            // mkdir either makes the folder or fails: of two runs in one second each gets its own.
            int n = 1;
            while (::mkdirat(fd, Bytes(name).constData(), 0777) != 0) {
                if (errno != EEXIST || ++n > kMaxNumbered) {
                    ::close(fd);
                    path_ = path_.joined(name);
                    return;
                }
                name = base + QLatin1Char('-') + QString::number(n);
            }
        } else {
            ::mkdirat(fd, Bytes(name).constData(), 0777);
        }
        path_ = path_.joined(name);
        const int next =
            ::openat(fd, Bytes(name).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        const int error = errno;
        ::close(fd);
        if (next < 0) {
            struct stat st;
            // The link is named; a folder that cannot be made is named with what was to be in it.
            if (error == ELOOP ||
                (::lstat(path_.bytes().constData(), &st) == 0 && S_ISLNK(st.st_mode))) {
                status_ = kThroughLink;
                return;
            }
            for (qsizetype rest = i + 1; rest < components_.size(); ++rest)
                path_ = path_.joined(components_[rest]);
            return;
        }
        fd = next;
    }
    fd_ = fd;
    status_ = kOpen;
}

void OutputFolder::lock() {
    // A lock file that vanished or was replaced between its opening and its locking belongs to a
    // run that just ended: open the name again.
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int fd = ::openat(fd_, kLockName, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
        // A folder where no file can be made cannot take pages either: the first page's write
        // says why.
        if (fd < 0)
            return;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            if (error == EWOULDBLOCK)
                status_ = kLocked;
            return;
        }
        struct stat held, named;
        if (::fstat(fd, &held) == 0 &&
            ::fstatat(fd_, kLockName, &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(held, named)) {
            lockFd_ = fd;
            return;
        }
        ::close(fd);
    }
}

void OutputFolder::removeLeftovers() {
    for (const QString& name : names()) {
        if (text::IsTemporaryName(Bytes(name).toStdString()) && regularFile(name))
            remove(name);
    }
}

QStringList OutputFolder::names() const {
    QStringList names;
    const int fd = ::openat(fd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return names;
    std::unique_ptr<DIR, int (*)(DIR*)> stream(::fdopendir(fd), &::closedir);
    if (!stream) {
        ::close(fd);
        return names;
    }
    std::vector<QByteArray> found;
    while (const dirent* entry = ::readdir(stream.get())) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            found.push_back(name);
    }
    std::sort(found.begin(), found.end());
    for (const QByteArray& name : found)
        names << DecodeName(name);
    return names;
}

bool OutputFolder::contains(const QString& name) const {
    struct stat st;
    return fd_ >= 0 && ::fstatat(fd_, Bytes(name).constData(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

std::optional<FileIdentity> OutputFolder::regularFile(const QString& name) const {
    struct stat st;
    if (fd_ < 0 || ::fstatat(fd_, Bytes(name).constData(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(st.st_mode))
        return std::nullopt;
    return FileIdentity{st.st_dev, st.st_ino};
}

bool OutputFolder::write(const QString& name, const QByteArray& bytes, int* error) {
    if (fd_ < 0) {
        if (error)
            *error = EBADF;
        return false;
    }
    return text::WriteFileInFolder(
        fd_, Bytes(name).toStdString(),
        std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), error);
}

bool OutputFolder::write(const QString& name, const std::vector<text::FilePiece>& pieces,
                         int* error) {
    if (fd_ < 0) {
        if (error)
            *error = EBADF;
        return false;
    }
    return text::WriteFileInFolder(fd_, Bytes(name).toStdString(), pieces, error);
}

int OutputFolder::openScratch(int* error) const {
    if (fd_ < 0) {
        if (error)
            *error = EBADF;
        return -1;
    }
    return text::OpenScratchInFolder(fd_, error);
}

bool OutputFolder::remove(const QString& name) {
    if (fd_ < 0)
        return false;
    return ::unlinkat(fd_, Bytes(name).constData(), 0) == 0 || errno == ENOENT;
}

} // namespace quorvane
