// "Quorvane.ini" in the settings folder: the remembered folders, the EXIF report limits and the
// sheet window's print options.
#pragma once

#include <QString>

namespace quorvane {

struct AppConfig {
    QString readPath;       // last source folder; the photo folder dialog starts here
    QString savePath;       // last save folder
    int maxTagLineCol = 16; // values per report dump line
    int maxDumpBinCt = 32;  // most value bytes dumped per tag
    // The sheet window's boxes beyond the design's, as last ticked (1 or 0 in the file):
    bool fullResolution = false; // "印刷用の原寸で出力する"
    bool makePdf = false;        // "PDFも作成する"
    bool printPages = false;     // "印刷する"
};

QString AppConfigPath(const QString& settingsFolder);

// Reads the file when it exists. Without the file: read path = home folder, save path empty,
// 16 and 32. With it: missing numbers read as 32 and 64; numbers outside 4-256 and 4-8192 leave
// the built-in 16 and 32.
AppConfig LoadAppConfig(const QString& settingsFolder, const QString& homeFolder);

// Writes readPath with the two numbers, or savePath alone, keeping every other line of the file.
// The file is replaced atomically; false when it could not be written.
bool SaveReadPath(const QString& settingsFolder, const AppConfig& config);
bool SaveSavePath(const QString& settingsFolder, const AppConfig& config);
// Writes the three print options (fullResolution, makePdf, printPages) the same way.
bool SaveSheetOptions(const QString& settingsFolder, const AppConfig& config);

} // namespace quorvane
