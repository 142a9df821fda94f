// Paths as the file system holds them. File names are bytes; Qt reads them as UTF-8, leaves names
// that are not UTF-8 out of its listings and cannot open them (folders unpacked from Windows
// archives hold CP932 or Latin-1 names). Quorvane keeps such a path in a QString by turning every
// byte that is not part of valid UTF-8 into the code point U+DC00 + byte (U+DC80..U+DCFF, lone
// surrogates that no decoded text contains), so its exact bytes travel through the photo list and
// the renderer unchanged. Only the functions here turn it back into bytes: a path that may hold
// such bytes goes to the file system through them, never through QFile, QFileInfo, QDir or
// QImageReader by name, and is shown to people through DisplayPath().
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>
#include <optional>
#include <sys/types.h>

namespace quorvane {

// Bytes of a path to the QString form above: valid UTF-8 sequences decoded, every other byte
// kept as U+DC00 + byte.
QString DecodeLocalPath(const QByteArray& bytes);
// The exact bytes again: U+DC80..U+DCFF become their byte, everything else UTF-8.
QByteArray EncodeLocalPath(const QString& path);
// True when the path holds bytes that are not UTF-8.
bool HasForeignBytes(const QString& path);

// The path as people read it. Each "/"-separated part that holds foreign bytes is decoded as a
// whole as CP932 (names written on Japanese Windows) when that gives readable text; otherwise its
// undecodable bytes are written as "\xNN" (two lower-case hex digits). Other parts stay as they
// are.
QString DisplayPath(const QString& path);
// The same for one line of the batch command's output: the text escaped by EscapeLine (see
// LineEscape.h) and the undecodable bytes as "\xNN" as ever, so that the path stays one field of
// one line and every backslash in it starts an escape.
QString EscapedDisplayPath(const QString& path);

// File-system queries by exact bytes; symbolic links are followed.
bool IsLocalFile(const QString& path); // a regular file
bool IsLocalDir(const QString& path);
bool LocalPathExists(const QString& path); // anything, a dangling symbolic link included
bool IsLocalSymLink(const QString& path);  // the path itself is a symbolic link
// The absolute path with every symbolic link, "." and ".." resolved (realpath), in the same
// QString form; empty when the path does not exist. Compare these to tell whether two paths
// name one file.
QString CanonicalLocalPath(const QString& path);
// Which file or folder a path names: device and inode. Two paths name one file exactly when their
// identities are equal, whatever links, bind mounts, hard links or letter cases lead to it.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};
// The identity of what the path names, links followed; nullopt when nothing is there.
std::optional<FileIdentity> LocalFileIdentity(const QString& path);
// Removes a file (or a symbolic link itself); true when it is gone.
bool RemoveLocalFile(const QString& path);
// Makes the folder and every missing parent; true when the path is a folder afterwards.
bool MakeLocalPath(const QString& path);
// Writes the bytes to the file atomically (see text::WriteFileAtomically); *error receives the
// errno of a failure.
bool WriteLocalFileAtomically(const QString& path, const QByteArray& bytes, int* error = nullptr);

// The file opened for reading by its exact bytes, ready to hand to QImageReader or to read whole;
// nullptr when it cannot be opened.
std::unique_ptr<QFile> OpenLocalFile(const QString& path);

} // namespace quorvane
