#include "imaging/CancellableDevice.h"

#include <QtGlobal>

#include <algorithm>
#include <mutex>

namespace quorvane {

namespace {

// Whether a device of this thread is refusing reads: what a decoder says then is about the end
// of data it was made to meet.
thread_local int t_refusing = 0;

QtMessageHandler g_previous = nullptr;

void DropWhileRefusing(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (t_refusing > 0)
        return;
    if (g_previous)
        g_previous(type, context, text);
}

} // namespace

void QuietCancelledDecodes() {
    static std::once_flag once;
    std::call_once(once, [] { g_previous = qInstallMessageHandler(DropWhileRefusing); });
}

CancellableDevice::~CancellableDevice() {
    if (refused_)
        --t_refusing;
}

CancellableDevice::CancellableDevice(QIODevice& source, CancelCheck cancelled,
                                     std::vector<int64_t> pauses)
    : source_(source), start_(source.pos()), cancelled_(std::move(cancelled)),
      pauses_(std::move(pauses)) {
    // Unbuffered: every read of the decoder reaches readData, and with it the cancel check.
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 CancellableDevice::size() const {
    return std::max<qint64>(0, source_.size() - start_);
}

bool CancellableDevice::seek(qint64 pos) {
    return QIODevice::seek(pos) && source_.seek(start_ + pos);
}

qint64 CancellableDevice::readData(char* data, qint64 maxSize) {
    if (refused_)
        return -1;
    if (cancelled_ && cancelled_()) {
        refused_ = true;
        ++t_refusing;
        return -1;
    }
    const int64_t at = source_.pos() - start_;
    const auto pause = std::upper_bound(pauses_.begin(), pauses_.end(), at);
    if (pause != pauses_.end())
        maxSize = std::min<qint64>(maxSize, *pause - at);
    return source_.read(data, maxSize);
}

qint64 CancellableDevice::writeData(const char*, qint64) {
    return -1;
}

} // namespace quorvane
