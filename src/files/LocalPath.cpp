#include "files/LocalPath.h"

#include "files/LineEscape.h"
#include "text/FileIO.h"
#include "text/TextDecode.h"

#include <QStringList>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// True when the unit at i stands for a byte: U+DC80..U+DCFF and not the low half of a pair.
bool IsEscapeAt(const QString& path, qsizetype i) {
    const char16_t unit = path[i].unicode();
    return unit >= 0xDC80 && unit <= 0xDCFF &&
           !(i > 0 && QChar::isHighSurrogate(path[i - 1].unicode()));
}

// True when CP932 text decoded from a name reads as text: no replaced bytes, no control
// characters and no private-use characters (the user-defined rows of CP932).
bool Readable(const QString& text) {
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x20 || u == 0x7F || u == 0xFFFD || (u >= 0xE000 && u <= 0xF8FF))
            return false;
    }
    return true;
}

// One "/"-separated part as people read it; `oneLine`: its text escaped by EscapeLine.
QString DisplayPart(const QString& part, bool oneLine) {
    const auto text = [oneLine](QStringView shown) {
        return oneLine ? EscapeLine(shown) : shown.toString();
    };
    if (!HasForeignBytes(part))
        return text(part);
    const QByteArray bytes = EncodeLocalPath(part);
    const std::string decoded =
        text::Cp932ToUtf8(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    const QString cp932 = QString::fromStdString(decoded);
    if (Readable(cp932))
        return text(cp932);
    QString shown;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < part.size(); ++i) {
        if (!IsEscapeAt(part, i))
            continue;
        shown += text(QStringView(part).mid(runStart, i - runStart));
        shown +=
            QStringLiteral("\\x%1").arg(part[i].unicode() - kEscapeBase, 2, 16, QLatin1Char('0'));
        runStart = i + 1;
    }
    return shown + text(QStringView(part).mid(runStart));
}

QString DisplayForm(const QString& path, bool oneLine) {
    if (!HasForeignBytes(path))
        return oneLine ? EscapeLine(path) : path;
    QStringList parts = path.split(QLatin1Char('/'));
    for (QString& part : parts)
        part = DisplayPart(part, oneLine);
    return parts.join(QLatin1Char('/'));
}

bool Stat(const QString& path, struct stat& st) {
    return ::stat(EncodeLocalPath(path).constData(), &st) == 0;
}

} // namespace

QString DecodeLocalPath(const QByteArray& bytes) {
    const std::string_view view(bytes.constData(), static_cast<size_t>(bytes.size()));
    QString path;
    path.reserve(bytes.size());
    for (size_t i = 0; i < view.size();) {
        const size_t length = text::Utf8SequenceLength(view, i);
        if (length == 0) {
            path += QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(view[i])));
            ++i;
            continue;
        }
        // Decoded here rather than by QString::fromUtf8, which drops a leading U+FEFF.
        const auto lead = static_cast<unsigned char>(view[i]);
        char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(view[i + k]) & 0x3F);
        if (cp < 0x10000) {
            path += QChar(static_cast<char16_t>(cp));
        } else {
            path += QChar(QChar::highSurrogate(cp));
            path += QChar(QChar::lowSurrogate(cp));
        }
        i += length;
    }
    return path;
}

QByteArray EncodeLocalPath(const QString& path) {
    if (!HasForeignBytes(path))
        return path.toUtf8();
    QByteArray bytes;
    bytes.reserve(path.size() * 3);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (IsEscapeAt(path, i)) {
            bytes += QStringView(path).mid(runStart, i - runStart).toUtf8();
            bytes += static_cast<char>(path[i].unicode() - kEscapeBase);
            runStart = i + 1;
        }
    }
    bytes += QStringView(path).mid(runStart).toUtf8();
    return bytes;
}

bool HasForeignBytes(const QString& path) {
    for (qsizetype i = 0; i < path.size(); ++i)
        if (IsEscapeAt(path, i))
            return true;
    return false;
}

QString DisplayPath(const QString& path) {
    return DisplayForm(path, false);
}

QString EscapedDisplayPath(const QString& path) {
    return DisplayForm(path, true);
}

bool IsLocalFile(const QString& path) {
    struct stat st;
    return Stat(path, st) && S_ISREG(st.st_mode);
}

bool IsLocalDir(const QString& path) {
    struct stat st;
    return Stat(path, st) && S_ISDIR(st.st_mode);
}

bool LocalPathExists(const QString& path) {
    struct stat st;
    return ::lstat(EncodeLocalPath(path).constData(), &st) == 0;
}

QString CanonicalLocalPath(const QString& path) {
    char* real = ::realpath(EncodeLocalPath(path).constData(), nullptr);
    if (!real)
        return {};
    const QString canonical = DecodeLocalPath(QByteArray(real));
    std::free(real);
    return canonical;
}

std::optional<FileIdentity> LocalFileIdentity(const QString& path) {
    struct stat st;
    if (!Stat(path, st))
        return std::nullopt;
    return FileIdentity{st.st_dev, st.st_ino};
}

bool IsLocalSymLink(const QString& path) {
    struct stat st;
    return ::lstat(EncodeLocalPath(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool RemoveLocalFile(const QString& path) {
    const QByteArray bytes = EncodeLocalPath(path);
    if (::unlink(bytes.constData()) == 0)
        return true;
    return errno == ENOENT;
}

bool MakeLocalPath(const QString& path) {
    const QByteArray bytes = EncodeLocalPath(path);
    // Each parent in turn, from the root down; one that exists already is passed over.
    for (qsizetype slash = bytes.indexOf('/', 1); slash > 0; slash = bytes.indexOf('/', slash + 1))
        ::mkdir(bytes.left(slash).constData(), 0777);
    ::mkdir(bytes.constData(), 0777);
    return IsLocalDir(path);
}

bool WriteLocalFileAtomically(const QString& path, const QByteArray& bytes, int* error) {
    return text::WriteFileAtomically(
        EncodeLocalPath(path).toStdString(),
        std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), error);
}

std::unique_ptr<QFile> OpenLocalFile(const QString& path) {
    // Non-blocking, so that a named pipe under a photo's name cannot stall the open; only regular
    // files are kept.
    const int fd = ::open(EncodeLocalPath(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return nullptr;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return nullptr;
    }
    auto file = std::make_unique<QFile>();
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return nullptr;
    }
    return file;
}

} // namespace quorvane
