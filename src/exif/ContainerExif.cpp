#include "exif/ContainerExif.h"

#include "exif/IfdEntry.h"

#include <libheif/heif.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quorvane::exif {

namespace {

constexpr int64_t kHeadSize = 12;
constexpr int64_t kRoom = ExifBuffer::kSize - kHeadSize; // TIFF bytes the head part keeps
// Exif items and chunks larger than this are not read at all: no camera writes one.
constexpr int64_t kMaxExifBlock = 4 << 20;
constexpr int kMaxRiffChunks = 1000;
// What the windows of one TIFF file may hold, together and each.
constexpr int64_t kMaxWindowBytes = 1 << 20;
constexpr int64_t kMaxWindowSize = 64 << 10;
constexpr int kMaxWindows = 256;
constexpr int kTagOrientation = 274;

// A regular file opened without waiting (a named pipe is refused), read at offsets.
class FileAt {
  public:
    explicit FileAt(const std::string& path) {
        fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        struct stat st;
        if (fd_ >= 0 && (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))) {
            ::close(fd_);
            fd_ = -1;
        }
        if (fd_ >= 0)
            size_ = st.st_size;
    }
    ~FileAt() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileAt(const FileAt&) = delete;
    FileAt& operator=(const FileAt&) = delete;

    bool ok() const { return fd_ >= 0; }
    int64_t size() const { return size_; }
    // Exactly n bytes at the offset, or false.
    bool read(int64_t offset, void* into, size_t n) const {
        if (offset < 0 || offset > size_ || static_cast<int64_t>(n) > size_ - offset)
            return false;
        auto* to = static_cast<char*>(into);
        while (n > 0) {
            const ssize_t got = ::pread(fd_, to, n, offset);
            if (got <= 0)
                return false;
            to += got;
            offset += got;
            n -= static_cast<size_t>(got);
        }
        return true;
    }
    std::vector<uint8_t> bytes(int64_t offset, int64_t n) const {
        std::vector<uint8_t> out(static_cast<size_t>(std::max<int64_t>(0, n)));
        if (!read(offset, out.data(), out.size()))
            out.clear();
        return out;
    }

  private:
    int fd_ = -1;
    int64_t size_ = 0;
};

uint32_t Le32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

uint32_t Be32(const uint8_t* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | uint32_t{p[3]};
}

bool IsHeifBrand(const char* brand) {
    static const char* const kBrands[] = {"heic", "heix", "hevc", "hevx", "heim", "heis",
                                          "mif1", "msf1", "avif", "avis", "mif2"};
    return std::any_of(std::begin(kBrands), std::end(kBrands),
                       [&](const char* b) { return std::memcmp(b, brand, 4) == 0; });
}

// The buffer as JpegExifHead followed by the TIFF bytes.
void PutBehindHead(ExifBuffer& buffer, std::string_view tiff) {
    std::string bytes = JpegExifHead();
    bytes.append(tiff.substr(0, static_cast<size_t>(kRoom)));
    buffer.Assign(bytes);
}

// The TIFF bytes of an Exif block that may begin with "Exif" 00 00, as some writers put it.
std::string_view WithoutExifMark(std::string_view block) {
    if (block.size() >= 6 && block.substr(0, 6) == std::string_view("Exif\0\0", 6))
        block.remove_prefix(6);
    return block;
}

// libheif reads through these, bounded by the file's size.
struct HeifInput {
    const FileAt& file;
    int64_t position = 0;
};

heif_reader HeifReader() {
    heif_reader reader{};
    reader.reader_api_version = 1;
    reader.get_position = [](void* user) { return static_cast<HeifInput*>(user)->position; };
    reader.read = [](void* data, size_t size, void* user) {
        auto* in = static_cast<HeifInput*>(user);
        if (!in->file.read(in->position, data, size))
            return 1;
        in->position += static_cast<int64_t>(size);
        return 0;
    };
    reader.seek = [](int64_t position, void* user) {
        auto* in = static_cast<HeifInput*>(user);
        if (position < 0 || position > in->file.size())
            return 1;
        in->position = position;
        return 0;
    };
    reader.wait_for_file_size = [](int64_t target, void* user) {
        return target <= static_cast<HeifInput*>(user)->file.size()
                   ? heif_reader_grow_status_size_reached
                   : heif_reader_grow_status_size_beyond_eof;
    };
    return reader;
}

