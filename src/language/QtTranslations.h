// Qt's own texts (standard dialogs and buttons: the folder chooser's "Look in", "Choose",
// "Cancel") in the interface's language, from the translations installed with Qt.
#pragma once

namespace quorvane {

// Installs Qt's Japanese translation into the running application when `japanese` is set;
// returns whether one was installed. English needs none.
bool InstallQtTranslations(bool japanese);

} // namespace quorvane
