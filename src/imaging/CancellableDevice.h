// A photo file as a decoder reads it, with a way to end the decode early: once the cancel check
// says so every read fails, so the decoder meets the end of its data and finishes soon after
// (its pixels are then thrown away). Reads also pause at given offsets, the starts of a JPEG's
// scans, so the check is made at least once a scan however little data a scan holds.
#pragma once

#include <QIODevice>
#include <cstdint>
#include <functional>
#include <vector>

namespace quorvane {

// Whether a stop was asked for; called from the decoding thread, so it must be thread-safe.
using CancelCheck = std::function<bool()>;

class CancellableDevice : public QIODevice {
  public:
    // Reads `source` from its position on (offset 0 of this device) to its end. `pauses`:
    // ascending offsets no single read goes past. Opened for reading at once.
    CancellableDevice(QIODevice& source, CancelCheck cancelled, std::vector<int64_t> pauses = {});
    ~CancellableDevice() override;

    bool isSequential() const override { return false; }
    qint64 size() const override;
    bool seek(qint64 pos) override;
    // Whether a read was refused because of the cancel check.
    bool cancelled() const { return refused_; }

  protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 maxSize) override;

  private:
    QIODevice& source_;
    const qint64 start_;
    const CancelCheck cancelled_;
    const std::vector<int64_t> pauses_;
    bool refused_ = false;
};

// Keeps the decoders' complaints about a decode that was cancelled (the end of data they meet
// once reads are refused: "libpng error: Read Error") off stderr; every other message passes on
// to the handler installed before. Installed once by a program at its start.
void QuietCancelledDecodes();

} // namespace quorvane