// The TIFF bytes of the primary image's Exif item: after the 4-byte big-endian offset that
// begins the item, that many bytes further on.
std::string HeifExif(const FileAt& file) {
    std::unique_ptr<heif_context, void (*)(heif_context*)> context(heif_context_alloc(),
                                                                   &heif_context_free);
    HeifInput input{file};
    static const heif_reader reader = HeifReader(); // kept by libheif as long as the context
    if (!context || heif_context_read_from_reader(context.get(), &reader, &input, nullptr).code !=
                        heif_error_Ok)
        return {};
    heif_image_handle* raw = nullptr;
    if (heif_context_get_primary_image_handle(context.get(), &raw).code != heif_error_Ok)
        return {};
    std::unique_ptr<heif_image_handle, void (*)(const heif_image_handle*)> handle(
        raw, &heif_image_handle_release);
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(handle.get(), "Exif", &id, 1) < 1)
        return {};
    const size_t size = heif_image_handle_get_metadata_size(handle.get(), id);
    if (size < 4 || size > static_cast<size_t>(kMaxExifBlock))
        return {};
    std::string block(size, '\0');
    if (heif_image_handle_get_metadata(handle.get(), id, block.data()).code != heif_error_Ok)
        return {};
    const uint32_t offset = Be32(reinterpret_cast<const uint8_t*>(block.data()));
    if (offset > size - 4)
        return {};
    return std::string(WithoutExifMark(std::string_view(block).substr(4 + offset)));
}

