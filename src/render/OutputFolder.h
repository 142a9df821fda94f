// The folder one press writes its pages into. Its own folders are opened one by one without
// following links, and every later test, write and removal goes through the open handle, so a
// link planted in it or in its place never leads a run elsewhere. While it is open it holds an
// advisory lock that keeps a second run out; the system drops the lock of a killed program.
#pragma once

#include "files/LocalPath.h"
#include "text/FileIO.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace quorvane {

class OutputFolder {
  public:
    enum Status {
        kOpen,
        kUnmakeable,  // it could not be made or opened
        kThroughLink, // one of its own folders is a symbolic link
        kLocked,      // another run is writing into it
    };

    // Opens parent + "/" + the components, making what is missing. The parent (the save folder)
    // is made with its parents and may be reached through links, as the operator chose it; each
    // component must be a real folder. With `fresh` the last component is made anew: when a
    // folder of that name exists, "-2", "-3", ... are appended until a new one is made. Temporary
    // files that a killed run left behind are removed once the lock is held.
    OutputFolder(const LocalPath& parent, const QStringList& components, bool fresh);
    // Releases the lock and removes the lock file.
    ~OutputFolder();
    OutputFolder(const OutputFolder&) = delete;
    OutputFolder& operator=(const OutputFolder&) = delete;

    Status status() const { return status_; }
    bool isOpen() const { return status_ == kOpen; }
    // The folder's path (its number included when one was appended), also when it failed.
    const LocalPath& path() const { return path_; }
    // The components as opened, so that a later press can open the same folder again.
    const QStringList& components() const { return components_; }
    // The open folder itself, for questions about where it lies.
    int descriptor() const { return fd_; }

    // The names in the folder, in byte order, without "." and "..".
    QStringList names() const;
    // True when anything stands under the name, a link or a folder included.
    bool contains(const QString& name) const;
    // The identity of the regular file under the name; nullopt for a link, a folder, anything
    // else or nothing.
    std::optional<FileIdentity> regularFile(const QString& name) const;
    // Writes the file atomically under the name; a link there is replaced, not followed. *error
    // receives the errno of a failure.
    bool write(const QString& name, const QByteArray& bytes, int* error = nullptr);
    // The same for a file made of pieces (text::FilePiece), some of them ranges of other files.
    bool write(const QString& name, const std::vector<text::FilePiece>& pieces,
               int* error = nullptr);
    // A scratch file in the folder that takes no name (text::OpenScratchInFolder): the caller
    // owns the descriptor. -1 with the errno in *error on failure.
    int openScratch(int* error = nullptr) const;
    // Removes the file (or link) under the name; true when it is gone.
    bool remove(const QString& name);
    LocalPath pathOf(const QString& name) const { return path_.joined(name); }

  private:
    void open(const LocalPath& parent, bool fresh);
    void lock();
    void removeLeftovers();

    Status status_ = kUnmakeable;
    LocalPath path_;
    QStringList components_;
    int fd_ = -1;
    int lockFd_ = -1;
};

} // namespace quorvane
