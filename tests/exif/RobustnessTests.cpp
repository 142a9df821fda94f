// Arbitrary bytes through the report and the date query: truncated files, mutated EXIF blocks and
// random data never crash, hang or give malformed text.
#include "ExifTestBuilder.h"

#include "TestSupport.h"
#include "exif/ExifBuffer.h"
#include "text/TextDecode.h"

#include <gtest/gtest.h>

#include <random>

using namespace quorvane::exif;
using namespace quorvane::test::exif;

namespace {

template <size_t N> std::string Text(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

// Sample photos of several makers, with maker notes of the kinds cameras write.
std::vector<std::string> Corpus() {
    struct MakerSample {
        const char* make;
        std::string note;
    };
    // Maker notes as cameras begin them: a text prefix, sometimes a TIFF header, then an IFD
    // with one entry.
    auto ifd = [](Order o) {
        return U16(o, 1) + U16(o, 7) + U16(o, 7) + U32(o, 4) + "0210" + U32(o, 0);
    };
    const Order II = Order::kII, MM = Order::kMM;
    const MakerSample makers[] = {
        {"NIKON CORPORATION",
         Text("Nikon\0\x02\x10\0\0") + "MM" + U16(MM, 42) + U32(MM, 8) + ifd(MM)},
        {"Canon", ifd(II) + std::string(4, '\0')},
        {"FUJIFILM", "FUJIFILM" + U32(II, 12) + ifd(II)},
        {"SANYO Electric", Text("SANYO\0\x01\0") + ifd(II)},
        {"OLYMPUS OPTICAL", Text("OLYMP\0\x01\0") + ifd(II)},
        {"RICOH", Text("RICOH\0\0\0") + ifd(MM)},
        {"Other", Text("ABC\0") + "II" + U16(II, 42) + ifd(II)},
    };
    std::vector<std::string> corpus;
    for (Order order : {Order::kII, Order::kMM}) {
        for (const MakerSample& m : makers) {
            TiffBuilder tiff(order);
            tiff.ifd0().Ascii(271, m.make).Ascii(272, "Model 1").Rational(282, 72, 1);
            tiff.exif()
                .Undefined(36864, "0230")
                .Ascii(36867, "2008:05:30 15:56:01")
                .Undefined(37500, m.note)
                .Add(37510, 7, 40, std::string(40, 'c'));
            tiff.gps().Add(0, 1, 4, std::string("\x02\x02\0\0", 4)).Ascii(1, "N");
            corpus.push_back(Jpeg(tiff.Build()));
            corpus.push_back(Jpeg(tiff.Build(), {.app0 = true}));
        }
    }
    return corpus;
}

class Prober {
  public:
    Prober() {
        options_.makerNotes = true;
        options_.settingsFolder = settings_.str();
        options_.maxTagLineCol = 4;
        options_.maxDumpBinCt = 8192;
    }

    // Reads the bytes both ways and checks that the results are well-formed.
    void Probe(const std::string& bytes, const std::string& what) {
        SCOPED_TRACE(what);
        quorvane::test::WriteFile(path_, bytes);
        std::vector<std::string> lines;
        int code = ReadReport(path_.string(), lines, options_);
        EXPECT_LE(code, 0);
        EXPECT_GE(code, kReportTooManyEntries);
        for (const std::string& line : lines)
            ASSERT_TRUE(quorvane::text::IsValidUtf8(line));
        std::string date = ShootingDate(path_.string(), options_);
        EXPECT_TRUE(quorvane::text::IsValidUtf8(date));
        ++probes_;
    }
    int probes() const { return probes_; }

  private:
    quorvane::test::TempDir dir_, settings_;
    std::filesystem::path path_ = dir_ / "photo.jpg";
    ExifOptions options_;
    int probes_ = 0;
};

} // namespace

TEST(Robustness, TruncatedFilesAtEveryLength) {
    Prober prober;
    for (const std::string& jpeg : Corpus()) {
        if (jpeg.size() > 400)
            continue;
        for (size_t n = 0; n <= jpeg.size(); n += 3)
            prober.Probe(jpeg.substr(0, n), "length " + std::to_string(n));
    }
    EXPECT_GT(prober.probes(), 100);
}

TEST(Robustness, MutatedAndRandomBuffers) {
    std::mt19937 rng(20240607);
    auto pick = [&](size_t n) { return static_cast<size_t>(rng() % n); };
    const std::vector<std::string> corpus = Corpus();
    Prober prober;
    for (int round = 0; round < 1500; ++round) {
        std::string bytes = corpus[pick(corpus.size())];
        switch (round % 5) {
        case 0: // flipped bytes
            for (int k = 0, n = 1 + pick(12); k < n; ++k)
                bytes[pick(bytes.size())] = static_cast<char>(rng());
            break;
        case 1: { // numbers that make offsets and counts point anywhere
            static const uint32_t kNumbers[] = {0,       1,       2,          0xFF,
                                                0x100,   0x7FFF,  0xFFFF,     0x10000,
                                                0x1FFFF, 0x20000, 0x7FFFFFFF, 0xFFFFFFFF};
            for (int k = 0, n = 1 + pick(4); k < n; ++k) {
                size_t at = pick(bytes.size() - 4);
                uint32_t v = rng() % 3 == 0 ? rng() : kNumbers[pick(std::size(kNumbers))];
                bytes.replace(at, 4, U32(rng() % 2 ? Order::kII : Order::kMM, v));
            }
            break;
        }
        case 2: // cut short and padded with random bytes
            bytes.resize(pick(bytes.size()));
            for (int k = 0, n = pick(64); k < n; ++k)
                bytes += static_cast<char>(rng());
            break;
        case 3: { // random data after a JPEG start
            bytes = rng() % 2 ? "\xFF\xD8\xFF\xE1" : "\xFF\xD8\xFF\xE0";
            for (int k = 0, n = pick(3000); k < n; ++k)
                bytes += static_cast<char>(rng() % 4 ? rng() % 8 : rng());
            break;
        }
        default: // a large file whose offsets run to the buffer's end
            bytes.resize(ExifBuffer::kSize + pick(1000), '\xFF');
            for (int k = 0; k < 8; ++k)
                bytes[pick(bytes.size())] = static_cast<char>(rng());
            break;
        }
        prober.Probe(bytes, "round " + std::to_string(round));
        if (HasFatalFailure())
            return;
    }
}
