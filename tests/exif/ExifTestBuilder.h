// Hand-built TIFF/EXIF structures and JPEG files for the EXIF reader tests: IFD0 with optional
// Exif and GPS IFDs in either byte order, out-of-line values, and raw entries whose fields point
// anywhere.
#pragma once

#include "exif/ExifReader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvane::test::exif {

enum class Order { kII, kMM };

std::string U16(Order order, uint32_t value);
std::string U32(Order order, uint32_t value);

// One IFD's entries in file order.
class IfdPlan {
  public:
    explicit IfdPlan(Order order) : order_(order) {}

    // Value bytes as given: in the entry when at most 4 bytes, else in the data area after the IFD.
    IfdPlan& Add(int tag, int type, uint32_t count, std::string valueBytes);
    // An entry whose value-or-offset field is written as given (offsets pointing anywhere).
    IfdPlan& Raw(int tag, int type, uint32_t count, uint32_t field);
    IfdPlan& Ascii(int tag, const std::string& text); // NUL added
    IfdPlan& Shorts(int tag, const std::vector<uint32_t>& values);
    IfdPlan& Rational(int tag, uint32_t numerator, uint32_t denominator);
    IfdPlan& Undefined(int tag, const std::string& bytes);
    // Writes this number as the entry count instead of the real one.
    IfdPlan& CountOverride(uint32_t count) {
        countOverride_ = count;
        return *this;
    }

    bool empty() const { return entries_.empty(); }

    struct Entry {
        int tag;
        int type;
        uint32_t count;
        std::string value;
        std::optional<uint32_t> field;
    };
    const std::vector<Entry>& entries() const { return entries_; }
    std::optional<uint32_t> countOverride() const { return countOverride_; }

  private:
    Order order_;
    std::vector<Entry> entries_;
    std::optional<uint32_t> countOverride_;
};

// A TIFF structure: header, IFD0 (at offset 8 unless moved), then the Exif and GPS IFDs, each
// IFD followed by its out-of-line values. The pointer entries to the sub-IFDs are appended to
// IFD0 automatically when the sub-IFD has entries.
class TiffBuilder {
  public:
    explicit TiffBuilder(Order order) : order_(order), ifd0_(order), exif_(order), gps_(order) {}

    IfdPlan& ifd0() { return ifd0_; }
    IfdPlan& exif() { return exif_; }
    IfdPlan& gps() { return gps_; }
    TiffBuilder& Ifd0Offset(uint32_t offset) {
        ifd0Offset_ = offset;
        return *this;
    }
    TiffBuilder& GpsBeforeExif() {
        gpsFirst_ = true;
        return *this;
    }
    Order order() const { return order_; }

    std::string Build() const;
    // Offset of the Exif IFD inside the built TIFF bytes (valid after Build).
    uint32_t exifOffset() const { return exifOffset_; }
    uint32_t gpsOffset() const { return gpsOffset_; }

  private:
    Order order_;
    IfdPlan ifd0_, exif_, gps_;
    uint32_t ifd0Offset_ = 8;
    bool gpsFirst_ = false;
    mutable uint32_t exifOffset_ = 0;
    mutable uint32_t gpsOffset_ = 0;
};

struct JpegParts {
    bool app0 = false;     // a JFIF APP0 (length 16) before the APP1
    bool dqtFirst = false; // a quantisation table segment before the APP1
    size_t padTo = 0;      // zero bytes appended up to this size
};

// SOI, optional first segment, APP1 "Exif" 00 00 + tiff, then EOI.
std::string Jpeg(const std::string& tiff, const JpegParts& parts = {});

// The TIFF header position inside Jpeg(tiff, parts).
int64_t TiffBaseOf(const JpegParts& parts);

struct Report {
    int code = 0;
    std::vector<std::string> lines;
};

// Writes the bytes to a temporary file and reads them with ReadReport / ShootingDate.
Report ReportOf(const std::string& fileBytes, const quorvane::exif::ExifOptions& options = {});
std::string DateOf(const std::string& fileBytes, const quorvane::exif::ExifOptions& options = {});

} // namespace quorvane::test::exif
