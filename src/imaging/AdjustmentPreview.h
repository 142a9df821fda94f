// Where the adjustment dialog's preview puts a photo and its crop frame: the display scale, the
// thumbnail's size and place, the frame as the zoom and the shifts move it, the six bars the
// frame is drawn with, the region the colour correction covers, and the value boxes' text.
#pragma once

#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>

#include <array>

namespace quorvane {

struct PreviewPlacement {
    float scale = 1.0f;        // s = min(view width / photo width, view height / photo height)
    QSize thumbnail{100, 100}; // tw x th: integer parts of the photo's size x s
    QPoint origin;             // D, E: the thumbnail's top-left corner, centred, never below 0
};

// The photo fitted into a view of the given size (both sizes at least 1 x 1; the thumbnail is
// never below 1 x 1).
PreviewPlacement PlacePreview(QSize view, QSize photo);

// The crop frame (photo pixels) on the preview at zoom 100: D + int(s x fx), E + int(s x fy),
// int(s x fw), int(s x fh).
QRect FrameOnPreview(const PreviewPlacement& placement, const QRect& cropFrame);

// The frame on the preview when the overlay is scaled by 1 / z (z = zoom / 100) from its corner
// and placed at ((view width − view width / z) / 2 + shiftX x tw / 100, likewise down): it shrinks
// about the view's centre and moves by the shifts in percent of the thumbnail.
QRectF MovedFrame(const QRect& frame, QSize view, QSize thumbnail, double zoomPercent,
                  double shiftX, double shiftY);

// The six filled bars of a frame at (x0, y0) of W x H: top, bottom, left, right, horizontal
// centre, vertical centre, each two pixels thick.
std::array<QRectF, 6> CropFrameBars(const QRectF& frame);

// The pixels the preview's colour correction changes, bounds inclusive: from the thumbnail's
// corner to one past its size, kept inside the view.
QRect CorrectionRegion(QSize view, QSize thumbnail);

// A colour value cut (not rounded) after two decimals, without trailing zeros: "12.34", "-3",
// "0".
QString HundredthsText(double value);

} // namespace quorvane
