#include "ExifTestBuilder.h"

#include "TestSupport.h"

namespace quorvane::test::exif {

std::string U16(Order order, uint32_t value) {
    std::string out(2, '\0');
    out[order == Order::kII ? 0 : 1] = static_cast<char>(value & 0xFF);
    out[order == Order::kII ? 1 : 0] = static_cast<char>((value >> 8) & 0xFF);
    return out;
}

std::string U32(Order order, uint32_t value) {
    std::string lo = U16(order, value & 0xFFFF), hi = U16(order, value >> 16);
    return order == Order::kII ? lo + hi : hi + lo;
}

IfdPlan& IfdPlan::Add(int tag, int type, uint32_t count, std::string valueBytes) {
    entries_.push_back({tag, type, count, std::move(valueBytes), std::nullopt});
    return *this;
}

IfdPlan& IfdPlan::Raw(int tag, int type, uint32_t count, uint32_t field) {
    entries_.push_back({tag, type, count, {}, field});
    return *this;
}

IfdPlan& IfdPlan::Ascii(int tag, const std::string& text) {
    std::string bytes = text + '\0';
    return Add(tag, 2, static_cast<uint32_t>(bytes.size()), bytes);
}

IfdPlan& IfdPlan::Shorts(int tag, const std::vector<uint32_t>& values) {
    std::string bytes;
    for (uint32_t v : values)
        bytes += U16(order_, v);
    return Add(tag, 3, static_cast<uint32_t>(values.size()), bytes);
}

IfdPlan& IfdPlan::Rational(int tag, uint32_t numerator, uint32_t denominator) {
    return Add(tag, 5, 1, U32(order_, numerator) + U32(order_, denominator));
}

IfdPlan& IfdPlan::Undefined(int tag, const std::string& bytes) {
    return Add(tag, 7, static_cast<uint32_t>(bytes.size()), bytes);
}

namespace {

size_t DataSize(const IfdPlan& ifd) {
    size_t size = 0;
    for (const auto& e : ifd.entries())
        if (!e.field && e.value.size() > 4)
            size += (e.value.size() + 1) & ~size_t{1};
    return size;
}

size_t BlockSize(const IfdPlan& ifd) {
    return 2 + 12 * ifd.entries().size() + 4 + DataSize(ifd);
}

// Serialises the IFD placed at `offset` (TIFF offsets) into `out`, which already has that size.
void WriteIfd(Order order, const IfdPlan& ifd, uint32_t offset, std::string& out) {
    const auto& entries = ifd.entries();
    uint32_t count = ifd.countOverride().value_or(static_cast<uint32_t>(entries.size()));
    std::string block = U16(order, count);
    std::string data;
    uint32_t dataOffset = offset + static_cast<uint32_t>(2 + 12 * entries.size() + 4);
    for (const auto& e : entries) {
        block += U16(order, e.tag) + U16(order, e.type) + U32(order, e.count);
        if (e.field) {
            block += U32(order, *e.field);
        } else if (e.value.size() <= 4) {
            block += e.value + std::string(4 - e.value.size(), '\0');
        } else {
            block += U32(order, dataOffset + static_cast<uint32_t>(data.size()));
            data += e.value;
            if (data.size() % 2)
                data += '\0';
        }
    }
    block += U32(order, 0) + data;
    out += block;
}

} // namespace

std::string TiffBuilder::Build() const {
    IfdPlan ifd0 = ifd0_;
    std::vector<std::pair<int, const IfdPlan*>> subs; // tag and IFD in file order
    if (!exif_.empty())
        subs.push_back({34665, &exif_});
    if (!gps_.empty())
        subs.insert(gpsFirst_ ? subs.begin() : subs.end(), {34853, &gps_});

    // IFD0 gets its pointer entries first (their sizes do not depend on the offsets).
    size_t ifd0Size = BlockSize(ifd0) + 12 * subs.size();
    std::vector<uint32_t> offsets;
    uint32_t next = ifd0Offset_ + static_cast<uint32_t>(ifd0Size);
    for (const auto& sub : subs) {
        offsets.push_back(next);
        next += static_cast<uint32_t>(BlockSize(*sub.second));
    }
    // Pointer entries in tag order, as cameras write them.
    for (int tag : {34665, 34853})
        for (size_t i = 0; i < subs.size(); ++i)
            if (subs[i].first == tag)
                ifd0.Raw(tag, 4, 1, offsets[i]);

    std::string out =
        (order_ == Order::kII ? "II" : "MM") + U16(order_, 42) + U32(order_, ifd0Offset_);
    out.resize(ifd0Offset_, '\0');
    WriteIfd(order_, ifd0, ifd0Offset_, out);
    for (size_t i = 0; i < subs.size(); ++i) {
        (subs[i].first == 34665 ? exifOffset_ : gpsOffset_) = offsets[i];
        WriteIfd(order_, *subs[i].second, offsets[i], out);
    }
    return out;
}

std::string Jpeg(const std::string& tiff, const JpegParts& parts) {
    std::string out = "\xFF\xD8";
    if (parts.app0)
        out += std::string("\xFF\xE0\x00\x10JFIF\0\x01\x01\x00\x00\x01\x00\x01\x00\x00", 18);
    if (parts.dqtFirst)
        out += std::string("\xFF\xDB\x00\x43", 4) + std::string(65, '\x01');
    size_t length = std::min<size_t>(2 + 6 + tiff.size(), 0xFFFF);
    out += "\xFF\xE1";
    out += static_cast<char>(length >> 8);
    out += static_cast<char>(length & 0xFF);
    out += std::string("Exif\0\0", 6) + tiff;
    out += "\xFF\xD9";
    if (out.size() < parts.padTo)
        out.resize(parts.padTo, '\0');
    return out;
}

int64_t TiffBaseOf(const JpegParts& parts) {
    return 12 + (parts.app0 ? 18 : 0) + (parts.dqtFirst ? 69 : 0);
}

Report ReportOf(const std::string& fileBytes, const quorvane::exif::ExifOptions& options) {
    TempDir dir;
    auto path = dir / "photo.jpg";
    WriteFile(path, fileBytes);
    Report report;
    report.code = quorvane::exif::ReadReport(path.string(), report.lines, options);
    return report;
}

std::string DateOf(const std::string& fileBytes, const quorvane::exif::ExifOptions& options) {
    TempDir dir;
    auto path = dir / "photo.jpg";
    WriteFile(path, fileBytes);
    return quorvane::exif::ShootingDate(path.string(), options);
}

} // namespace quorvane::test::exif
