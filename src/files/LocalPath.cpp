#include "files/LocalPath.h"

#include "files/LineEscape.h"
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

bool HasEscapes(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (IsEscapeAt(text, i))
            return true;
    return false;
}

QByteArray EncodeNameText(const QString& name);

// One "/"-separated part as people read it; `oneLine`: its text escaped by EscapeLine.
QString DisplayPart(const QString& part, bool oneLine) {
    const auto text = [oneLine](QStringView shown) {
        return oneLine ? EscapeLine(shown) : shown.toString();
    };
    if (!HasEscapes(part))
        return text(part);
    const QByteArray bytes = EncodeNameText(part);
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
    if (!HasEscapes(path))
        return oneLine ? EscapeLine(path) : path;
    QStringList parts = path.split(QLatin1Char('/'));
    for (QString& part : parts)
        part = DisplayPart(part, oneLine);
    return parts.join(QLatin1Char('/'));
}

bool Stat(const LocalPath& path, struct stat& st) {
    return ::stat(path.bytes().constData(), &st) == 0;
}

QByteArray EncodeNameText(const QString& name) {
    return EncodeName(name);
}

} // namespace

QString DecodeName(const QByteArray& bytes) {
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

QByteArray EncodeName(const QString& path) {
    if (!HasEscapes(path))
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

QString DisplayName(const QString& name) {
    return DisplayForm(name, false);
}

QString EscapedDisplayName(const QString& name) {
    return DisplayForm(name, true);
}

LocalPath LocalPath::FromBytes(const QByteArray& bytes) {
    return LocalPath(DecodeName(bytes));
}

LocalPath LocalPath::FromText(const QString& text) {
    return LocalPath(text);
}

QByteArray LocalPath::bytes() const {
    return EncodeName(text_);
}

QString LocalPath::display() const {
    return DisplayForm(text_, false);
}

QString LocalPath::escapedDisplay() const {
    return DisplayForm(text_, true);
}

bool LocalPath::hasForeignBytes() const {
    return HasEscapes(text_);
}

LocalPath LocalPath::joined(const QString& name) const {
    if (text_.endsWith(QLatin1Char('/')))
        return LocalPath(text_ + name);
    return LocalPath(text_ + QLatin1Char('/') + name);
}

QString LocalPath::fileName() const {
    return text_.mid(text_.lastIndexOf(QLatin1Char('/')) + 1);
}

LocalPath LocalPath::folderWithSlash() const {
    return LocalPath(text_.left(text_.lastIndexOf(QLatin1Char('/')) + 1));
}

bool IsLocalFile(const LocalPath& path) {
    struct stat st;
    return Stat(path, st) && S_ISREG(st.st_mode);
}

bool IsLocalDir(const LocalPath& path) {
    struct stat st;
    return Stat(path, st) && S_ISDIR(st.st_mode);
}

bool LocalPathExists(const LocalPath& path) {
    struct stat st;
    return ::lstat(path.bytes().constData(), &st) == 0;
}

LocalPath CanonicalLocalPath(const LocalPath& path) {
    char* real = ::realpath(path.bytes().constData(), nullptr);
    if (!real)
        return {};
    LocalPath canonical = LocalPath::FromBytes(QByteArray(real));
    std::free(real);
    return canonical;
}

std::optional<FileIdentity> LocalFileIdentity(const LocalPath& path) {
    struct stat st;
    if (!Stat(path, st))
        return std::nullopt;
    return FileIdentity{st.st_dev, st.st_ino};
}

bool RemoveLocalFile(const LocalPath& path) {
    const QByteArray bytes = path.bytes();
    if (::unlink(bytes.constData()) == 0)
        return true;
    return errno == ENOENT;
}

bool MakeLocalPath(const LocalPath& path) {
    const QByteArray bytes = path.bytes();
    // Each parent in turn, from the root down; one that exists already is passed over.
    for (qsizetype slash = bytes.indexOf('/', 1); slash > 0; slash = bytes.indexOf('/', slash + 1))
        ::mkdir(bytes.left(slash).constData(), 0777);
    ::mkdir(bytes.constData(), 0777);
    return IsLocalDir(path);
}

namespace {

// A file read through a descriptor this program opened, and closes itself when the file goes:
// the close is then this program's own call, which thread checkers see as the descriptor's end.
class DescriptorFile : public QFile {
  public:
    explicit DescriptorFile(int fd) : fd_(fd) {}
    DescriptorFile(const DescriptorFile&) = delete;
    DescriptorFile& operator=(const DescriptorFile&) = delete;
    ~DescriptorFile() override {
        QFile::close();
        ::close(fd_);
    }

  private:
    int fd_;
};

} // namespace

std::unique_ptr<QFile> OpenLocalFile(const LocalPath& path) {
    // Non-blocking, so that a named pipe under a photo's name cannot stall the open; only regular
    // files are kept.
    const int fd = ::open(path.bytes().constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return nullptr;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return nullptr;
    }
    auto file = std::make_unique<DescriptorFile>(fd);
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        return nullptr;
    return file;
}

} // namespace quorvane
