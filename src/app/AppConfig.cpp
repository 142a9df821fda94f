#include "app/AppConfig.h"

#include "files/PathRules.h"
#include "text/IniDocument.h"

#include <QFile>

namespace quorvane {

namespace {

constexpr const char* kSection = "SETTING";

text::IniDocument LoadOrEmpty(const QString& path) {
    auto doc = text::IniDocument::Load(QFile::encodeName(path).toStdString());
    return doc ? *doc : text::IniDocument();
}

bool Save(const QString& settingsFolder,
          const std::initializer_list<std::pair<const char*, QString>>& values) {
    const QString path = AppConfigPath(settingsFolder);
    const std::string file = QFile::encodeName(path).toStdString();
    auto loaded = text::IniDocument::Load(file);
    // A file that exists but cannot be read is left alone: rewriting it would drop its lines.
    if (!loaded && QFile::exists(path))
        return false;
    text::IniDocument doc = loaded ? *loaded : text::IniDocument();
    for (const auto& [key, value] : values)
        doc.setValue(kSection, key, value.toStdString());
    return doc.save(file);
}

} // namespace

QString AppConfigPath(const QString& settingsFolder) {
    return settingsFolder + QStringLiteral("/Quorvane.ini");
}

AppConfig LoadAppConfig(const QString& settingsFolder, const QString& homeFolder) {
    AppConfig config;
    config.readPath = homeFolder;
    const QString path = AppConfigPath(settingsFolder);
    if (!QFile::exists(path))
        return config;
    // An unreadable file reads like an empty one.
    const text::IniDocument doc = LoadOrEmpty(path);
    config.readPath = QString::fromStdString(doc.value(kSection, "readPath", ""));
    config.savePath = QString::fromStdString(doc.value(kSection, "savePath", ""));
    const int col = doc.intValue(kSection, "maxTagLineCol", 32);
    if (col >= 4 && col <= 256)
        config.maxTagLineCol = col;
    const int cap = doc.intValue(kSection, "maxDumpBinCt", 64);
    if (cap >= 4 && cap <= 8192)
        config.maxDumpBinCt = cap;
    // A box is ticked by 1 only; anything else leaves it unticked.
    config.fullResolution = doc.intValue(kSection, "fullResolution", 0) == 1;
    config.makePdf = doc.intValue(kSection, "makePdf", 0) == 1;
    config.printPages = doc.intValue(kSection, "printPages", 0) == 1;
    return config;
}

bool SaveReadPath(const QString& settingsFolder, const AppConfig& config) {
    return Save(settingsFolder, {{"readPath", StripPath(config.readPath)},
                                 {"maxTagLineCol", QString::number(config.maxTagLineCol)},
                                 {"maxDumpBinCt", QString::number(config.maxDumpBinCt)}});
}

bool SaveSavePath(const QString& settingsFolder, const AppConfig& config) {
    return Save(settingsFolder, {{"savePath", StripPath(config.savePath)}});
}

bool SaveSheetOptions(const QString& settingsFolder, const AppConfig& config) {
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    return Save(settingsFolder, {{"fullResolution", flag(config.fullResolution)},
                                 {"makePdf", flag(config.makePdf)},
                                 {"printPages", flag(config.printPages)}});
}

} // namespace quorvane
