#include "print/PaperChoice.h"

#include <QMarginsF>
#include <algorithm>
#include <cmath>

namespace quorvane {

namespace {

constexpr double kMatchMillimetres = 1.0;

} // namespace

QSizeF PageMillimetres(int widthPixels, int heightPixels, int dpi) {
    const double inch = 25.4 / std::max(1, dpi);
    return {widthPixels * inch, heightPixels * inch};
}

QPageLayout PaperFor(int widthPixels, int heightPixels, int dpi) {
    const QSizeF page = PageMillimetres(widthPixels, heightPixels, dpi);
    const double shortSide = std::min(page.width(), page.height());
    const double longSide = std::max(page.width(), page.height());
    const auto orientation =
        page.width() > page.height() ? QPageLayout::Landscape : QPageLayout::Portrait;

    QPageSize::PageSizeId best = QPageSize::Custom;
    double bestDistance = kMatchMillimetres * 2 + 1;
    for (int i = 0; i <= QPageSize::LastPageSize; ++i) {
        const auto id = static_cast<QPageSize::PageSizeId>(i);
        const QSizeF standard = QPageSize::size(id, QPageSize::Millimeter);
        // Sizes defined wider than high (ledger, envelopes fed sideways) would turn the page.
        if (id == QPageSize::Custom || standard.width() > standard.height())
            continue;
        const double dx = std::abs(standard.width() - shortSide);
        const double dy = std::abs(standard.height() - longSide);
        if (dx <= kMatchMillimetres && dy <= kMatchMillimetres && dx + dy < bestDistance) {
            best = id;
            bestDistance = dx + dy;
        }
    }
    const QPageSize paper = best != QPageSize::Custom
                                ? QPageSize(best)
                                : QPageSize(QSizeF(shortSide, longSide), QPageSize::Millimeter,
                                            QString(), QPageSize::ExactMatch);
    return QPageLayout(paper, orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

} // namespace quorvane
