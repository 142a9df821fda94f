// Prepares the photos a run will reach on worker threads while the page renderer places the ones
// before them. The renderer takes them in list order and stays the only one that reports,
// stamps, places and writes: what a worker made is used only when the file still is as the
// worker found it, and anything that went wrong is done again by the renderer itself, so that
// messages, files, pages and the stop request behave as in a run without workers.
#pragma once

#include "files/LocalPath.h"

#include "render/PreparedPhoto.h"

#include <QString>
#include <QStringList>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace quorvane {

// What tells whether a file changed between two looks at it.
struct FileStamp {
    bool isFile = false;
    qint64 size = -1;
    qint64 modifiedSeconds = 0;
    qint64 modifiedNanoseconds = 0;

    static FileStamp Of(const LocalPath& path);
    bool operator==(const FileStamp&) const = default;
};

class PhotoPrefetch {
  public:
    using Prepare = std::function<PreparedPhoto(const LocalPath& path)>;

    // `order`: the indices into `paths` the run will reach, ascending. `workers` threads prepare
    // at most `lookahead` photos ahead of the one the renderer waits for.
    PhotoPrefetch(const QList<LocalPath>& paths, const std::vector<int>& order, Prepare prepare,
                  int workers, int lookahead);
    // Drops what was not taken and waits for the photos being prepared.
    ~PhotoPrefetch();
    PhotoPrefetch(const PhotoPrefetch&) = delete;
    PhotoPrefetch& operator=(const PhotoPrefetch&) = delete;

    // The photo prepared ahead for the index, waiting for its worker when it is being prepared.
    // nullopt when it was not prepared ahead, failed, or its file is no longer as the worker
    // found it (`now`): the caller then prepares it itself. Photos of the order before the index
    // are dropped; indices must be asked for in ascending order.
    std::optional<PreparedPhoto> take(int index, const FileStamp& now);

  private:
    struct Slot {
        int index = 0;
        enum State { Waiting, Working, Done } state = Waiting;
        PreparedPhoto photo;
        FileStamp stamp;
    };
    void work();
    bool canStart() const;

    const QList<LocalPath> paths_;
    const Prepare prepare_;
    const size_t lookahead_;
    std::vector<Slot> slots_;
    size_t next_ = 0;  // the first slot no worker has started
    size_t taken_ = 0; // the first slot the renderer has not passed
    bool closing_ = false;
    std::mutex mutex_;
    std::condition_variable workAvailable_;
    std::condition_variable photoDone_;
    std::vector<std::jthread> threads_;
};

} // namespace quorvane
