// The main window (TForm2): folder boxes, photo grid and the buttons that drive the photo list.
#pragma once

#include <QMainWindow>

namespace quorvane {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
};

} // namespace quorvane
