// The two stacked pictures of the adjustment dialog's preview: the photo (Image1), which turns
// about its centre, and the crop frame above it (Image2), red and half transparent, shrinking
// about the centre with the zoom and moving with the shifts.
#pragma once

#include <QImage>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QWidget>

namespace quorvane {

class TurningPhotoView : public QWidget {
    Q_OBJECT
  public:
    explicit TurningPhotoView(QWidget* parent = nullptr);

    // Shows a copy of the bitmap from the view's top-left corner, pixel for pixel.
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }
    // The turn in degrees, positive clockwise, about the view's centre.
    void setRotation(double degrees);
    double rotation() const { return rotation_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage image_;
    double rotation_ = 0;
};

class CropFrameView : public QWidget {
    Q_OBJECT
  public:
    static constexpr QRgb kFrameColour = 0xffff0000;
    static constexpr double kOpacity = 0.5;

    explicit CropFrameView(QWidget* parent = nullptr);

    // The frame on the preview at zoom 100 and the thumbnail it belongs to; the frame then
    // stands unmoved until moveFrame.
    void setFrame(const QRect& frame, QSize thumbnail);
    // No frame: nothing is drawn.
    void clearFrame();
    // Zoom in percent and shifts in percent of the thumbnail.
    void moveFrame(double zoomPercent, double shiftX, double shiftY);

    bool hasFrame() const { return !frame_.isEmpty(); }
    // The frame as it is drawn now, in view pixels.
    QRectF shownFrame() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QRect frame_;
    QSize thumbnail_;
    double zoom_ = 100;
    double shiftX_ = 0;
    double shiftY_ = 0;
};

} // namespace quorvane
