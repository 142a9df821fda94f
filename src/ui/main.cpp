// The GUI program: reads the command line and the settings, creates the windows, runs the event
// loop. An exception that escapes start-up or an event handler is shown in a message box.
#include "app/AppContext.h"
#include "imaging/CancellableDevice.h"
#include "imaging/Fonts.h"
#include "language/Language.h"
#include "language/QtTranslations.h"
#include "ui/ProgramWindows.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include <exception>

namespace {

void ShowException(const QString& what) {
    QMessageBox::critical(nullptr, QStringLiteral("Quorvane"), what);
}

QString Describe(const std::exception& e) {
    return QString::fromLocal8Bit(e.what());
}

// Shows exceptions thrown by event handlers instead of letting them end the program unseen.
class Application : public QApplication {
  public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            ShowException(Describe(e));
        } catch (...) {
            ShowException(QStringLiteral("Unknown exception"));
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    Application app(argc, argv);
    try {
        // The renderer switches "nodx", "nodxsoftware", "nod2d" and "nogpucanvas" choose drawing
        // back ends this toolkit does not have: they are accepted and change nothing. "-en" is
        // read by the start-up below.

        // Layouts name Windows font families; they draw with the installed IPA fonts.
        quorvane::RegisterFontSubstitutions();
        quorvane::QuietCancelledDecodes();
        const quorvane::AppContext context = quorvane::StartUp(QCoreApplication::arguments());

        const bool japanese = context.japanese();
        // Qt's own dialogs and buttons in the interface's language.
        quorvane::InstallQtTranslations(japanese);
        QIcon icon;
        for (int size : {16, 32, 48, 64, 128, 256})
            icon.addFile(QStringLiteral(":/quorvane/icon-%1.png").arg(size));
        QApplication::setWindowIcon(icon);

        quorvane::ProgramWindows windows(context);
        windows.show();
        return app.exec();
    } catch (const std::exception& e) {
        ShowException(Describe(e));
    } catch (...) {
        ShowException(QStringLiteral("Unknown exception"));
    }
    return 1;
}
