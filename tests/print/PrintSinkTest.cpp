// Printing pages through Qt Print Support into a PDF file, as a print queue receives them: one
// printed page per sheet, each on paper of the layout's size, the page at its full resolution.
#include "print/PrintSink.h"

#include "PdfTools.h"
#include "TestSupport.h"

#include <QImage>
#include <QPrinter>
#include <gtest/gtest.h>

using namespace quorvane;

namespace {

TEST(PrintSink, EachSheetIsOnePrintedPageOfTheLayoutsPaperAtFullResolution) {
    test::TempDir dir;
    const struct {
        const char* what;
        QSize pixels;
        int dpi;
        double width, height; // the paper in points
    } cases[] = {
        {"A5 landscape at 100 dpi: a standard size", {827, 583}, 100, 595.3, 419.5},
        {"2L at 72 dpi: a size of its own", {504, 360}, 72, 504, 360},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string file = (dir / (std::string(c.what).substr(0, 2) + ".pdf")).string();
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(file));
        PrintSink sink(printer, PrintJobTitle(LocalPath::FromText("/photos/customer-042/")));
        QImage page(c.pixels, QImage::Format_ARGB32);
        for (const QRgb colour : {0xffff0000, 0xff0000ff}) {
            page.fill(colour);
            FinishedPage finished(page, 1, c.dpi, 90, {});
            EXPECT_FALSE(sink.take(finished));
        }
        EXPECT_FALSE(sink.finish());
        EXPECT_EQ(printer.docName(), "Quorvane customer-042");
        if (const std::string missing = test::PdfToolsMissing(); !missing.empty())
            GTEST_SKIP() << missing;
        const auto report = test::ReadPdf(file);
        ASSERT_TRUE(report);
        EXPECT_EQ(report->pages, 2);
        ASSERT_EQ(report->mediaBoxes.size(), 2u);
        ASSERT_EQ(report->images.size(), 2u);
        for (int i = 0; i < 2; ++i) {
            // Qt writes the paper in whole points.
            EXPECT_NEAR(report->mediaBoxes[i].first, c.width, 1.0) << i;
            EXPECT_NEAR(report->mediaBoxes[i].second, c.height, 1.0) << i;
            EXPECT_EQ(report->images[i].page, i + 1);
            EXPECT_EQ(QSize(report->images[i].width, report->images[i].height), c.pixels) << i;
            EXPECT_NEAR(report->images[i].xPpi, c.dpi, 1) << i;
        }
    }
}

TEST(PrintSink, APrinterThatCannotStartIsNamed) {
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName("/nonexistent-folder/out.pdf");
    PrintSink sink(printer, "Quorvane x");
    QImage page(100, 100, QImage::Format_ARGB32);
    page.fill(Qt::white);
    FinishedPage finished(page, 1, 100, 90, {});
    const auto problem = sink.take(finished);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->code, text::ProblemCode::kPrintFailed);
    EXPECT_EQ(problem->args, std::vector<std::string>{"/nonexistent-folder/out.pdf"});
}

} // namespace
