// Shared by the fuzz targets: a private scratch folder per process, file writing, and a check
// that ends the run as a finding.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace quorvane::fuzz {

// A folder of this process below the temporary folder, removed when the process ends.
inline const std::string& Scratch() {
    static const std::string folder = [] {
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "quorvane-fuzz-XXXXXX").string();
        if (!::mkdtemp(tmpl.data()))
            std::abort();
        static const std::string removed = tmpl;
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(removed, ec);
        });
        return tmpl;
    }();
    return folder;
}

inline void WriteBytes(const std::string& path, std::string_view bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string_view Bytes(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A broken promise of the code under test: reported and the input kept, like a crash.
#define QUORVANE_FUZZ_CHECK(condition)                                                             \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);    \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

} // namespace quorvane::fuzz
