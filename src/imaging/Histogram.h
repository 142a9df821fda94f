// The colour correction of the adjustment dialog and its histograms: the RGB correction in
// percent over a region of a bitmap, and two tables of 256 bins (uncorrected and corrected
// preview) drawn as one picture of three half-transparent passes on a shared scale.
#pragma once

#include <QImage>
#include <array>
#include <cstdint>

namespace quorvane {

// Bitmaps this wide or wider are neither corrected nor counted.
inline constexpr int kMaxHistogramWidth = 12001;

class Histogram {
  public:
    enum Table { Uncorrected = 0, Corrected = 1 };
    // One bin: brightness, red, green, blue counters.
    using Bin = std::array<uint32_t, 4>;
    static constexpr int kWidth = 256;
    static constexpr int kHeight = 130;

    // Corrects columns x0..x1 and rows y0..y1 (inclusive) of the bitmap by the percentages: each
    // channel c becomes c + c x k (k = percent x 0.01 in single precision) clamped to 0-255 and
    // truncated; every pixel of the region becomes opaque and is counted into the corrected
    // table, which is cleared first. -1 (nothing changed) for a bitmap of kMaxHistogramWidth
    // pixels or wider, else 0.
    int ApplyColourCorrection(QImage& bitmap, int x0, int y0, int x1, int y1, float red,
                              float green, float blue);

    // Clears both tables and counts every pixel of the bitmap into the uncorrected one. -1 (tables
    // unchanged) for a bitmap of kMaxHistogramWidth pixels or wider, else 0.
    int CountHistogram(const QImage& bitmap);

    // Paints the table into `picture` (made kWidth x kHeight when it is not): red, green and blue
    // counters as vertical lines in half-transparent colours on white, scaled to the largest
    // counter of bins 1 to 254 (the uncorrected table's scale is kept for the corrected one).
    // Without a scale nothing is drawn and the picture stays as it was.
    void DrawHistogram(Table table, QImage& picture);

    const Bin& bin(Table table, int index) const { return tables_[table][index]; }
    int64_t scaleMaximum() const { return scale_; }

  private:
    std::array<std::array<Bin, 256>, 2> tables_{};
    int64_t scale_ = 0;
};

} // namespace quorvane
