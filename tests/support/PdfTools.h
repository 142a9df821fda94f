// What poppler's pdfinfo and pdfimages say of a PDF file, as a viewer or a print shop would see
// it: its pages with their sizes, and the images on them with their encoding and resolution.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorvane::test {

struct PdfImage {
    int page = 0;
    int width = 0;
    int height = 0;
    std::string colour;   // "rgb", "gray", "icc", ...
    std::string encoding; // "jpeg", "image", ...
    int xPpi = 0;
    int yPpi = 0;
};

struct PdfReport {
    int pages = 0;
    std::string title; // the document's title, empty when it has none
    std::vector<std::pair<double, double>> mediaBoxes; // width and height in points, per page
    std::vector<PdfImage> images;
};

// Why the tools cannot be used (empty when they can): poppler-utils is not installed.
std::string PdfToolsMissing();
// The report of the file, or nullopt when the tools refuse it (no PDF, or a broken one).
std::optional<PdfReport> ReadPdf(const std::filesystem::path& file);

} // namespace quorvane::test
