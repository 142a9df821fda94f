// The adjustment dialog on its own, with drawn photos in a temporary folder and its messages
// recorded instead of shown; each showing is driven from inside its modal loop.
#pragma once

#include "ui/AdjustmentDialog.h"

#include "TestSupport.h"

#include <QSlider>
#include <QStringList>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace quorvane::test {

// A layout of `photos` per page whose cell is 1181 x 827 pixels, not trimmed.
layout::SheetLayout OnePhotoLayout(int photos = 1);

// A photo of the given size with colour gradients, drawn once per size and kind.
QString DrawnPhoto(int width, int height, const char* suffix = "png");

struct AdjustHarness {
    explicit AdjustHarness(bool japanese = true);

    // Shows the dialog for the photo; `whileShown` runs inside the modal loop and must end the
    // showing (one it leaves open fails the test and is cancelled).
    PhotoAdjustment adjust(const QString& path, const layout::SheetLayout& layout,
                           const std::function<void()>& whileShown);

    template <typename T = QWidget> T* control(const char* name) const {
        T* found = dialog->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString text(const char* name) const { return control(name)->property("text").toString(); }
    QSlider* bar(int n) const { return control<QSlider>(qPrintable(QString("TrackBar%1").arg(n))); }
    void click(const char* name);

    QStringList messages;
    std::unique_ptr<AdjustmentDialog> dialog;
};

} // namespace quorvane::test
