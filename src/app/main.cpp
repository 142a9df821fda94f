// The GUI program: applies the command line, creates the windows and runs the event loop.
#include "app/MainWindow.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    try {
        quorvane::MainWindow window;
        window.show();
        return app.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Quorvane"), QString::fromUtf8(e.what()));
        return 1;
    }
}
