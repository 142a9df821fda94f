// What the markers of a JPEG file tell before a pixel is decoded: its frame (size, components and
// their sampling, progressive or not) and its scans, found by a walk over the markers that skips
// the coded data without decoding it. The decoder's work and memory follow from these.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <cstdint>
#include <vector>

namespace quorvane {

// The most scans a JPEG photo may hold to be decoded. Cameras and encoders write one scan, or
// about ten for a progressive photo (rarely more than a few dozen); each scan makes the decoder go
// over all of the photo's coefficients again, so a small file of thousands of scans keeps it busy
// for minutes. 500 leaves every real photo far inside and bounds such a file to the work of a few
// hundred passes.
inline constexpr int kMaxJpegScans = 500;

struct JpegStructure {
    struct Component {
        int h = 1; // sampling factors as written (the decoder accepts 1-4)
        int v = 1;
    };
    bool jpeg = false;  // the file begins with the JPEG start marker
    bool frame = false; // a frame header was read (before the first scan)
    bool progressive = false;
    int width = 0;
    int height = 0;
    std::vector<Component> components;
    int firstScanComponents = 0; // components of the first scan
    // Scans counted, at most kMaxJpegScans + 1 (the walk stops there), and where each begins
    // (the offset of its marker from where the walk started).
    int scans = 0;
    std::vector<int64_t> scanStarts;
    // The embedded ICC profile (APP2 "ICC_PROFILE" segments before the first scan, joined in
    // their numbered order); empty when there is none or its segments do not add up.
    QByteArray iccProfile;

    // Whether the decoder keeps every coefficient of the photo until the last scan: progressive
    // photos, and photos whose first scan leaves components for later scans.
    bool multiScan() const {
        return progressive || firstScanComponents < static_cast<int>(components.size());
    }
    bool tooManyScans() const { return scans > kMaxJpegScans; }
};

// Walks the markers from the device's position to the end of the first image (or of the data)
// and puts the device back where it was. A file that does not begin with the JPEG start marker
// gives jpeg = false. The walk reads each byte once, in blocks; it stops after the first scan of
// a photo whose first scan holds every component (no other scan may follow), and once more than
// kMaxJpegScans scans are counted. The device must be random access (a file).
JpegStructure ReadJpegStructure(QIODevice& device);

} // namespace quorvane
