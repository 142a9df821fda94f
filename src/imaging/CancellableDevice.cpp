#include "imaging/CancellableDevice.h"

#include <algorithm>

namespace quorvane {

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
    if (refused_ || (cancelled_ && cancelled_())) {
        refused_ = true;
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
