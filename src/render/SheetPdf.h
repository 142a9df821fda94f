// The PDF of a run's sheets: one PDF page per sheet, in order, each exactly the layout's paper
// (pixels ÷ dpi × 72 points) and showing the sheet's own JPEG bytes (DCTDecode: never decoded or
// encoded again) at their pixel size, so that the image's resolution is the layout's dpi, in the
// colour space of the ICC profile the JPEG carries (sRGB for every page). The pages are kept in a
// scratch file of the output folder as they come, so many pages are never held in memory and the
// presses that continue a run add theirs; each write is that file followed by the page tree, the
// catalogue and the cross-reference table.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <map>
#include <vector>

namespace quorvane {

class OutputFolder;

// A length of `pixels` at `dpi` in PDF points (1/72 inch), as written: at most four decimals,
// without trailing zeros ("1190.64" for 4961 pixels at 300 dpi).
QByteArray PdfPoints(int pixels, int dpi);

class SheetPdf {
  public:
    enum class Added {
        kAdded,
        kNotJpeg, // not a JPEG of one or three components that a PDF can show as it is
        kFailed,  // the scratch file could not be made or written (errno given)
    };

    SheetPdf() = default;
    ~SheetPdf();
    SheetPdf(const SheetPdf&) = delete;
    SheetPdf& operator=(const SheetPdf&) = delete;

    // Adds a page showing the JPEG at `dpi`; the first page makes the scratch file in the folder.
    Added addPage(const OutputFolder& folder, const QByteArray& jpeg, int dpi, int* error);
    int pageCount() const { return static_cast<int>(pageObjects_.size()); }
    // Writes the PDF of every page added so far under the name, atomically (OutputFolder::write).
    bool write(OutputFolder& folder, const QString& name, int* error) const;

  private:
    // Starts an object in the scratch file and returns its number.
    int beginObject();
    bool append(const QByteArray& bytes);
    // A whole stream object; its number, or 0 when it could not be written.
    int streamObject(const QByteArray& dictionary, const QByteArray& data);
    // The colour space of a JPEG with these components and profile, its profile written first
    // when new; empty when none fits or the profile could not be written.
    QByteArray colourSpace(int components, const QByteArray& profile);
    // Everything after the pages: page tree, catalogue, information, cross references, trailer.
    QByteArray tail() const;

    int scratch_ = -1;
    int64_t length_ = 0; // bytes in the scratch file that are part of the PDF
    int error_ = 0;
    // Byte offsets by object number (index 0 unused); objects 1 to 3 are in the tail.
    std::vector<int64_t> offsets_{0, 0, 0, 0};
    std::vector<int> pageObjects_;
    std::map<QByteArray, int> profiles_; // ICC profile streams by their bytes
};

} // namespace quorvane
