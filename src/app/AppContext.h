// What start-up fixes for the whole run, shared by the GUI and the batch command: the language,
// the program, home and settings folders, and the configuration read from "Quorvane.ini".
#pragma once

#include "app/AppConfig.h"
#include "text/Notice.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace quorvane {

struct AppContext {
    int language = 1033;
    QString programFolder;  // folder of the executable, no trailing "/"
    QString homeFolder;     // the user's home folder, no trailing "/"
    QString settingsFolder; // layouts, maker-note descriptions and Quorvane.ini
    AppConfig config;
    bool settingsFolderReady = true; // false when it could not be made (a file in the way)

    bool japanese() const { return language == 1041; }
};

// The per-user settings folder: the generic configuration folder + "/Quorvane/initdata".
QString DefaultSettingsFolder();

// The shipped initdata folder: beside the executable, else ../share/quorvane/initdata.
QString ShippedInitdataFolder(const QString& programFolder);

// Creates the settings folder when it does not exist and, only then, copies every file below the
// shipped initdata folder into it under its bare name (names beginning with "." skipped).
// Returns true when the folder exists afterwards; a missing source copies nothing.
bool PrepareSettingsFolder(const QString& settingsFolder, const QString& initdataFolder);

// The start-up sequence without windows: language from the system and the arguments, folders,
// first-run copy, configuration. A settings folder that cannot be made leaves the defaults.
AppContext StartUp(const QStringList& arguments);

// What the operator is told when the settings folder could not be made: the program runs on
// with defaults, keeping no settings (kSettingsFolderUnmakeable naming the folder). Nothing when
// the folder is there.
std::optional<text::Notice> SettingsFolderNotice(const AppContext& context);

} // namespace quorvane
