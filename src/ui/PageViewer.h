// The page preview of the sheet creation window (ImageViewer1): one image shown at a zoom factor
// on a grey ground, centred when it is smaller than the view and scrollable when it is larger.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QPixmap>
#include <QRgb>

namespace quorvane {

class PageViewer : public QAbstractScrollArea {
    Q_OBJECT
  public:
    static constexpr QRgb kBackground = 0xff8a8a8a;

    explicit PageViewer(QWidget* parent = nullptr);

    // The shown image; the zoom factor stays.
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }
    // Paints the shown image in one colour, keeping its size (an empty image stays empty).
    void fill(QRgb colour);

    float zoom() const { return zoom_; }
    // Zero and negative factors are refused.
    void setZoom(float factor);

  signals:
    void doubleClicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    QSize scaledSize() const;
    // Where the image's top-left corner lies in the view.
    QPoint imageOrigin() const;
    void imageChanged();
    void updateScrollBars();

    QImage image_;
    float zoom_ = 1.0f;
    // The image at a zoom factor of 1 or below, scaled once; larger factors draw from image_.
    QPixmap scaled_;
};

} // namespace quorvane
