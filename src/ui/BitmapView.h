// A read-only image viewer (the windows' ImageViewer1): shows a copy of a bitmap at a bitmap
// scale, centred on a plain background.
#pragma once

#include <QImage>
#include <QWidget>

namespace quorvane {

class BitmapView : public QWidget {
    Q_OBJECT
  public:
    explicit BitmapView(QWidget* parent = nullptr);

    // Shows a copy of the bitmap at the scale (1 shows it pixel for pixel).
    void setBitmap(const QImage& bitmap, double scale = 1.0);
    void clear();
    const QImage& bitmap() const { return bitmap_; }
    double bitmapScale() const { return scale_; }

    // The scale that shows the whole bitmap in this viewer with room to spare: factor × the
    // smaller of viewer width / bitmap width and viewer height / bitmap height; 1 for no bitmap.
    double fittingScale(const QSize& bitmapSize, double factor) const;

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage bitmap_;
    double scale_ = 1.0;
};

} // namespace quorvane
