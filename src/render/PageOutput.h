// Writing finished pages: "page%04d.jpg" in the output folder, reduced to a longest side of 640
// pixels (or kept at full size), JPEG at the chosen quality, with the layout's resolution stamped
// into the JFIF header.
#pragma once

#include "files/LocalPath.h"
#include "text/Problem.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

namespace quorvane {

class OutputFolder;

// "page0001.jpg" for counter 1.
QString PageFileName(int counter);

// The reduced size of a page: a landscape page becomes 640 x (height x 640 / width), any other
// (width x 640 / height) x 640, in integer arithmetic; never below 1 x 1.
QSize ReducedPageSize(int width, int height);

// Stamps the resolution into JPEG bytes: the first FF E0 marker at positions 0 to 193, when
// "JFIF" follows at marker + 4, gets 01 (dots per inch) and dpi as two 16-bit big-endian values
// at marker + 11. Nothing changes when dpi is outside 1-65535, there is no such header or the
// data end before the stamp's last byte. Returns whether it stamped. The length never changes.
bool StampJfifResolution(QByteArray& jpeg, int dpi);
// The same on a file, rewritten in place (only those five bytes).
bool StampJfifResolution(const LocalPath& path, int dpi);

struct PageWriteOptions {
    int quality = 90;            // JPEG quality 0-100
    int dpi = 300;               // stamped into the header
    bool keepExisting = false;   // "既存のファイルは上書きしない"
    bool fullResolution = false; // write the page at its own size instead of 640 on the long side
};

struct PageWriteResult {
    enum Outcome { Written, KeptExisting, Failed } outcome = Failed;
    LocalPath path;
    std::optional<text::Problem> problem; // for Failed: what went wrong, naming the file
};

// The page as the bytes of its file: reduced unless at full resolution, encoded and stamped;
// nullopt when it cannot be encoded.
std::optional<QByteArray> EncodePage(const QImage& page, const PageWriteOptions& options);

// The problem of a file of the run that could not be written: kPageNotWritten naming the file as
// people read it, with the errno (0 when none is known).
text::Problem WriteProblem(const LocalPath& path, int errorCode);

// Writes the page as PageFileName(counter) in the folder. The file is replaced atomically, so a
// failed write never leaves a half-written page under the final name, and a link under that name
// is replaced, never followed.
PageWriteResult WritePage(const QImage& page, OutputFolder& folder, int counter,
                          const PageWriteOptions& options);

} // namespace quorvane
