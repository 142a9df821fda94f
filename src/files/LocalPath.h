// Paths as the file system holds them. File names are bytes; Qt reads them as UTF-8, leaves names
// that are not UTF-8 out of its listings and cannot open them (folders unpacked from Windows
// archives hold CP932 or Latin-1 names). A LocalPath keeps a path's exact bytes; it converts from
// and to text only by name (FromText, text(), display()), never implicitly, so that a path cannot
// reach QFile, QFileInfo, QDir or QImageReader by mistake: the functions here are the way to the
// file system by name, and display() the way to people.
//
// Its text form turns every byte that is not part of valid UTF-8 into the code point U+DC00 + byte
// (U+DC80..U+DCFF, lone surrogates that no decoded text contains); it is what text boxes and the
// settings file hold, and it comes back to the same bytes. Names (one component of a path) are
// handled in the same text form.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QHashFunctions>
#include <QString>

#include <memory>
#include <optional>
#include <sys/types.h>

namespace quorvane {

class LocalPath {
  public:
    LocalPath() = default;
    // The path of exactly these bytes.
    static LocalPath FromBytes(const QByteArray& bytes);
    // A path in text form: typed or chosen by a person, read from a settings file, or made by
    // text() (whose foreign bytes come back).
    static LocalPath FromText(const QString& text);

    QByteArray bytes() const;
    // The text form (see above): for text boxes and settings files, not for people.
    const QString& text() const { return text_; }
    // The path as people read it. Each "/"-separated part that holds foreign bytes is decoded as
    // a whole as CP932 (names written on Japanese Windows) when that gives readable text;
    // otherwise its undecodable bytes are written as "\xNN" (two lower-case hex digits).
    QString display() const;
    // The same for one line of the batch command's output: the text escaped by EscapeLine (see
    // LineEscape.h) as well, so that the path stays one field of one line and every backslash in
    // it starts an escape.
    QString escapedDisplay() const;
    bool isEmpty() const { return text_.isEmpty(); }
    // True when the path holds bytes that are not UTF-8.
    bool hasForeignBytes() const;

    // The path of a name (text form) in this folder: one "/" between them.
    LocalPath joined(const QString& name) const;
    // The part after the last "/" (text form), and the part up to and including it.
    QString fileName() const;
    LocalPath folderWithSlash() const;

    bool operator==(const LocalPath&) const = default;
    bool operator<(const LocalPath& other) const { return text_ < other.text_; }

  private:
    explicit LocalPath(QString text) : text_(std::move(text)) {}
    QString text_;
};

inline size_t qHash(const LocalPath& path, size_t seed = 0) {
    return qHash(path.text(), seed);
}

// A name's bytes to its text form and back (see above).
QString DecodeName(const QByteArray& bytes);
QByteArray EncodeName(const QString& name);
// A name or any other text form as people read it, as LocalPath::display() shows a path, and
// for one line of output as LocalPath::escapedDisplay() does.
QString DisplayName(const QString& name);
QString EscapedDisplayName(const QString& name);

// File-system queries by exact bytes; symbolic links are followed.
bool IsLocalFile(const LocalPath& path); // a regular file
bool IsLocalDir(const LocalPath& path);
bool LocalPathExists(const LocalPath& path); // anything, a dangling symbolic link included
// The absolute path with every symbolic link, "." and ".." resolved (realpath); empty when the
// path does not exist.
LocalPath CanonicalLocalPath(const LocalPath& path);
// Which file or folder a path names: device and inode. Two paths name one file exactly when their
// identities are equal, whatever links, bind mounts, hard links or letter cases lead to it.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};
// The identity of what the path names, links followed; nullopt when nothing is there.
std::optional<FileIdentity> LocalFileIdentity(const LocalPath& path);
// Removes a file (or a symbolic link itself); true when it is gone.
bool RemoveLocalFile(const LocalPath& path);
// Makes the folder and every missing parent; true when the path is a folder afterwards.
bool MakeLocalPath(const LocalPath& path);

// The file opened for reading by its exact bytes, ready to hand to QImageReader or to read whole;
// nullptr when it cannot be opened or is not a regular file (opened without blocking, so that a
// named pipe cannot stall it).
std::unique_ptr<QFile> OpenLocalFile(const LocalPath& path);

} // namespace quorvane