// The payload of the WebP file's EXIF chunk, found by a walk over its chunks.
std::string WebpExif(const FileAt& file) {
    uint8_t riff[12];
    if (!file.read(0, riff, sizeof riff))
        return {};
    const int64_t end = std::min<int64_t>(file.size(), int64_t{Le32(riff + 4)} + 8);
    int64_t at = 12;
    for (int i = 0; i < kMaxRiffChunks && at + 8 <= end; ++i) {
        uint8_t chunk[8];
        if (!file.read(at, chunk, sizeof chunk))
            return {};
        const int64_t size = Le32(chunk + 4);
        if (std::memcmp(chunk, "EXIF", 4) == 0) {
            if (size > kMaxExifBlock || size > end - at - 8)
                return {};
            const std::vector<uint8_t> bytes = file.bytes(at + 8, size);
            return std::string(WithoutExifMark(
                std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
        }
        at += 8 + size + (size & 1);
    }
    return {};
}

// Collects the file bytes the report reads in a TIFF file beyond the head: each directory (IFD0,
// Exif, GPS), the values that do not fit in their entries, the maker note. Positions in the
// buffer are the file offsets + 12.
class TiffWindows {
  public:
    TiffWindows(const FileAt& file, ExifBuffer& buffer, ByteOrder order)
        : file_(file), buffer_(buffer), order_(order) {}

    void Directory(int64_t offset, int depth) {
        if (depth > 2 || offset < 8)
            return;
        uint8_t countBytes[2];
        if (!file_.read(offset, countBytes, 2))
            return;
        const int64_t count = Unsigned(countBytes, 2);
        if (count < 1 || count > kMaxLookupEntries)
            return;
        const int64_t size = 2 + kEntrySize * count + 4;
        Keep(offset, size);
        const std::vector<uint8_t> entries = file_.bytes(offset + 2, kEntrySize * count);
        if (entries.empty())
            return;
        for (int64_t i = 0; i < count; ++i) {
            const uint8_t* e = entries.data() + i * kEntrySize;
            const int tag = static_cast<int>(Unsigned(e, 2));
            const int64_t bytes =
                ByteSize(static_cast<int>(Unsigned(e + 2, 2)), Unsigned(e + 4, 4));
            const int64_t field = Unsigned(e + 8, 4);
            if (tag == kTagExifIfd || tag == kTagGpsIfd)
                Directory(field, depth + 1);
            else if (bytes > 4)
                Keep(field, std::min(bytes, kMaxWindowSize));
        }
    }

  private:
    int64_t Unsigned(const uint8_t* p, int width) const {
        int64_t value = 0;
        for (int i = 0; i < width; ++i)
            value = value << 8 | p[order_ == ByteOrder::kLittle ? width - 1 - i : i];
        return value;
    }
    // The file's bytes from the offset, as far as they lie past the head and within the budget.
    void Keep(int64_t offset, int64_t size) {
        const int64_t position = offset + kHeadSize;
        if (position + size <= ExifBuffer::kSize || windows_ >= kMaxWindows)
            return;
        const int64_t from = std::max<int64_t>(position, ExifBuffer::kSize) - kHeadSize;
        const int64_t n = std::min({offset + size - from, file_.size() - from, budget_});
        if (n <= 0)
            return;
        std::vector<uint8_t> bytes = file_.bytes(from, n);
        if (bytes.empty())
            return;
        budget_ -= n;
        ++windows_;
        // The reads never reach the last position of a buffer (as with the head's last byte):
        // one more, so that a value ending the file is read.
        buffer_.AddWindow(from + kHeadSize, std::move(bytes), file_.size() + kHeadSize + 1);
    }

    const FileAt& file_;
    ExifBuffer& buffer_;
    const ByteOrder order_;
    int64_t budget_ = kMaxWindowBytes;
    int windows_ = 0;
};

bool LoadTiff(const FileAt& file, ExifBuffer& buffer) {
    const std::vector<uint8_t> head = file.bytes(0, std::min(file.size(), kRoom));
    if (head.size() < 8)
        return false;
    PutBehindHead(buffer,
                  std::string_view(reinterpret_cast<const char*>(head.data()), head.size()));
    const ByteOrder order = head[0] == 'I' ? ByteOrder::kLittle : ByteOrder::kBig;
    const int64_t ifd0 = buffer.ReadUnsigned(4, order, kHeadSize + 4);
    TiffWindows(file, buffer, order).Directory(ifd0, 0);
    return true;
}

} // namespace

Container ContainerOf(const ExifBuffer& head) {
    auto at = [&](int64_t pos, const char* text) {
        for (size_t i = 0; text[i]; ++i)
            if (head.Byte(pos + static_cast<int64_t>(i)) != static_cast<uint8_t>(text[i]))
                return false;
        return true;
    };
    if (head.Byte(0) == 0xFF && head.Byte(1) == 0xD8)
        return Container::kJpeg;
    if (at(0, "RIFF") && at(8, "WEBP"))
        return Container::kWebp;
    if (at(0, "II*") && head.Byte(3) == 0)
        return Container::kTiff;
    if (at(0, "MM") && head.Byte(2) == 0 && head.Byte(3) == 42)
        return Container::kTiff;
    if (at(4, "ftyp")) {
        // The major brand, then the compatible brands up to the end of the box (first 64 bytes).
        const int64_t boxEnd = std::min<int64_t>(head.ReadUnsigned(4, ByteOrder::kBig, 0), 64);
        for (int64_t pos = 8; pos + 4 <= boxEnd; pos += pos == 8 ? 8 : 4) {
            char brand[4];
            for (int i = 0; i < 4; ++i)
                brand[i] = static_cast<char>(head.Byte(pos + i));
            if (IsHeifBrand(brand))
                return Container::kHeif;
        }
    }
    return Container::kOther;
}

std::string JpegExifHead() {
    return std::string("\xFF\xD8\xFF\xE1\x00\x00"
                       "Exif\0\0",
                       12);
}

bool LoadContainerExif(const std::string& path, Container container, ExifBuffer& buffer) {
    const FileAt file(path);
    if (!file.ok())
        return false;
    switch (container) {
    case Container::kHeif:
        PutBehindHead(buffer, HeifExif(file));
        return true;
    case Container::kWebp:
        PutBehindHead(buffer, WebpExif(file));
        return true;
    case Container::kTiff:
        return LoadTiff(file, buffer);
    case Container::kJpeg:
    case Container::kOther:
        break;
    }
    return false;
}

int TiffOrientation(std::string_view tiff) {
    if (tiff.size() < 8)
        return 1;
    const ExifBuffer buffer(JpegExifHead() + std::string(tiff.substr(0, kRoom)));
    const ByteOrder order = buffer.Byte(kHeadSize) == 'I' ? ByteOrder::kLittle : ByteOrder::kBig;
    if (buffer.ReadUnsigned(2, order, kHeadSize + 2) != 42)
        return 1;
    ReadPacer pacer;
    const int64_t ifd0 = kHeadSize + buffer.ReadUnsigned(4, order, kHeadSize + 4);
    const int64_t entry =
        IfdLookup(buffer, kHeadSize, pacer).FindEntry(ifd0, order, kTagOrientation);
    if (entry <= ifd0)
        return 1;
    const int64_t value = buffer.ReadUnsigned(2, order, entry + 8);
    return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
}

} // namespace quorvane::exif
