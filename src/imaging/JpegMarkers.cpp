#include "imaging/JpegMarkers.h"

#include <QByteArray>
#include <cstring>
#include <map>

namespace quorvane {

namespace {

constexpr qint64 kBlockSize = qint64{64} * 1024;

// The device's bytes one at a time, read in blocks; -1 at the end of the data.
class ByteSource {
  public:
    explicit ByteSource(QIODevice& device)
        : device_(device), block_(kBlockSize, Qt::Uninitialized) {}

    int next() {
        if (at_ == end_ && !fill())
            return -1;
        return static_cast<unsigned char>(block_.constData()[at_++]);
    }
    // Offset of the next byte from where the source began.
    int64_t offset() const { return blockStart_ + at_; }
    // Passes over n bytes; false when the data ends first.
    bool skip(int64_t n) {
        while (n > 0) {
            if (at_ == end_ && !fill())
                return false;
            const int64_t step = std::min<int64_t>(n, end_ - at_);
            at_ += step;
            n -= step;
        }
        return true;
    }
    // Passes over coded data up to the next marker and returns its code (the byte after 0xFF),
    // or -1 at the end of the data. In coded data 0xFF is followed by 0x00 (a data byte) or by a
    // restart marker D0-D7, neither of which ends it; fill bytes 0xFF may precede a marker.
    int skipCodedData() {
        for (;;) {
            if (at_ == end_ && !fill())
                return -1;
            const char* from = block_.constData() + at_;
            const void* ff = std::memchr(from, 0xFF, static_cast<size_t>(end_ - at_));
            if (!ff) {
                at_ = end_;
                continue;
            }
            at_ += static_cast<const char*>(ff) - from + 1;
            int code = next();
            while (code == 0xFF)
                code = next();
            if (code == -1)
                return -1;
            if (code != 0x00 && (code < 0xD0 || code > 0xD7))
                return code;
        }
    }

  private:
    bool fill() {
        blockStart_ += end_;
        at_ = end_ = 0;
        const qint64 read = device_.read(block_.data(), kBlockSize);
        if (read <= 0)
            return false;
        end_ = read;
        return true;
    }

    QIODevice& device_;
    QByteArray block_;
    int64_t blockStart_ = 0;
    int64_t at_ = 0;
    int64_t end_ = 0;
};

bool IsFrameMarker(int code) {
    // SOF0-SOF15 except DHT (C4), JPG (C8) and DAC (CC).
    return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

bool IsProgressiveFrame(int code) {
    return code == 0xC2 || code == 0xC6 || code == 0xCA || code == 0xCE;
}

// Markers that stand alone, without a length: TEM, RST0-RST7 and SOI.
bool IsStandalone(int code) {
    return code == 0x01 || (code >= 0xD0 && code <= 0xD8);
}

// Reads a frame header's payload (length bytes) into the structure; false when it is cut short.
bool ReadFrame(ByteSource& in, int length, int code, JpegStructure& s) {
    // precision, height (2), width (2), component count, then 3 bytes per component.
    if (length < 6)
        return false;
    int head[6];
    for (int& byte : head)
        if ((byte = in.next()) < 0)
            return false;
    length -= 6;
    s.frame = true;
    s.progressive = IsProgressiveFrame(code);
    s.height = head[1] << 8 | head[2];
    s.width = head[3] << 8 | head[4];
    const int count = head[5];
    for (int i = 0; i < count && length >= 3; ++i, length -= 3) {
        const int id = in.next(), sampling = in.next(), table = in.next();
        if (id < 0 || sampling < 0 || table < 0)
            return false;
        s.components.push_back({sampling >> 4, sampling & 0x0F});
    }
    return in.skip(length);
}

// An APP2 segment's payload (length bytes): when it is a numbered part of an ICC profile, kept.
bool ReadIccPart(ByteSource& in, int length, std::map<int, QByteArray>& parts, int& count) {
    static const char kMark[] = "ICC_PROFILE"; // with its zero byte: 12 bytes
    if (length < 14)
        return in.skip(length);
    QByteArray head(14, Qt::Uninitialized);
    for (char& c : head) {
        const int byte = in.next();
        if (byte < 0)
            return false;
        c = static_cast<char>(byte);
    }
    if (std::memcmp(head.constData(), kMark, sizeof kMark) != 0)
        return in.skip(length - 14);
    const int sequence = static_cast<unsigned char>(head[12]);
    count = static_cast<unsigned char>(head[13]);
    QByteArray part(length - 14, Qt::Uninitialized);
    for (char& c : part) {
        const int byte = in.next();
        if (byte < 0)
            return false;
        c = static_cast<char>(byte);
    }
    parts.emplace(sequence, std::move(part));
    return true;
}

// The parts numbered 1 to count, all present, joined.
QByteArray JoinIccParts(const std::map<int, QByteArray>& parts, int count) {
    if (count < 1 || static_cast<int>(parts.size()) != count || parts.begin()->first != 1 ||
        parts.rbegin()->first != count)
        return {};
    QByteArray icc;
    for (const auto& part : parts)
        icc += part.second;
    return icc;
}

} // namespace

JpegStructure ReadJpegStructure(QIODevice& device) {
    JpegStructure s;
    const qint64 start = device.pos();
    ByteSource in(device);
    if (in.next() != 0xFF || in.next() != 0xD8) {
        device.seek(start);
        return s;
    }
    s.jpeg = true;
    int code = -1; // a marker already found after coded data
    std::map<int, QByteArray> iccParts;
    int iccCount = 0;
    for (;;) {
        if (code < 0) {
            // Anything up to the next 0xFF is passed over, as the decoder does (with a warning).
            int byte = in.next();
            while (byte >= 0 && byte != 0xFF)
                byte = in.next();
            while (byte == 0xFF)
                byte = in.next();
            code = byte;
        }
        const int marker = code;
        code = -1;
        if (marker < 0 || marker == 0xD9) // end of the data or of the image
            break;
        if (IsStandalone(marker))
            continue;
        const int high = in.next(), low = in.next();
        if (low < 0)
            break;
        const int length = (high << 8 | low) - 2; // the payload after the two length bytes
        if (length < 0)
            break;
        if (IsFrameMarker(marker) && !s.frame) {
            if (!ReadFrame(in, length, marker, s))
                break;
            continue;
        }
        if (marker == 0xE2 && s.scans == 0) {
            if (!ReadIccPart(in, length, iccParts, iccCount))
                break;
            continue;
        }
        if (marker != 0xDA) {
            if (!in.skip(length))
                break;
            continue;
        }
        // A scan: its header, then coded data up to the next marker.
        s.scanStarts.push_back(in.offset() - 4);
        if (++s.scans == 1) {
            const int count = length < 1 ? -1 : in.next();
            if (count < 0)
                break;
            s.firstScanComponents = count;
            if (!in.skip(length - 1))
                break;
            if (s.frame && !s.multiScan())
                break; // the only scan the decoder takes
        } else if (!in.skip(length)) {
            break;
        }
        if (s.tooManyScans())
            break;
        code = in.skipCodedData();
    }
    s.iccProfile = JoinIccParts(iccParts, iccCount);
    device.seek(start);
    return s;
}

} // namespace quorvane
