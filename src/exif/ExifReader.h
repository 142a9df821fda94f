// Reading the EXIF block of a photo (JPEG; HEIF, AVIF, WebP and TIFF through ContainerExif.h):
// the shooting date for the photo list and the text report printed under photos and by
// `quorvane-cli exif`.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quorvane::exif {

// What steers a read: the report limits of Quorvane.ini, the main window's option boxes, and the
// hooks that keep a long read responsive and stoppable.
struct ExifOptions {
    int maxTagLineCol = 16;              // values per dump line
    int maxDumpBinCt = 32;               // most value bytes turned into text per tag
    bool japaneseNames = false;          // Japanese tag titles
    bool makerNotes = false;             // add the maker-note block when there is one
    std::string settingsFolder;          // where maker-note description files are looked up
    std::function<void()> yield;         // lets pending events run; may be empty
    std::function<bool()> stopRequested; // true ends the read early; may be empty
};

// Result codes of ReadReport.
enum ReportResult : int {
    kReportDone = 0,
    kReportNoFile = -1,
    kReportNothingRead = -2,
    kReportNotJpeg = -3, // neither JPEG nor one of the other kinds with a TIFF structure
    kReportNoTiffMagic = -4,
    kReportNoEntries = -5,
    kReportTooManyEntries = -6,
};

// The DateTimeOriginal text of the photo (normally "YYYY:MM:DD HH:MM:SS"), or empty text on any
// failure. The path is UTF-8.
std::string ShootingDate(const std::string& path, const ExifOptions& options = {});

// Fills `lines` (cleared first) with the report items and returns a ReportResult code.
int ReadReport(const std::string& path, std::vector<std::string>& lines,
               const ExifOptions& options = {});

} // namespace quorvane::exif
