#include "HostileJpeg.h"

#include <vector>

namespace quorvane::test {

namespace {

// A marker segment: 0xFF, the code, the length (counting itself) and the payload.
std::string Segment(int code, const std::vector<int>& payload) {
    std::string s{'\xFF', static_cast<char>(code)};
    const size_t length = payload.size() + 2;
    s += static_cast<char>(length >> 8);
    s += static_cast<char>(length & 0xFF);
    for (const int byte : payload)
        s += static_cast<char>(byte);
    return s;
}

// Bits written high first into coded data, with a 0x00 after every 0xFF byte.
class Bits {
  public:
    void put(unsigned value, int count) {
        while (count-- > 0) {
            byte_ = byte_ << 1 | ((value >> count) & 1);
            if (++filled_ == 8)
                flush();
        }
    }
    // Pads the last byte with ones, as encoders do.
    std::string done() {
        if (filled_ > 0)
            put(0xFF, 8 - filled_);
        return std::move(out_);
    }

  private:
    void flush() {
        out_ += static_cast<char>(byte_);
        if (byte_ == 0xFF)
            out_ += '\0';
        byte_ = 0;
        filled_ = 0;
    }
    std::string out_;
    unsigned byte_ = 0;
    int filled_ = 0;
};

// Quantisation table 0 of ones, and the frame header.
std::string Frame(int width, int height, int components, bool progressive) {
    std::vector<int> table{0};
    table.resize(65, 1);
    std::vector<int> frame{8, height >> 8, height & 0xFF, width >> 8, width & 0xFF, components};
    for (int c = 1; c <= components; ++c)
        frame.insert(frame.end(), {c, 0x11, 0});
    return Segment(0xDB, table) + Segment(progressive ? 0xC2 : 0xC0, frame);
}

// A Huffman table (class 0 DC, 1 AC; number 0) of one code, "0", for the symbol.
std::string OneCodeTable(int tableClass, int symbol) {
    std::vector<int> payload{tableClass << 4, 1};
    payload.resize(17, 0);
    payload.push_back(symbol);
    return Segment(0xC4, payload);
}

} // namespace

std::string ProgressiveJpeg(int width, int height, int scans) {
    const long blocks = static_cast<long>((width + 7) / 8) * ((height + 7) / 8);
    std::string jpeg = "\xFF\xD8" + Frame(width, height, 1, true);
    // DC: every difference 0. AC: the symbol of a run of 2^14 + (14 more bits) empty blocks.
    jpeg += OneCodeTable(0, 0x00) + OneCodeTable(1, 0xE0);
    jpeg += Segment(0xDA, {1, 1, 0x00, 0, 0, 0x00});
    Bits dc;
    for (long i = 0; i < blocks; ++i)
        dc.put(0, 1);
    jpeg += dc.done();
    for (int scan = 1; scan < scans; ++scan) {
        // The first AC scan sends the coefficients but their last bit, every later one refines
        // them by that bit again (the decoder warns once and goes on).
        jpeg += Segment(0xDA, {1, 1, 0x00, 1, 63, scan == 1 ? 0x01 : 0x10});
        Bits ac;
        for (long left = blocks; left > 0; left -= 32767) {
            ac.put(0, 1);
            ac.put(32767 - 16384, 14);
        }
        jpeg += ac.done();
    }
    return jpeg + "\xFF\xD9";
}

std::string JpegHeaders(int width, int height, int components, bool progressive) {
    std::string jpeg = "\xFF\xD8" + Frame(width, height, components, progressive);
    jpeg += OneCodeTable(0, 0x00) + OneCodeTable(1, 0x00);
    std::vector<int> scan{components};
    for (int c = 1; c <= components; ++c)
        scan.insert(scan.end(), {c, 0x00});
    scan.insert(scan.end(), {0, progressive ? 0 : 63, 0});
    return jpeg + Segment(0xDA, scan) + "\xFF\xD9";
}

} // namespace quorvane::test
