// The image adjustment dialog (TForm18): one photo of a one-photo layout with its cell's crop
// frame over it, in which the operator zooms into the photo, moves the selection, turns the photo
// slightly and corrects its colours watching a histogram, just before the photo is rendered.
#pragma once

#include "files/LocalPath.h"

#include "imaging/Histogram.h"
#include "imaging/PhotoAdjustment.h"
#include "layout/SheetLayout.h"

#include <QDialog>
#include <QImage>
#include <QRect>
#include <QString>

#include <array>
#include <functional>
#include <vector>

class QCheckBox;
class QDial;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSlider;
class QTimer;

namespace quorvane {

class BitmapView;
class CropFrameView;
class TurningPhotoView;

// Controls by objectName: Button3 "決定", Button2 "キャンセル", Button1 "再表示・初期状態";
// TrackBar1 (enlargement) with Label1 and the reset Button4; TrackBar2 (left/right) with Label2
// and Button5; TrackBar3 (up/down, upright) with Label3 and Button7; ArcDial1 (rotation, value /
// 10 degrees) with Label12 and Button6; Label13 over TrackBar4-TrackBar6 (R, G, B, with Label9-11
// and the value boxes Edit1-Edit3) and Button8; CheckBox1 "色補正を行う"; Image4 (histogram) with
// Label14; ScrollBox1 holding Image1 (the preview), Image2 (the crop frame) and the hidden Image3
// (the uncorrected preview); StatusBar1 holding Label5, Label4, Label6, Label7, Label8.
class AdjustmentDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kMinClientWidth = 1100;
    static constexpr int kMinClientHeight = 800;
    // ScrollBox1 and the buttons keep this from the right edge, ScrollBox1 from the status bar.
    static constexpr int kEdgeGap = 15;
    // Image1 and Image2 are this much smaller than ScrollBox1 in both directions.
    static constexpr int kImageInset = 25;
    // The preview turns at most this far either way; the returned angle is not limited.
    static constexpr double kPreviewTurnLimit = 15;

    explicit AdjustmentDialog(bool japanese, QWidget* parent = nullptr);
    ~AdjustmentDialog() override;

    // Shows the dialog modally for the photo, with the crop frame of the layout's cell, and
    // returns the operator's choice: accepted only after "決定" with the selection inside the
    // photo; "キャンセル", Escape and closing the window give accepted false.
    PhotoAdjustment AdjustPhoto(const LocalPath& path, const layout::SheetLayout& layout);

    // How a message reaches the operator: a plain message box (tests replace it).
    std::function<void(const QString& text)> showMessage;

    // What the preview shows, for tests and screenshots.
    const QImage& preview() const;            // Image1, colour-corrected
    const QImage& uncorrectedPreview() const; // Image3
    const QImage& histogramPicture() const { return histogramPicture_; }
    double previewRotation() const;
    QRectF shownFrame() const; // the red frame on the preview, as the zoom and shifts move it
    // The whole photo, the periphery cut when it applies, and last the crop frame; empty when
    // no photo is loaded.
    const std::vector<QRect>& cropSteps() const { return cropSteps_; }

  public slots:
    // Button2 "キャンセル" and Escape; closing by the frame comes here too.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createControls();
    void layOutControls();
    void applyTexts();
    // The working bitmaps, made on the first showing; false (message shown) when one fails.
    bool makeBuffers();
    // Image1, Image2 and the preview area follow ScrollBox1's size.
    void sizeImages();

    // Button1, each showing, and a resize after the first showing: every control back to its
    // default and the photo loaded again.
    void resetAll();
    // The photo, the zoom limit, the crop frame, the preview and its histogram; false (message
    // shown) when the photo cannot be adjusted.
    bool load();
    void fail(const QString& text);

    // The geometry handlers of TrackBar1, TrackBar2, TrackBar3 and ArcDial1.
    void zoomChanged();
    void shiftXChanged();
    void shiftYChanged();
    void dialTurned();
    void moveFrame();
    // TrackBar2 and TrackBar3 run only as far as the frame stays on the photo at the current
    // zoom, and are disabled where it has no room, so that the sliders cannot take the selection
    // off the photo; a value outside the new range is pulled in and its label follows.
    void limitShifts();
    // A shift set from outside the range (a disabled bar keeps its whole length) is pulled in.
    static void keepShiftInside(QSlider* bar, const ShiftRange& range);
    QRectF selection() const;

    // TrackBar4-TrackBar6: the value boxes, the corrected preview and the histogram.
    void colourChanged();
    void resetColours();                // Button8
    void correctionTicked(bool ticked); // CheckBox1
    void showHistogram(Histogram::Table table);

