// Every window of the program, made once at start-up and linked together: the main window, the
// sheet creation window, the settings editor, the adjustment dialog, the font chooser and the
// message dialog. Each lives as long as this object.
#pragma once

#include "app/AppContext.h"
#include "ui/AdjustmentDialog.h"
#include "ui/FontChooser.h"
#include "ui/MainWindow.h"
#include "ui/MessageDialog.h"
#include "ui/SettingsEditor.h"
#include "ui/SheetWindow.h"

namespace quorvane {

class ProgramWindows {
  public:
    explicit ProgramWindows(const AppContext& context);
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    // Shows the main window; problems that would spoil the work (no settings folder, no Japanese
    // font) are said once, then.
    void show();

    // In the order they are made: the settings editor holds the font chooser and the message
    // dialog, so those two come before it; the adjustment dialog keeps its place after the
    // sheet window and before the font chooser.
    MainWindow main;
    SheetWindow sheet;
    AdjustmentDialog adjust;
    FontChooser fonts;
    MessageDialog messages;
    SettingsEditor editor;
};

} // namespace quorvane
