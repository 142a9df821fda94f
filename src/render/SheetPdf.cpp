#include "render/SheetPdf.h"

#include "imaging/JpegMarkers.h"
#include "render/OutputFolder.h"

#include <QBuffer>
#include <cerrno>
#include <unistd.h>

namespace quorvane {

namespace {

// Objects the tail writes anew each time; the pages' objects follow them.
constexpr int kCatalogObject = 1;
constexpr int kPagesObject = 2;
constexpr int kInfoObject = 3;
// PDF 1.4; the second line's bytes above 127 tell tools that the file holds binary data.
constexpr char kHeader[] = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
constexpr int kKidsPerLine = 10;

QByteArray Number(int64_t value) {
    return QByteArray::number(static_cast<qlonglong>(value));
}

QByteArray Reference(int object) {
    return Number(object) + " 0 R";
}

} // namespace

QByteArray PdfPoints(int pixels, int dpi) {
    const double points = static_cast<double>(pixels) * 72.0 / static_cast<double>(dpi);
    QByteArray text = QByteArray::number(points, 'f', 4);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    return text;
}

SheetPdf::~SheetPdf() {
    if (scratch_ >= 0)
        ::close(scratch_);
}

bool SheetPdf::append(const QByteArray& bytes) {
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::pwrite(scratch_, p, static_cast<size_t>(left), length_);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error_ = errno;
            return false;
        }
        p += n;
        left -= n;
        length_ += n;
    }
    return true;
}

int SheetPdf::beginObject() {
    offsets_.push_back(length_);
    const int number = static_cast<int>(offsets_.size()) - 1;
    return append(Number(number) + " 0 obj\n") ? number : 0;
}

int SheetPdf::streamObject(const QByteArray& dictionary, const QByteArray& data) {
    const int number = beginObject();
    if (number == 0 ||
        !append("<< " + dictionary + " /Length " + Number(data.size()) + " >>\nstream\n") ||
        !append(data) || !append("\nendstream\nendobj\n"))
        return 0;
    return number;
}

QByteArray SheetPdf::colourSpace(int components, const QByteArray& profile) {
    if (components == 1)
        return "/DeviceGray";
    if (components != 3)
        return {};
    if (profile.isEmpty())
        return "/DeviceRGB";
    auto found = profiles_.find(profile);
    if (found == profiles_.end()) {
        const int object = streamObject("/N 3 /Alternate /DeviceRGB", profile);
        if (object == 0)
            return {};
        found = profiles_.emplace(profile, object).first;
    }
    return "[/ICCBased " + Reference(found->second) + "]";
}

SheetPdf::Added SheetPdf::addPage(const OutputFolder& folder, const QByteArray& jpeg, int dpi,
                                  int* error) {
    QBuffer buffer;
    buffer.setData(jpeg);
    buffer.open(QIODevice::ReadOnly);
    const JpegStructure structure = ReadJpegStructure(buffer);
    const int components = static_cast<int>(structure.components.size());
    if (!structure.frame || structure.width < 1 || structure.height < 1 || dpi < 1 ||
        (components != 1 && components != 3))
        return Added::kNotJpeg;
    if (scratch_ < 0) {
        scratch_ = folder.openScratch(&error_);
        if (scratch_ < 0 || !append(QByteArray(kHeader))) {
            if (error)
                *error = error_;
            return Added::kFailed;
        }
    }
    // A page that cannot be written whole is taken back: the next one is written in its place.
    const int64_t length = length_;
    const size_t objects = offsets_.size();
    const auto profiles = profiles_;
    const auto failed = [&] {
        length_ = length;
        offsets_.resize(objects);
        profiles_ = profiles;
        if (error)
            *error = error_;
        return Added::kFailed;
    };
    const QByteArray space = colourSpace(components, structure.iccProfile);
    if (space.isEmpty())
        return failed();
    const int image =
        streamObject("/Type /XObject /Subtype /Image /Width " + Number(structure.width) +
                         " /Height " + Number(structure.height) + " /ColorSpace " + space +
                         " /BitsPerComponent 8 /Filter /DCTDecode",
                     jpeg);
    const QByteArray width = PdfPoints(structure.width, dpi);
    const QByteArray height = PdfPoints(structure.height, dpi);
    const int content =
        image == 0 ? 0 : streamObject({}, "q\n" + width + " 0 0 " + height + " 0 0 cm\n/Im1 Do\nQ");
    if (content == 0)
        return failed();
    const int page = beginObject();
    if (page == 0 ||
        !append("<< /Type /Page /Parent " + Reference(kPagesObject) + " /MediaBox [0 0 " + width +
                " " + height + "] /Resources << /XObject << /Im1 " + Reference(image) +
                " >> >> /Contents " + Reference(content) + " >>\nendobj\n"))
        return failed();
    pageObjects_.push_back(page);
    return Added::kAdded;
}

QByteArray SheetPdf::tail() const {
    std::vector<int64_t> offsets = offsets_;
    QByteArray out;
    const auto object = [&](int number, const QByteArray& body) {
        offsets[static_cast<size_t>(number)] = length_ + out.size();
        out += Number(number) + " 0 obj\n" + body + "\nendobj\n";
    };
    QByteArray kids;
    for (size_t i = 0; i < pageObjects_.size(); ++i)
        kids += (i == 0 ? "" : i % kKidsPerLine == 0 ? "\n" : " ") + Reference(pageObjects_[i]);
    object(kPagesObject,
           "<< /Type /Pages /Kids [" + kids + "] /Count " + Number(pageCount()) + " >>");
    object(kCatalogObject, "<< /Type /Catalog /Pages " + Reference(kPagesObject) + " >>");
    object(kInfoObject, "<< /Producer (Quorvane) /Creator (Quorvane) >>");
    const int64_t xref = length_ + out.size();
    out += "xref\n0 " + Number(static_cast<int64_t>(offsets.size())) + "\n";
    out += "0000000000 65535 f \n";
    for (size_t i = 1; i < offsets.size(); ++i)
        out += QByteArray::number(static_cast<qlonglong>(offsets[i])).rightJustified(10, '0') +
               " 00000 n \n";
    out += "trailer\n<< /Size " + Number(static_cast<int64_t>(offsets.size())) + " /Root " +
           Reference(kCatalogObject) + " /Info " + Reference(kInfoObject) + " >>\nstartxref\n" +
           Number(xref) + "\n%%EOF\n";
    return out;
}

bool SheetPdf::write(OutputFolder& folder, const QString& name, int* error) const {
    if (scratch_ < 0 || pageObjects_.empty()) {
        if (error)
            *error = EINVAL;
        return false;
    }
    const QByteArray end = tail();
    return folder.write(
        name,
        {text::FilePiece{{}, scratch_, 0, length_},
         text::FilePiece{std::string_view(end.constData(), static_cast<size_t>(end.size()))}},
        error);
}

} // namespace quorvane
