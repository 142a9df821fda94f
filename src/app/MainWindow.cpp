#include "app/MainWindow.h"

namespace quorvane {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("TForm2"));
    resize(1040, 600);
}

} // namespace quorvane
