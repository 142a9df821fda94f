#include "exif/ExifReader.h"

#include "exif/ContainerExif.h"
#include "exif/ExifBuffer.h"
#include "exif/IfdEntry.h"
#include "exif/MakerNoteBlock.h"
#include "exif/ReadPacer.h"
#include "exif/TagNames.h"
#include "exif/TiffHeader.h"
#include "exif/ValueFormatter.h"

namespace quorvane::exif {

namespace {

constexpr int64_t kMaxReportEntries = 63;
// A sub-IFD pointer must lie past the TIFF header's own bytes to be followed.
constexpr int64_t kMinSubIfdPosition = 13;
constexpr int kTypeAscii = 2;
constexpr int kTypeUndefined = 7;
constexpr int64_t kErrorDumpBytes = 32;
constexpr const char* kNameValueSeparator = ":    ";

bool CountInReportRange(int64_t count) {
    return count >= 1 && count <= kMaxReportEntries;
}

// One photo's head, its TIFF header and the readers over it, for the length of one query.
class PhotoRead {
  public:
    explicit PhotoRead(const ExifOptions& options)
        : options_(options), pacer_(options.yield, options.stopRequested),
          formatter_(buffer_, {options.maxTagLineCol, options.maxDumpBinCt}, pacer_) {}

    // Loads the file and reads its TIFF header; the status of the load. A HEIF, WebP or TIFF
    // file's TIFF structure is put behind a camera JPEG's head (see ContainerExif.h).
    LoadStatus Load(const std::string& path) {
        LoadStatus status = LoadPhotoHead(path, buffer_);
        if (status != LoadStatus::kLoaded)
            return status;
        const Container container = ContainerOf(buffer_);
        if (container != Container::kJpeg && container != Container::kOther &&
            !LoadContainerExif(path, container, buffer_))
            return LoadStatus::kNothingRead;
        header_ = ReadTiffHeader(buffer_);
        return status;
    }

    const ExifBuffer& buffer() const { return buffer_; }
    const TiffHeader& header() const { return header_; }
    ByteOrder order() const { return header_.order; }
    ReadPacer& pacer() { return pacer_; }
    const ValueFormatter& formatter() const { return formatter_; }
    IfdLookup lookup() const { return IfdLookup(buffer_, header_.base, pacer_); }

    IfdEntry Entry(int64_t ifd, int64_t index) const {
        return ReadEntry(buffer_, header_.order, header_.base, EntryPosition(ifd, index));
    }
    std::string ValueText(const IfdEntry& e) const {
        return formatter_.FormatValue(e.type, header_.order, e.byteSize, e.valuePosition);
    }
    std::string EntryLine(int ifdKind, const IfdEntry& e) const {
        return EntryName(ifdKind, e.tag, options_.japaneseNames) + kNameValueSeparator +
               ValueText(e);
    }
    // IFD0 text of an ASCII tag (Make, Model).
    std::string Ifd0Text(int tag) const {
        int64_t ifd0 = header_.ifd0;
        return formatter_.FormatValue(kTypeAscii, header_.order,
                                      lookup().FindSize(ifd0, header_.order, tag),
                                      lookup().FindValue(ifd0, header_.order, tag));
    }

    // The Exif or GPS block: one line per entry (the Exif IFD's MakerNote left out), or the
    // "IFD ptr: " error text when the entry count is outside 1 to 63.
    std::string SubIfdBlock(int ifdKind, int64_t ifd) {
        int64_t count = buffer_.ReadUnsigned(2, header_.order, ifd);
        if (!CountInReportRange(count))
            return "IFD ptr: " + Hex8(ifd) + "    " +
                   formatter_.FormatValue(kTypeUndefined, header_.order, kErrorDumpBytes, ifd);
        std::string block;
        for (int64_t i = 0; i < count; ++i) {
            if (!pacer_.Step())
                break;
            IfdEntry e = Entry(ifd, i);
            if (ifdKind == kIfdKindExif && e.tag == kTagMakerNote)
                continue;
            block += EntryLine(ifdKind, e) + "\n";
        }
        return block;
    }

  private:
    const ExifOptions& options_;
    ExifBuffer buffer_;
    TiffHeader header_;
    mutable ReadPacer pacer_;
    ValueFormatter formatter_;
};

} // namespace

std::string ShootingDate(const std::string& path, const ExifOptions& options) {
    PhotoRead read(options);
    if (read.Load(path) != LoadStatus::kLoaded || !IsJpeg(read.buffer()))
        return {};
    const TiffHeader& h = read.header();
    if (!h.magicOk || !CountInReportRange(h.ifd0Count))
        return {};
    int64_t exifIfd = read.lookup().FindValue(h.ifd0, h.order, kTagExifIfd);
    if (exifIfd < kMinSubIfdPosition)
        return {};
    int64_t entry = read.lookup().FindEntry(exifIfd, h.order, kTagDateTimeOriginal);
    if (entry <= exifIfd)
        return {};
    IfdEntry e = ReadEntry(read.buffer(), h.order, h.base, entry);
    int64_t position = read.lookup().FindValue(exifIfd, h.order, kTagDateTimeOriginal);
    return read.formatter().FormatValue(e.type, h.order, e.byteSize, position);
}

int ReadReport(const std::string& path, std::vector<std::string>& lines,
               const ExifOptions& options) {
    lines.clear();
    PhotoRead read(options);
    switch (read.Load(path)) {
    case LoadStatus::kMissing:
        return kReportNoFile;
    case LoadStatus::kOpenFailed:
        return kReportDone;
    case LoadStatus::kNothingRead:
        return kReportNothingRead;
    case LoadStatus::kLoaded:
        break;
    }
    if (!IsJpeg(read.buffer()))
        return kReportNotJpeg;

    const TiffHeader& h = read.header();
    lines.push_back(h.order == ByteOrder::kLittle ? "II :インテル形式" : "MM :モトローラー形式");
    if (!h.magicOk)
        return kReportNoTiffMagic;
    if (h.ifd0Count <= 0)
        return kReportNoEntries;
    if (h.ifd0Count > kMaxReportEntries)
        return kReportTooManyEntries;

    const std::string make = read.Ifd0Text(kTagMake);
    const std::string model = read.Ifd0Text(kTagModel);

    for (int64_t i = 0; i < h.ifd0Count; ++i) {
        if (!read.pacer().Step())
            break;
        lines.push_back(read.EntryLine(kIfdKindIfd0, read.Entry(h.ifd0, i)));
    }

    int64_t exifIfd = read.lookup().FindValue(h.ifd0, h.order, kTagExifIfd);
    if (exifIfd >= kMinSubIfdPosition) {
        lines.push_back(read.SubIfdBlock(kIfdKindExif, exifIfd));
        int64_t makerNote = read.lookup().FindValue(exifIfd, h.order, kTagMakerNote);
        if (options.makerNotes && makerNote > exifIfd) {
            MakerNoteContext context{read.formatter(), h.app1Shift(), options.settingsFolder};
            lines.push_back("<< MakeNote >>");
            lines.push_back(MakerNoteBlock(context, make, model, options.japaneseNames, exifIfd,
                                           makerNote, h.order));
        }
    }

    int64_t gpsIfd = read.lookup().FindValue(h.ifd0, h.order, kTagGpsIfd);
    if (gpsIfd >= kMinSubIfdPosition)
        lines.push_back(read.SubIfdBlock(kIfdKindGps, gpsIfd));
    return kReportDone;
}

} // namespace quorvane::exif
