#include "app/AppContext.h"

#include "files/PathRules.h"
#include "language/Language.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorvane {

QString DefaultSettingsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quorvane/initdata");
}

QString ShippedInitdataFolder(const QString& programFolder) {
    QString beside = programFolder + QStringLiteral("/initdata");
    if (QFileInfo(beside).isDir())
        return beside;
    return QDir::cleanPath(programFolder + QStringLiteral("/../share/quorvane/initdata"));
}

bool PrepareSettingsFolder(const QString& settingsFolder, const QString& initdataFolder) {
    if (QFileInfo(settingsFolder).isDir())
        return true;
    if (!QDir().mkpath(settingsFolder))
        return false;
    if (!QFileInfo(initdataFolder).isDir())
        return true;
    QDirIterator it(initdataFolder, QDir::Files | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        if (info.fileName().startsWith(QLatin1Char('.')) || info.isHidden())
            continue;
        // Files of subfolders land flat in the settings folder; a later one of the same name wins.
        const QString target = settingsFolder + QLatin1Char('/') + info.fileName();
        QFile::remove(target);
        QFile::copy(info.filePath(), target); // a failed copy skips that file
    }
    return true;
}

AppContext StartUp(const QStringList& arguments) {
    AppContext ctx;
    ctx.language = LanguageFromArguments(SystemLanguage(), arguments);
    ctx.programFolder = StripPath(QCoreApplication::applicationDirPath());
    ctx.homeFolder = StripPath(QDir::homePath());
    ctx.settingsFolder = DefaultSettingsFolder();
    ctx.config.readPath = ctx.homeFolder;
    ctx.settingsFolderReady =
        PrepareSettingsFolder(ctx.settingsFolder, ShippedInitdataFolder(ctx.programFolder));
    if (ctx.settingsFolderReady)
        ctx.config = LoadAppConfig(ctx.settingsFolder, ctx.homeFolder);
    return ctx;
}

std::optional<text::Notice> SettingsFolderNotice(const AppContext& context) {
    if (context.settingsFolderReady)
        return std::nullopt;
    return text::Notice{text::NoticeCode::kSettingsFolderUnmakeable,
                        {context.settingsFolder.toStdString()}};
}

} // namespace quorvane
