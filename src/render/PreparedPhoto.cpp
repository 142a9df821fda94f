#include "render/PreparedPhoto.h"

#include "imaging/Raster.h"
#include "render/AdjustedPhoto.h"

namespace quorvane {

QImage CropAndScale(const DecodedPhoto& photo, const PhotoPlan& plan) {
    const QRect part = photo.frame.toDecoded(plan.trimmed);
    // The part is scaled straight from the decoded pixels, without copying it out first.
    const QImage view = RectView(photo.image, part);
    // The fitted part stays in the scaled copy's memory.
    return TopLeftPart(ScaledCopy(view, plan.scaledSize.width(), plan.scaledSize.height()),
                       plan.fitted);
}

PreparedPhoto PrepareAdjustedPhoto(const LocalPath& path, const PhotoAdjustment& adjustment,
                                   const PhotoPlanInput& layout) {
    PreparedPhoto prepared;
    prepared.cell = layout.cell;
    const PhotoHeader header = ReadPhotoHeader(path);
    const DecodedPhoto photo =
        header.upright.isValid() ? DecodePhoto(path, header, 1) : DecodedPhoto{};
    if (photo.image.isNull() || photo.image.width() < 2 || photo.image.height() < 2) {
        prepared.failure = PreparedPhoto::Unreadable;
        return prepared;
    }
    const AdjustedPhoto adjusted = ApplyAdjustment(photo.image, adjustment, layout);
    const PhotoPlan& plan = adjusted.plan;
    if (!adjusted.photo.isNull())
        prepared.fitted = TopLeftPart(
            ScaledCopy(adjusted.photo, plan.scaledSize.width(), plan.scaledSize.height()),
            plan.fitted);
    if (prepared.fitted.isNull())
        prepared.failure = PreparedPhoto::OutOfMemory;
    prepared.opaque = true; // copied onto opaque white
    return prepared;
}

PreparedPhoto PreparePhoto(const LocalPath& path, PhotoPlanInput layout, bool turnForWeb,
                           bool reduce, int64_t byteLimit, const CancelCheck& cancelled) {
    PreparedPhoto prepared;
    if (cancelled && cancelled()) {
        prepared.failure = PreparedPhoto::Cancelled;
        return prepared;
    }
    // The plan comes from the header alone, before any pixel is decoded.
    const PhotoHeader header = ReadPhotoHeader(path);
    layout.photo = header.upright;
    if (!layout.photo.isValid() || layout.photo.width() < 2 || layout.photo.height() < 2) {
        prepared.failure = PreparedPhoto::Unreadable;
        return prepared;
    }
    if (turnForWeb)
        TurnCellToPhoto(layout);
    PhotoPlan plan = PlanPhoto(layout);

    const int factor = reduce ? ReductionFor(header, plan.trimmed, plan.scaledSize) : 1;
    if (byteLimit > 0 && header.needs.bytes(factor) > byteLimit) {
        prepared.failure = PreparedPhoto::LeftToCaller;
        return prepared;
    }
    DecodedPhoto photo = DecodePhoto(path, header, factor, cancelled);
    if (photo.image.isNull() && factor > 1 && !photo.cancelled) { // a decoder that did not reduce
        if (byteLimit > 0 && header.needs.bytes(1) > byteLimit) {
            prepared.failure = PreparedPhoto::LeftToCaller;
            return prepared;
        }
        photo = DecodePhoto(path, header, 1, cancelled);
    }
    if (photo.cancelled) {
        prepared.failure = PreparedPhoto::Cancelled;
        return prepared;
    }
    if (photo.image.isNull() || photo.image.width() < 2 || photo.image.height() < 2) {
        prepared.failure = PreparedPhoto::Unreadable;
        return prepared;
    }
    if (photo.frame.covered.size() != layout.photo && photo.frame.factor == 1) {
        // The header did not tell the decoded size.
        layout.photo = photo.frame.covered.size();
        plan = PlanPhoto(layout);
    }
    prepared.opaque = !photo.image.hasAlphaChannel();
    prepared.cell = layout.cell;
    prepared.fitted = CropAndScale(photo, plan);
    if (prepared.fitted.isNull())
        prepared.failure = PreparedPhoto::OutOfMemory;
    return prepared;
}

} // namespace quorvane
