// The first 128 KiB of a photo held in memory, and the bounds-checked reads from it: every
// position the EXIF reader works with is an index into this buffer. A TIFF file whose directories
// lie further in adds windows: bytes of the file kept at their own positions past the head.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::exif {

// Byte order of TIFF data; the numbers are the ones the maker-note block prints (0=II / 1=MM).
enum class ByteOrder : int { kLittle = 0, kBig = 1 };

class ExifBuffer {
  public:
    static constexpr int64_t kSize = 0x20000; // bytes kept from the start of a file
    static constexpr int64_t kLastPosition = kSize - 1;

    // A zero-filled buffer.
    ExifBuffer();
    // The first kSize bytes of `bytes`, zero-filled beyond them.
    explicit ExifBuffer(std::string_view bytes);

    // Unsigned value of `width` bytes at `pos`: 0 when the read would pass kLastPosition (or end()
    // - 1 with windows, or `pos` is negative), -1 for widths above 4, 0 for width 0. Positions
    // past the head that no window holds read as 0.
    int64_t ReadUnsigned(int width, ByteOrder order, int64_t pos) const;
    // One byte, under the same bounds as ReadUnsigned.
    uint8_t Byte(int64_t pos) const {
        return static_cast<uint8_t>(ReadUnsigned(1, ByteOrder::kLittle, pos));
    }

    // How many bytes came from the file (the rest is zero fill).
    int64_t loadedBytes() const { return loaded_; }
    // One past the last position a read may reach: kSize, or more once windows were added.
    int64_t end() const { return end_; }

    // Keeps `bytes` at `position` (at or past kSize) and lets reads reach up to `end` (at least
    // kSize). Assign and Fill drop the windows.
    void AddWindow(int64_t position, std::vector<uint8_t> bytes, int64_t end);

    // Replaces the contents with the first kSize bytes of `bytes`.
    void Assign(std::string_view bytes);
    // Replaces the contents with the bytes `read` puts straight into the buffer (it is given the
    // room, kSize bytes, and returns how many it wrote), zero-filled beyond them.
    void Fill(const std::function<size_t(uint8_t* into, size_t room)>& read);

  private:
    uint8_t ByteAt(int64_t pos) const;

    std::vector<uint8_t> bytes_;
    int64_t loaded_ = 0;
    int64_t end_ = kSize;
    struct Window {
        int64_t position;
        std::vector<uint8_t> bytes;
    };
    std::vector<Window> windows_;
};

enum class LoadStatus { kLoaded, kMissing, kOpenFailed, kNothingRead };

// Reads the first kSize bytes of the file at `path` (UTF-8) with one read into `buffer`.
LoadStatus LoadPhotoHead(const std::string& path, ExifBuffer& buffer);

} // namespace quorvane::exif