    void decide(); // Button3

    const bool japanese_;
    LocalPath path_;
    layout::SheetLayout layout_;
    QSize photoSize_;
    std::vector<QRect> cropSteps_;
    float scale_ = 1.0f;        // display scale s
    QSize thumbnail_{100, 100}; // tw x th
    QSize previewSize_;         // the view size the preview was built for
    Histogram histogram_;
    QImage histogramPicture_;
    PhotoAdjustment result_;
    ShiftRanges shiftRanges_{{-kMaxShift, kMaxShift}, {-kMaxShift, kMaxShift}}; // TrackBar2, 3

    bool busy_ = true; // events are ignored until the first showing and after a close
    bool closed_ = false;
    bool accepted_ = false;
    bool shownOnce_ = false;
    bool resetting_ = false;
    bool inGeometry_ = false;
    bool inColour_ = false;

    // The R, G and B bars and value boxes, in that order.
    std::array<QSlider*, 3> colourBars() const { return {redBar_, greenBar_, blueBar_}; }
    std::array<QLineEdit*, 3> colourEdits() const { return {redEdit_, greenEdit_, blueEdit_}; }

    // The controls, each named after what it is; the comment gives its design name.
    QPushButton* resetAllButton_ = nullptr;    // Button1 "再表示・初期状態"
    QPushButton* cancelButton_ = nullptr;      // Button2 "キャンセル"
    QPushButton* decideButton_ = nullptr;      // Button3 "決定"
    QPushButton* zoomResetButton_ = nullptr;   // Button4 "リセット" of the enlargement
    QPushButton* shiftXResetButton_ = nullptr; // Button5 "リセット" of left/right
    QPushButton* turnResetButton_ = nullptr;   // Button6 "リセット" of the rotation
    QPushButton* shiftYResetButton_ = nullptr; // Button7 "リセット" of up/down
    QPushButton* colourResetButton_ = nullptr; // Button8 "リセット" of the colours
    QLabel* zoomLabel_ = nullptr;              // Label1 "拡大(100~200%)"
    QLabel* shiftXLabel_ = nullptr;            // Label2 "左右( -200px ～　200px )"
    QLabel* shiftYLabel_ = nullptr;            // Label3 "上下"
    QLabel* turnStatus_ = nullptr;             // Label4 "R:" status field
    QLabel* selectionStatus_ = nullptr;        // Label5 status field: scale, selection
    QLabel* zoomStatus_ = nullptr;             // Label6 "Zoom:" status field
    QLabel* shiftXStatus_ = nullptr;           // Label7 "RL:" status field
    QLabel* shiftYStatus_ = nullptr;           // Label8 "TD:" status field
    QLabel* redLabel_ = nullptr;               // Label9 "R"
    QLabel* greenLabel_ = nullptr;             // Label10 "G"
    QLabel* blueLabel_ = nullptr;              // Label11 "B"
    QLabel* turnLabel_ = nullptr;              // Label12 "回転"
    QLabel* colourLabel_ = nullptr;            // Label13 "色補正(RGB)"
    QLabel* histogramLabel_ = nullptr;         // Label14 "ヒスグラム"
    QSlider* zoomBar_ = nullptr;               // TrackBar1, enlargement
    QSlider* shiftXBar_ = nullptr;             // TrackBar2, left/right
    QSlider* shiftYBar_ = nullptr;             // TrackBar3, up/down
    QSlider* redBar_ = nullptr;                // TrackBar4
    QSlider* greenBar_ = nullptr;              // TrackBar5
    QSlider* blueBar_ = nullptr;               // TrackBar6
    QLineEdit* redEdit_ = nullptr;             // Edit1, value of TrackBar4
    QLineEdit* greenEdit_ = nullptr;           // Edit2, value of TrackBar5
    QLineEdit* blueEdit_ = nullptr;            // Edit3, value of TrackBar6
    QDial* arcDial1_ = nullptr;
    QCheckBox* checkBox1_ = nullptr;
    BitmapView* image4_ = nullptr;
    QScrollArea* scrollBox1_ = nullptr;
    QWidget* previewArea_ = nullptr;
    TurningPhotoView* image1_ = nullptr;
    CropFrameView* image2_ = nullptr;
    BitmapView* image3_ = nullptr;
    QWidget* statusBar1_ = nullptr;
    // A resize rebuilds the preview once the size has settled, not at every step of a drag.
    QTimer* resizeReset_ = nullptr;
};

} // namespace quorvane
