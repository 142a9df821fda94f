// Value texts of every TIFF type, the line breaks and the byte cap.
#include "exif/ExifBuffer.h"
#include "exif/ValueFormatter.h"

#include <gtest/gtest.h>

using namespace quorvane::exif;

namespace {

constexpr int64_t kAt = 100;

struct FormatCase {
    const char* name;
    int type;
    ByteOrder order;
    std::string bytes; // value bytes placed at kAt
    int col, cap;
    std::string expected;
    int64_t size = -2; // -2: the size of `bytes`
};

std::string Format(const FormatCase& c) {
    std::string buffer(kAt, '\x55');
    buffer += c.bytes;
    ExifBuffer b(buffer);
    ReadPacer pacer;
    ValueFormatter f(b, {c.col, c.cap}, pacer);
    int64_t size = c.size == -2 ? static_cast<int64_t>(c.bytes.size()) : c.size;
    return f.FormatValue(c.type, c.order, size, kAt);
}

std::string Seq(int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += static_cast<char>(i);
    return s;
}

std::string Le16(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s += std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
    return s;
}

std::string Le32(std::initializer_list<int64_t> values) {
    std::string s;
    for (int64_t v : values)
        for (int i = 0; i < 4; ++i)
            s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

constexpr ByteOrder II = ByteOrder::kLittle;
constexpr ByteOrder MM = ByteOrder::kBig;

const FormatCase kCases[] = {
    {"BYTE", 1, II, "\x01\x02\xFF", 16, 32, "1 2 255"},
    {"BYTE over a line", 1, II, Seq(20), 16, 32,
     "\n0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15\n16 17 18 19"},
    {"BYTE exactly one line", 1, II, Seq(16), 16, 32, "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15"},
    {"ASCII", 2, II, std::string("Canon\0", 6), 16, 32, "Canon"},
    {"ASCII ends at 00", 2, II, std::string("ab\0cd", 5), 16, 32, "ab"},
    {"ASCII high bytes, FF skipped", 2, II, "A\xFF\xE9\x80Z", 16, 32, "A\xC3\xA9\xC2\x80Z"},
    {"ASCII longer than the cap", 2, II, std::string(40, 'x'), 16, 32,
     std::string(32, 'x') + ".. ( 28 Bytes )"},
    {"ASCII date under a cap of 10", 2, II, std::string("2008:05:30 15:56:01\0", 20), 16, 10,
     "2008:05:30.. ( 14 Bytes )"},
    {"ASCII date with the built-in cap", 2, II, std::string("2008:05:30 15:56:01\0", 20), 16, 32,
     "2008:05:30 15:56:01"},
    {"SHORT", 3, II, Le16({8, 8, 8}), 16, 32, "8 8 8"},
    {"SHORT big-endian", 3, MM, "\x12\x34\xFF\xFF", 16, 32, "4660 65535"},
    {"SHORT over lines", 3, II, Le16({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), 4, 32,
     "\n 1 2\n 3 4\n 5 6\n 7 8\n 9 10"},
    {"SHORT with an odd line length", 3, II, Le16({1, 2, 3, 4}), 5, 32, "\n 1 2\n 3 4"},
    {"SHORT capped at 16 values", 3, II,
     Le16({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}), 64, 32,
     "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16.. ( 24 Bytes )"},
    {"LONG", 4, II, Le32({70000, 4294967295}), 16, 32, "70000 4294967295"},
    {"LONG over lines", 4, MM, std::string("\0\0\0\1\0\0\0\2\0\0\0\3", 12), 8, 32, "\n 1 2\n 3"},
    {"RATIONAL", 5, II, Le32({72, 1}), 16, 32, "72 / 1 "},
    {"RATIONAL as signed numbers, no line breaks", 5, MM,
     std::string("\xFF\xFF\xFF\xFF\0\0\0\2\0\0\0\3\0\0\0\4\0\0\0\5\0\0\0\6", 24), 4, 32,
     "-1 / 2 3 / 4 5 / 6 "},
    {"RATIONAL capped at 4 values", 5, II, Le32({1, 1, 2, 1, 3, 1, 4, 1, 5, 1}), 16, 32,
     "1 / 1 2 / 1 3 / 1 4 / 1 .. ( 28 Bytes )"},
    {"SBYTE", 6, II, "\xFF\x05\x80", 2, 32, "-1 5 -128"},
    {"UNDEFINED", 7, II, "0230", 16, 32, "30 32 33 30"},
    {"UNDEFINED over lines and the cap", 7, II, Seq(40), 16, 32,
     "\n00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F"
     "\n10 11 12 13 14 15 16 17 18 19 1A 1B 1C 1D 1E 1F.. ( 28 Bytes )"},
    {"SSHORT", 8, II, Le16({0xFFFE, 3}), 1, 32, "-2 3 "},
    {"SLONG", 9, MM, std::string("\xFF\xFF\xFF\xFB\0\0\0\7", 8), 16, 32, "-5 7 "},
    {"SLONG over lines", 9, II, Le32({-1, -2, -3, -4, -5}), 16, 32, "\n-1 -2 -3 -4 \n-5 "},
    {"SRATIONAL", 10, II, Le32({-1, 3}), 16, 32, "-1 / 3 "},
    {"FLOAT", 11, II, Le32({0x3F800000}), 16, 32, ""},
    {"DOUBLE", 12, II, std::string(8, '\x40'), 16, 32, ""},
    {"DOUBLE array past the cap keeps the size note", 12, II, std::string(40, '\x40'), 16, 32,
     ".. ( 28 Bytes )"},
    {"IFD as 16-bit pairs", 13, II, Le32({0x00020001}), 16, 32, "1 2"},
    {"type 0", 0, II, "\x01", 16, 32, "-1"},
    {"type 14", 14, II, "\x01", 16, 32, "-1"},
    {"no bytes", 7, II, "", 16, 32, ""},
    {"cap 0", 1, II, "\x01\x02\x03", 16, 0, ".. ( 3 Bytes )"},
    {"line length 0 gives no breaks", 7, II, "\x01\x02", 0, 32, "01 02"},
};

} // namespace

TEST(FormatValue, EachTypeBreaksAndCaps) {
    for (const FormatCase& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Format(c), c.expected);
    }
}

TEST(FormatValue, ValuesThatDoNotLieInsideTheBufferGiveEmptyText) {
    ExifBuffer b(std::string(ExifBuffer::kSize, '\x41'));
    ReadPacer pacer;
    ValueFormatter f(b, {16, 32}, pacer);
    EXPECT_EQ(f.FormatValue(2, II, 1, ExifBuffer::kSize - 2), "A");
    EXPECT_EQ(f.FormatValue(2, II, 2, ExifBuffer::kSize - 2), "");
    EXPECT_EQ(f.FormatValue(2, II, 1, ExifBuffer::kSize), "");
    EXPECT_EQ(f.FormatValue(2, II, 1, -1), "");
    EXPECT_EQ(f.FormatValue(4, II, 8 * 0xFFFFFFFFll, 1000), "");
    EXPECT_EQ(f.FormatValue(99, II, 1, ExifBuffer::kSize + 5), "");
    // A negative size (unknown type) inside the buffer is the unknown-type text.
    EXPECT_EQ(f.FormatValue(0, II, -5, 10), "-1");
}

TEST(FormatValue, StopEndsTheValueWithTheTextSoFar) {
    ExifBuffer b(std::string(200, '\x41'));
    int polls = 0;
    ReadPacer pacer(nullptr, [&] { return ++polls > 3; });
    ValueFormatter f(b, {16, 32}, pacer);
    EXPECT_EQ(f.FormatValue(7, II, 10, 0), "41 41 41");
    EXPECT_EQ(f.FormatValue(7, II, 10, 0), "");
}
