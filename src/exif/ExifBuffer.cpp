#include "exif/ExifBuffer.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane::exif {

ExifBuffer::ExifBuffer() : bytes_(static_cast<size_t>(kSize), 0) {}

ExifBuffer::ExifBuffer(std::string_view bytes) : ExifBuffer() {
    Assign(bytes);
}

void ExifBuffer::Assign(std::string_view bytes) {
    std::fill(bytes_.begin(), bytes_.end(), 0);
    size_t n = std::min(bytes.size(), bytes_.size());
    std::copy_n(reinterpret_cast<const uint8_t*>(bytes.data()), n, bytes_.begin());
    loaded_ = static_cast<int64_t>(n);
    windows_.clear();
    end_ = kSize;
}

void ExifBuffer::Fill(const std::function<size_t(uint8_t* into, size_t room)>& read) {
    const size_t n = std::min(read(bytes_.data(), bytes_.size()), bytes_.size());
    std::fill(bytes_.begin() + static_cast<std::ptrdiff_t>(n), bytes_.end(), 0);
    loaded_ = static_cast<int64_t>(n);
    windows_.clear();
    end_ = kSize;
}

void ExifBuffer::AddWindow(int64_t position, std::vector<uint8_t> bytes, int64_t end) {
    if (position >= kSize && !bytes.empty())
        windows_.push_back({position, std::move(bytes)});
    end_ = std::max(end_, end);
}

uint8_t ExifBuffer::ByteAt(int64_t pos) const {
    if (pos < kSize)
        return bytes_[static_cast<size_t>(pos)];
    for (const Window& w : windows_)
        if (pos >= w.position && pos - w.position < static_cast<int64_t>(w.bytes.size()))
            return w.bytes[static_cast<size_t>(pos - w.position)];
    return 0;
}

int64_t ExifBuffer::ReadUnsigned(int width, ByteOrder order, int64_t pos) const {
    if (width < 0 || width > 4)
        return -1;
    if (pos < 0 || pos > end_ - 1 - width)
        return 0;
    int64_t value = 0;
    for (int i = 0; i < width; ++i) {
        int index = order == ByteOrder::kLittle ? width - 1 - i : i;
        value = (value << 8) | ByteAt(pos + index);
    }
    return value;
}

LoadStatus LoadPhotoHead(const std::string& path, ExifBuffer& buffer) {
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::path(path), ec))
        return LoadStatus::kMissing;
    // Opened without waiting, so that a named pipe under a photo's name cannot hold the reader:
    // only a regular file has bytes to read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return LoadStatus::kOpenFailed;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return LoadStatus::kNothingRead;
    }
    std::unique_ptr<FILE, int (*)(FILE*)> file(::fdopen(fd, "rb"), &std::fclose);
    if (!file) {
        ::close(fd);
        return LoadStatus::kOpenFailed;
    }
    // Read straight into the buffer: a second buffer of this size for every photo of a long
    // list costs more than reading the photo.
    size_t read = 0;
    buffer.Fill([&](uint8_t* into, size_t room) {
        if (std::fseek(file.get(), 0, SEEK_SET) == 0)
            read = std::fread(into, 1, room, file.get());
        return read;
    });
    return read == 0 ? LoadStatus::kNothingRead : LoadStatus::kLoaded;
}

} // namespace quorvane::exif
