// The paper a layout's page is printed on: a standard size within 1 mm, else its own size.
#include "print/PaperChoice.h"

#include <QRectF>
#include <gtest/gtest.h>

using namespace quorvane;

namespace {

TEST(PaperChoice, AStandardSizeWithinAMillimetreElseThePagesOwn) {
    const struct {
        const char* what;
        int width, height, dpi;
        QPageSize::PageSizeId paper;
        QPageLayout::Orientation orientation;
    } cases[] = {
        {"A4 landscape at 300 dpi", 3508, 2480, 300, QPageSize::A4, QPageLayout::Landscape},
        {"A3 upright at 300 dpi", 3508, 4961, 300, QPageSize::A3, QPageLayout::Portrait},
        {"A4 at 350 dpi", 2894, 4093, 350, QPageSize::A4, QPageLayout::Portrait},
        {"US letter", 2550, 3300, 300, QPageSize::Letter, QPageLayout::Portrait},
        {"11 x 17 in landscape is tabloid turned, not ledger", 5100, 3300, 300, QPageSize::Tabloid,
         QPageLayout::Landscape},
        {"a postcard (100 x 148 mm)", 1181, 1748, 300, QPageSize::Postcard, QPageLayout::Portrait},
        {"JIS B5, not ISO B5", 2150, 3035, 300, QPageSize::JisB5, QPageLayout::Portrait},
        {"A4 0.9 mm long still A4", 3519, 2480, 300, QPageSize::A4, QPageLayout::Landscape},
        {"A4 1.2 mm long is a page of its own", 3522, 2480, 300, QPageSize::Custom,
         QPageLayout::Landscape},
        {"2L (178 x 127 mm) has no standard size", 2102, 1500, 300, QPageSize::Custom,
         QPageLayout::Landscape},
        {"L (127 x 89 mm)", 1500, 1051, 300, QPageSize::Custom, QPageLayout::Landscape},
        {"a square page", 1000, 1000, 100, QPageSize::Custom, QPageLayout::Portrait},
    };
    for (const auto& c : cases) {
        const QPageLayout layout = PaperFor(c.width, c.height, c.dpi);
        EXPECT_EQ(layout.pageSize().id(), c.paper) << c.what;
        EXPECT_EQ(layout.orientation(), c.orientation) << c.what;
        EXPECT_EQ(layout.margins(), QMarginsF(0, 0, 0, 0)) << c.what;
        // A page of its own is the page's size to a hundredth of a millimetre.
        if (c.paper == QPageSize::Custom) {
            const QSizeF paper = layout.fullRect(QPageLayout::Millimeter).size();
            const QSizeF page = PageMillimetres(c.width, c.height, c.dpi);
            EXPECT_NEAR(paper.width(), page.width(), 0.01) << c.what;
            EXPECT_NEAR(paper.height(), page.height(), 0.01) << c.what;
        }
    }
}

} // namespace
