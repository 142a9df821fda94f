#include "exif/ValueFormatter.h"

#include "text/TextDecode.h"

#include <cstdio>

namespace quorvane::exif {

namespace {

enum TiffType : int {
    kByte = 1,
    kAscii = 2,
    kShort = 3,
    kLong = 4,
    kRational = 5,
    kSByte = 6,
    kUndefined = 7,
    kSShort = 8,
    kSLong = 9,
    kSRational = 10,
    kFloat = 11,
    kDouble = 12,
    kIfd = 13,
};

std::string UpperHex(int64_t value, int minDigits) {
    char text[32];
    std::snprintf(text, sizeof text, "%0*llX", minDigits, static_cast<unsigned long long>(value));
    return text;
}

std::string SizeNote(int64_t size) {
    return "( " + UpperHex(size, 1) + " Bytes )";
}

} // namespace

std::string Hex8(int64_t value) {
    return UpperHex(value, 8);
}

std::string ValueFormatter::FormatValue(int type, ByteOrder order, int64_t size,
                                        int64_t position) const {
    if (position < 0 || position > buffer_.end() - 1 || position + size >= buffer_.end())
        return {};
    if (type < kByte || type > kIfd)
        return "-1";

    const int col = limits_.valuesPerLine;
    const bool wraps = col > 0 && size > col;
    auto read = [&](int width, int64_t at) { return buffer_.ReadUnsigned(width, order, at); };
    auto s32 = [&](int64_t at) { return static_cast<int32_t>(static_cast<uint32_t>(read(4, at))); };

    std::string out;
    for (int64_t i = 0; i < size; ++i) {
        if (i >= limits_.maxBytes) {
            out += ".. ";
            out += SizeNote(size);
            break;
        }
        if (!pacer_.Step())
            break;
        const bool lineBreak = wraps && i % col == 0;
        const int64_t at = position + i;
        switch (type) {
        case kByte:
        case kUndefined: {
            if (lineBreak)
                out += '\n';
            else if (i > 0)
                out += ' ';
            if (type == kByte)
                out += std::to_string(read(1, at));
            else
                out += UpperHex(read(1, at), 2);
            break;
        }
        case kAscii: {
            uint8_t byte = buffer_.Byte(at);
            if (byte == 0)
                return out;
            if (byte != 0xFF)
                text::AppendLatin1(out, byte);
            break;
        }
        case kShort:
        case kIfd:
        case kLong: {
            if (lineBreak)
                out += '\n';
            const int width = type == kLong ? 4 : 2;
            if (i % width == width - 1) {
                if (!out.empty())
                    out += ' ';
                out += std::to_string(read(width, at - (width - 1)));
            }
            break;
        }
        case kRational:
        case kSRational:
            if (i % 8 == 7)
                out += std::to_string(s32(at - 7)) + " / " + std::to_string(s32(at - 3)) + " ";
            break;
        case kSByte:
            if (i > 0)
                out += ' ';
            out += std::to_string(static_cast<int8_t>(read(1, at)));
            break;
        case kSShort:
            if (i % 2 == 1)
                out += std::to_string(static_cast<int16_t>(read(2, at - 1))) + " ";
            break;
        case kSLong:
            if (lineBreak)
                out += '\n';
            if (i % 4 == 3)
                out += std::to_string(s32(at - 3)) + " ";
            break;
        default: // FLOAT and DOUBLE values are not shown
            break;
        }
    }
    return out;
}

} // namespace quorvane::exif
