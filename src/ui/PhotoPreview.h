// The small preview of the sheet creation window (Image1): the photo just placed, fitted into
// the control with its proportions kept.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace quorvane {

class PhotoPreview : public QWidget {
    Q_OBJECT
  public:
    explicit PhotoPreview(QWidget* parent = nullptr);

    void setImage(const QImage& image);
    const QImage& image() const { return image_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage image_;
    QPixmap fitted_; // image_ at the size it was last drawn
};

} // namespace quorvane
