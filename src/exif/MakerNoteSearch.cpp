#include "exif/MakerNoteSearch.h"

#include "exif/IfdEntry.h"
#include "exif/TiffHeader.h"

namespace quorvane::exif {

namespace {

constexpr int64_t kMaxIfdPosition = 65536;
constexpr int64_t kMaxNoteEntries = 255;
constexpr int kMaxPlausibleType = 16;
constexpr int64_t kMaxDataOffset = 0x7FFFFFF;
constexpr int64_t kWindow = 32; // bytes looked at in each step of the search
// The count of a maker-note IFD in the classic place after a 12-byte header.
constexpr int64_t kCommonCountOffset = 12;

bool Printable(uint8_t byte) {
    return byte >= 0x20 && byte <= 0x7E;
}

ByteOrder Other(ByteOrder order) {
    return order == ByteOrder::kLittle ? ByteOrder::kBig : ByteOrder::kLittle;
}

// Offset (from the note) where the IFD scan starts: after a text prefix, at a TIFF-like mark
// or at the first likely count; 0 without a prefix; nullopt when the note is all text.
std::optional<int64_t> ScanStart(const ExifBuffer& buffer, int64_t m, ByteOrder order) {
    if (!Printable(buffer.Byte(m)))
        return 0;
    int64_t t = 0;
    while (t < kWindow && Printable(buffer.Byte(m + t)))
        ++t;
    if (t >= kWindow)
        return std::nullopt;
    while (t < kWindow && buffer.Byte(m + t) == 0)
        ++t;

    const uint8_t markByte = order == ByteOrder::kLittle ? 'I' : 'M';
    for (int64_t k = t; k < t + kWindow; ++k) {
        bool mark = buffer.Byte(m + k) == markByte && buffer.Byte(m + k + 1) == markByte &&
                    buffer.Byte(m + k + 2) != 0 && buffer.Byte(m + k + 3) == 0;
        if (mark) {
            if (TestIfd(buffer, m + 2 * k + 10, order).plausible)
                return k + 4;
            continue;
        }
        if (order == ByteOrder::kLittle) {
            if (buffer.Byte(m + k) != 0 && TestIfd(buffer, m + k, order).plausible)
                return k;
        } else if (buffer.Byte(m + k + 1) != 0) {
            return k;
        }
    }
    return 0;
}

} // namespace

IfdPlausibility TestIfd(const ExifBuffer& buffer, int64_t p, ByteOrder order) {
    IfdPlausibility result;
    if (p < 0 || p > kMaxIfdPosition)
        return result;
    int64_t count = buffer.ReadUnsigned(2, order, p);
    if (count < 1 || count > kMaxNoteEntries)
        return result;
    for (int64_t i = 0; i < count; ++i) {
        int64_t entry = EntryPosition(p, i);
        int type = static_cast<int>(buffer.ReadUnsigned(2, order, entry + 2));
        if (type < 1 || type > kMaxPlausibleType)
            return result;
        if (ByteSize(type, buffer.ReadUnsigned(4, order, entry + 4)) > 4) {
            int64_t offset = buffer.ReadUnsigned(4, order, entry + 8);
            if (offset < kMaxDataOffset)
                result.dataOffset = offset;
        }
    }
    result.plausible = true;
    return result;
}

std::optional<IfdSearchHit> SearchIfd(const ExifBuffer& buffer, int64_t m, ByteOrder order) {
    std::optional<int64_t> start = ScanStart(buffer, m, order);
    if (!start)
        return std::nullopt;
    for (int64_t j = *start; j < *start + kWindow; ++j) {
        IfdPlausibility ifd = TestIfd(buffer, m + j, order);
        if (!ifd.plausible)
            continue;
        IfdSearchHit hit;
        hit.countOffset = j;
        int64_t count = buffer.ReadUnsigned(2, order, m + j);
        int64_t end = m + j + 2 + kEntrySize * count + 4;
        if (ifd.dataOffset && *ifd.dataOffset < end)
            hit.offsetBase = end - *ifd.dataOffset;
        return hit;
    }
    return std::nullopt;
}

std::optional<MakerNoteLayout> SearchLayout(const ExifBuffer& buffer, int64_t m, int64_t app1Shift,
                                            ByteOrder fileOrder) {
    const int64_t defaultBase = app1Shift + kDefaultTiffBase;
    auto fromHit = [&](const IfdSearchHit& hit, ByteOrder order) {
        return MakerNoteLayout{m + hit.countOffset, m + hit.countOffset + 2,
                               hit.offsetBase.value_or(defaultBase), order, -1};
    };
    const MakerNoteLayout common{m + kCommonCountOffset, m + kCommonCountOffset + 2, defaultBase,
                                 fileOrder, -1};

    std::optional<MakerNoteLayout> layout;
    std::optional<IfdSearchHit> hit = SearchIfd(buffer, m, fileOrder);
    if (hit)
        layout = fromHit(*hit, fileOrder);
    else if (TestIfd(buffer, m + kCommonCountOffset, fileOrder).plausible)
        layout = common;

    // With segments before the EXIF block, or when nothing was found, the other byte order is
    // tried too; what it finds wins.
    if (app1Shift != 0 || !hit) {
        ByteOrder other = Other(fileOrder);
        if (std::optional<IfdSearchHit> otherHit = SearchIfd(buffer, m, other))
            layout = fromHit(*otherHit, other);
        else if (TestIfd(buffer, m + kCommonCountOffset, other).plausible)
            layout = common;
    }
    return layout;
}

} // namespace quorvane::exif
