#include "render/PageOutput.h"

#include "files/LocalPath.h"
#include "imaging/JpegEncode.h"
#include "imaging/Raster.h"
#include "render/OutputFolder.h"

#include <QFile>
#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {

namespace {

constexpr int kLongSide = 640;
// The APP0 marker is looked for at positions 0 to 193 of the file's first 200 bytes.
constexpr int kLastMarkerPosition = 193;
// The bytes read: enough for a marker at the last position, its identifier and the stamp.
constexpr int kStampWindow = kLastMarkerPosition + 16;

// Position of the five resolution bytes in the first bytes of a JPEG, or -1.
int StampPosition(const char* data, int size) {
    const auto* b = reinterpret_cast<const unsigned char*>(data);
    const int n = std::min(size, kStampWindow);
    if (n < 2 || b[0] != 0xFF || b[1] != 0xD8)
        return -1;
    for (int i = 0; i <= kLastMarkerPosition && i + 1 < n; ++i) {
        if (b[i] != 0xFF || b[i + 1] != 0xE0)
            continue;
        // Only the first FF E0 counts; it must carry the JFIF identifier, and the file must hold
        // the five bytes (the stamp never lengthens it).
        if (i + 16 > n || b[i + 4] != 'J' || b[i + 5] != 'F' || b[i + 6] != 'I' || b[i + 7] != 'F')
            return -1;
        return i + 11;
    }
    return -1;
}

void PutStamp(char* at, int dpi) {
    at[0] = 0x01;
    at[1] = static_cast<char>((dpi >> 8) & 0xFF);
    at[2] = static_cast<char>(dpi & 0xFF);
    at[3] = at[1];
    at[4] = at[2];
}

} // namespace

QString PageFileName(int counter) {
    return QStringLiteral("page%1.jpg").arg(counter, 4, 10, QLatin1Char('0'));
}

QSize ReducedPageSize(int width, int height) {
    if (width <= 0 || height <= 0)
        return {1, 1};
    const qint64 w = width, h = height;
    if (w > h)
        return {kLongSide, static_cast<int>(std::max<qint64>(1, h * kLongSide / w))};
    return {static_cast<int>(std::max<qint64>(1, w * kLongSide / h)), kLongSide};
}

bool StampJfifResolution(QByteArray& jpeg, int dpi) {
    if (dpi < 1 || dpi > 65535)
        return false;
    const int at = StampPosition(jpeg.constData(),
                                 static_cast<int>(std::min<qsizetype>(jpeg.size(), kStampWindow)));
    if (at < 0)
        return false;
    PutStamp(jpeg.data() + at, dpi);
    return true;
}

bool StampJfifResolution(const LocalPath& path, int dpi) {
    if (dpi < 1 || dpi > 65535)
        return false;
    // By its exact bytes, and only a regular file.
    const int fd = ::open(path.bytes().constData(), O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadWrite, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    QByteArray head = file.read(kStampWindow);
    const int at = StampPosition(head.constData(), static_cast<int>(head.size()));
    if (at < 0)
        return false;
    char stamp[5];
    PutStamp(stamp, dpi);
    return file.seek(at) && file.write(stamp, 5) == 5 && file.flush();
}

std::optional<QByteArray> EncodePage(const QImage& page, const PageWriteOptions& options) {
    QImage out = page;
    if (!options.fullResolution) {
        // The encoder ignores alpha, so a full-size page shows a transparent background's own
        // colour; smooth scaling would blend through premultiplied alpha and turn it black.
        // The page is read as opaque so that both sizes show the same page: an RGB32 view of its
        // pixels ignores their alpha, as a conversion to RGB32 would, without copying the page.
        const QSize size = ReducedPageSize(page.width(), page.height());
        out = ScaledCopy(OpaqueView(page), size.width(), size.height());
    }
    auto bytes = EncodeJpeg(out, options.quality);
    if (bytes)
        StampJfifResolution(*bytes, options.dpi);
    return bytes;
}

text::Problem WriteProblem(const LocalPath& path, int errorCode) {
    return {text::ProblemCode::kPageNotWritten, {path.display().toStdString()}, errorCode};
}

PageWriteResult WritePage(const QImage& page, OutputFolder& folder, int counter,
                          const PageWriteOptions& options) {
    PageWriteResult result;
    const QString name = PageFileName(counter);
    result.path = folder.pathOf(name);
    if (options.keepExisting && folder.contains(name)) {
        result.outcome = PageWriteResult::KeptExisting;
        return result;
    }
    int errorCode = 0;
    const auto bytes = EncodePage(page, options);
    if (!bytes || !folder.write(name, *bytes, &errorCode)) {
        result.outcome = PageWriteResult::Failed;
        result.problem = WriteProblem(result.path, errorCode);
        return result;
    }
    result.outcome = PageWriteResult::Written;
    return result;
}

} // namespace quorvane
