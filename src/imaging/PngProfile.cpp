#include "imaging/PngProfile.h"

#include <QtEndian>
#include <zlib.h>

namespace quorvane {

namespace {

constexpr int kMaxChunks = 64;
constexpr qint64 kMaxPackedBytes = 4 << 20;
constexpr uLong kMaxProfileBytes = 16 << 20;

// zlib data unpacked, at most kMaxProfileBytes; empty when damaged or larger.
QByteArray Inflate(const QByteArray& packed) {
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return {};
    QByteArray out;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.constData()));
    stream.avail_in = static_cast<uInt>(packed.size());
    int status = Z_OK;
    char block[16384];
    while (status == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(block);
        stream.avail_out = sizeof block;
        status = inflate(&stream, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END)
            break;
        out.append(block, static_cast<qsizetype>(sizeof block - stream.avail_out));
        if (static_cast<uLong>(out.size()) > kMaxProfileBytes ||
            (status == Z_OK && stream.avail_in == 0 && stream.avail_out != 0)) {
            status = Z_DATA_ERROR;
            break;
        }
    }
    inflateEnd(&stream);
    return status == Z_STREAM_END ? out : QByteArray();
}

} // namespace

QByteArray PngIccProfile(QIODevice& device) {
    const qint64 start = device.pos();
    QByteArray profile;
    if (device.read(8) == QByteArray("\x89PNG\r\n\x1A\n", 8)) {
        for (int i = 0; i < kMaxChunks; ++i) {
            const QByteArray head = device.read(8);
            if (head.size() != 8)
                break;
            const qint64 length = qFromBigEndian<quint32>(head.constData());
            const QByteArray type = head.mid(4);
            if (type == "IDAT" || type == "IEND")
                break;
            if (type == "iCCP") {
                if (length > kMaxPackedBytes)
                    break;
                const QByteArray data = device.read(length);
                const qsizetype name = data.indexOf('\0');
                // A name of 1 to 79 bytes, its zero, the method (0: zlib), the packed profile.
                if (data.size() == length && name >= 1 && name <= 79 && name + 2 <= data.size() &&
                    data[name + 1] == 0)
                    profile = Inflate(data.mid(name + 2));
                break;
            }
            if (!device.seek(device.pos() + length + 4)) // the data and its CRC
                break;
        }
    }
    device.seek(start);
    return profile;
}

} // namespace quorvane
