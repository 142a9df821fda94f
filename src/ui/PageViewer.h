// The page preview of the sheet creation window (ImageViewer1): one page shown at a zoom factor
// on a grey ground, centred when it is smaller than the view and scrollable when it is larger.
// The image shown may be the page scaled down (to the view's size): the zoom factor always
// counts the page's own pixels.
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

    // The shown image, standing for a page of `pageSize` pixels (the image's own size when
    // empty); the zoom factor stays.
    void setImage(const QImage& image, const QSize& pageSize = {});
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

    // Image pixels per page pixel (1 unless the image is the page scaled down).
    double imageScale() const;

    QImage image_;
    QSize pageSize_;
    float zoom_ = 1.0f;
    // The image shown at its own size or smaller, scaled once; larger draws from image_.
    QPixmap scaled_;
};

} // namespace quorvane
