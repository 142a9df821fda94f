#include "exif/IfdEntry.h"

namespace quorvane::exif {

int TypeSize(int type) {
    switch (type) {
    case 1:
    case 2:
    case 6:
    case 7:
        return 1;
    case 3:
    case 8:
        return 2;
    case 4:
    case 9:
    case 11:
    case 13:
        return 4;
    case 5:
    case 10:
    case 12:
        return 8;
    default:
        return -1;
    }
}

int64_t ByteSize(int type, int64_t count) {
    return TypeSize(type) * count;
}

IfdEntry ReadEntry(const ExifBuffer& buffer, ByteOrder order, int64_t offsetBase,
                   int64_t position) {
    IfdEntry e;
    e.position = position;
    e.tag = static_cast<int>(buffer.ReadUnsigned(2, order, position));
    e.type = static_cast<int>(buffer.ReadUnsigned(2, order, position + 2));
    e.count = buffer.ReadUnsigned(4, order, position + 4);
    e.byteSize = ByteSize(e.type, e.count);
    e.valueField = buffer.ReadUnsigned(4, order, position + 8);
    bool inEntry = e.byteSize >= 0 && e.byteSize <= 4;
    e.valuePosition = inEntry ? position + 8 : offsetBase + e.valueField;
    return e;
}

namespace {

// Runs `visit(entryPosition)` over the entries of the IFD; stops when it returns false or when a
// stop is requested. Returns false when the IFD's entry count is outside 1 to kMaxLookupEntries.
template <class Visit>
bool ForEachEntry(const ExifBuffer& buffer, ReadPacer& pacer, int64_t ifd, ByteOrder order,
                  Visit visit) {
    int64_t count = buffer.ReadUnsigned(2, order, ifd);
    if (count < 1 || count > kMaxLookupEntries)
        return false;
    for (int64_t i = 0; i < count; ++i) {
        if (!pacer.Step())
            break;
        if (!visit(EntryPosition(ifd, i)))
            break;
    }
    return true;
}

} // namespace

int64_t IfdLookup::FindValue(int64_t ifd, ByteOrder order, int tag) const {
    int64_t found = -1;
    bool ok = ForEachEntry(buffer_, pacer_, ifd, order, [&](int64_t entry) {
        if (buffer_.ReadUnsigned(2, order, entry) != tag)
            return true;
        found = base_ + buffer_.ReadUnsigned(4, order, entry + 8);
        return false;
    });
    if (!ok)
        return kBadIfd;
    return pacer_.stopped() ? -1 : found;
}

int64_t IfdLookup::FindEntry(int64_t ifd, ByteOrder order, int tag) const {
    int64_t found = -1;
    bool ok = ForEachEntry(buffer_, pacer_, ifd, order, [&](int64_t entry) {
        if (buffer_.ReadUnsigned(2, order, entry) != tag)
            return true;
        found = entry;
        return false;
    });
    if (!ok)
        return kBadIfd;
    return pacer_.stopped() ? -1 : found;
}

int64_t IfdLookup::FindSize(int64_t ifd, ByteOrder order, int tag) const {
    int64_t size = 0;
    bool ok = ForEachEntry(buffer_, pacer_, ifd, order, [&](int64_t entry) {
        if (buffer_.ReadUnsigned(2, order, entry) == tag) {
            int type = static_cast<int>(buffer_.ReadUnsigned(2, order, entry + 2));
            size = ByteSize(type, buffer_.ReadUnsigned(4, order, entry + 4));
        }
        return true;
    });
    if (!ok)
        return kBadIfd;
    return pacer_.stopped() ? 0 : size;
}

} // namespace quorvane::exif
