// Text files as the Windows program and people write them: encodings, INI lookups and edits,
// strict numbers, atomic replacement.
#include "text/FileIO.h"
#include "text/IniDocument.h"
#include "text/Numbers.h"
#include "text/TextDecode.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quorvane::text;
using quorvane::test::TempDir;

namespace {

TEST(DecodeTextFile, PicksTheEncodingByMarkThenValidity) {
    EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF\xE5\x86\x99"), "写");
    EXPECT_EQ(DecodeTextFile(std::string("\xFF\xFE\x99\x51\x3D\xD8\x00\xDE", 8)), "写😀");
    EXPECT_EQ(DecodeTextFile(std::string("\xFE\xFF\x51\x99", 4)), "写");
    EXPECT_EQ(DecodeTextFile("\xE5\x86\x99\xE7\x9C\x9F"), "写真");
    EXPECT_EQ(DecodeTextFile("\x8E\xCA\x90\x5E"), "写真"); // CP932
    EXPECT_EQ(DecodeTextFile("\x87\x40"), "①");            // a Windows extension
    EXPECT_EQ(DecodeTextFile("a\x80"
                             "b"),
              "a\xEF\xBF\xBD"
              "b");                                                            // undecodable byte
    EXPECT_EQ(DecodeTextFile(std::string("\xFF\xFE\x41", 3)), "\xEF\xBF\xBD"); // odd UTF-16 tail
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));                                     // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));                                 // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE5\x86"));                                     // truncated
    // With a UTF-8 mark, every byte outside a well-formed sequence is replaced: beyond U+10FFFF,
    // five-byte forms, surrogates (iconv let the first two through).
    for (const char* bad : {"\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "\xED\xA0\x80", "\xC0"})
        EXPECT_TRUE(IsValidUtf8(DecodeTextFile(std::string("\xEF\xBB\xBFx") + bad))) << bad;
    EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF\xF4\x90\x80\x80!"),
              "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD!");
}

TEST(DecodeTextFile, RoundTripsCp932AndLatin1) {
    EXPECT_EQ(Utf8ToCp932("写真"), "\x8E\xCA\x90\x5E");
    std::string s;
    AppendLatin1(s, 'A');
    AppendLatin1(s, 0xE9);
    AppendLatin1(s, 0xFF);
    EXPECT_EQ(s, "A\xC3\xA9\xC3\xBF");
}

TEST(SplitLines, EveryLineEnding) {
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(TrimSpaceAndControls(" \t\x01 x y \r\n"), "x y");
}

TEST(IniDocument, LooksUpCaseInsensitivelyFirstKeyWinsTrimmed) {
    const IniDocument doc =
        IniDocument::Parse("; comment\r\n[Paper]\r\n width = 4961 \r\nWIDTH=1\r\ntitle=a=b, "
                           "c\\d\r\n[PHOTO]\r\nct=x\r\n");
    EXPECT_EQ(doc.value("PAPER", "Width"), "4961");
    EXPECT_EQ(doc.value("paper", "title"), "a=b, c\\d");
    EXPECT_EQ(doc.intValue("PHOTO", "ct", 7), 7);
    EXPECT_EQ(doc.intValue("PAPER", "width", 7), 4961);
    EXPECT_FALSE(doc.value("PHOTO", "width"));
    EXPECT_FALSE(doc.value("NONE", "width"));
    EXPECT_TRUE(doc.hasSection("photo"));
}

TEST(IniDocument, SetValueReplacesInPlaceOrAppends) {
    IniDocument doc = IniDocument::Parse("[A]\nx=1\n\n[B]\ny=2\n");
    doc.setValue("a", "X", "10");
    doc.setValue("A", "z", "3");
    doc.setValue("C", "w", "4");
    EXPECT_EQ(doc.text(), "[A]\nX=10\nz=3\n\n[B]\ny=2\n[C]\nw=4\n");
}

TEST(Numbers, StrictWholeTextConversions) {
    EXPECT_EQ(ParseInt("-12"), -12);
    EXPECT_EQ(ParseInt("+7"), 7);
    EXPECT_EQ(ParseInt("2147483647"), 2147483647);
    EXPECT_EQ(ParseInt("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", "-", " 1", "1 ", "1.0", "0x10", "2147483648", "1e3"})
        EXPECT_FALSE(ParseInt(bad)) << bad;
    EXPECT_EQ(ParseDouble("1.4285"), 1.4285);
    EXPECT_EQ(ParseDouble("-.5"), -0.5);
    for (const char* bad : {"", "1,5", "1.2.3", "-", "inf", "nan", " 1", "+-5.", "--5", "+"})
        EXPECT_FALSE(ParseDouble(bad)) << bad;
    EXPECT_EQ(ParseHex32("ff000000"), 0xff000000u);
    EXPECT_EQ(ParseHex32("FFFFFFFF"), 0xffffffffu);
    EXPECT_FALSE(ParseHex32("1ffffffff"));
    EXPECT_FALSE(ParseHex32("0xff"));
    EXPECT_FALSE(ParseHex32(""));
    EXPECT_EQ(ShortestText(1.0 / 0.7), "1.4285714285714286");
    EXPECT_EQ(ShortestText(1.4285f), "1.4285");
}

TEST(FileIO, AtomicWriteReplacesWholeOrNothing) {
    TempDir dir;
    const std::string path = (dir / "a.ini").string();
    ASSERT_TRUE(WriteFileAtomically(path, "first"));
    ASSERT_TRUE(WriteFileAtomically(path, "second"));
    EXPECT_EQ(ReadWholeFile(path), "second");
    EXPECT_FALSE(WriteFileAtomically((dir / "missing/a.ini").string(), "x"));
    if (geteuid() != 0) { // root writes into read-only folders anyway
        chmod(dir.str().c_str(), 0555);
        EXPECT_FALSE(WriteFileAtomically(path, "third"));
        chmod(dir.str().c_str(), 0755);
        EXPECT_EQ(ReadWholeFile(path), "second");
    }
    EXPECT_FALSE(ReadWholeFile((dir / "none").string()));
    EXPECT_FALSE(ReadWholeFile(path, 3)); // larger than allowed
    EXPECT_TRUE(mkfifo((dir / "pipe").c_str(), 0600) == 0 &&
                !ReadWholeFile((dir / "pipe").string()));

    // A name as long as the file system allows, a link and the permissions of a replaced file.
    const std::string longName = (dir / std::string(255, 'n')).string();
    EXPECT_TRUE(WriteFileAtomically(longName, "long"));
    EXPECT_EQ(ReadWholeFile(longName), "long");
    chmod(path.c_str(), 0640);
    std::filesystem::create_symlink("a.ini", dir / "link.ini");
    ASSERT_TRUE(WriteFileAtomically((dir / "link.ini").string(), "through the link"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.ini"));
    EXPECT_EQ(ReadWholeFile(path), "through the link");
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_NE(entry.path().filename().string().rfind(".quorvane-", 0), 0u) << entry.path();
}

} // namespace
