#include "ui/ProgramWindows.h"

#include "catalogue/NoticeText.h"
#include "catalogue/Wording.h"
#include "imaging/Fonts.h"

namespace quorvane {

ProgramWindows::ProgramWindows(const AppContext& context)
    : main(context), sheet(main), adjust(context.japanese(), &sheet),
      fonts(context.japanese(), &main), messages(ApplicationTitle(context.japanese()), &main),
      editor(context.japanese(), context.settingsFolder, messages, fonts, &sheet) {
    sheet.useMessageDialog(messages);
    sheet.useAdjustmentDialog(adjust);
    // Saving is refused while sheets are made or a continued run is pending; a save makes the
    // sheet window load its layouts again and drop that continuation.
    editor.setSheetWindowLink({[this] { return sheet.busy() || sheet.job().continuationPending(); },
                               [this] { sheet.reloadLayouts(); }});
    QObject::connect(&sheet, &SheetWindow::settingsEditorRequested, &editor,
                     [this] { editor.openModal(); });
}

void ProgramWindows::show() {
    main.show();
    for (const auto& notice : {SettingsFolderNotice(main.context()), MissingJapaneseFontNotice()})
        if (notice)
            messages.ShowInfo(NoticeText(*notice, main.japanese()), &main);
}

} // namespace quorvane
