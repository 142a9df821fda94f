// The sheet window's print options beyond the design's boxes: their texts in both languages, their
// place in the Tab order, Quorvane.ini remembering them, and what they do to a run: full-size page
// files, the PDF, printing after the print dialog (cancelled: nothing runs), and the order sheet.
#include "SheetHarness.h"

#include "language/Language.h"

#include "PdfTools.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QImageReader>
#include <QPrinter>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::test::Q;
using quorvane::test::SheetHarness;

namespace {

struct BoxCase {
    const char* name;
    const char* key; // in [SETTING] of Quorvane.ini
    const char* ja;
    const char* en;
};

constexpr BoxCase kBoxes[] = {
    {"FullResolutionBox", "fullResolution", "印刷用の原寸で出力する",
     "Full resolution for printing"},
    {"PdfBox", "makePdf", "PDFも作成する", "Also make a PDF"},
    {"PrintBox", "printPages", "印刷する", "Print the pages"},
};

// Ten photos, four a page, the window opened with the layout chosen.
void Prepare(SheetHarness& h, int photos = 6) {
    h.writeLayout(1, "four", "");
    h.listPhotos(photos);
    h.click("SpeedButton4");
    h.control<QComboBox>("ComboBox1")->setCurrentIndex(0);
    h.control<QCheckBox>("CheckBox1")->setChecked(true);
}

QString Output(const SheetHarness& h) {
    return h.opened.value(0);
}

TEST(SheetWindowPrintOptions, BoxesFollowCheckBox5WithTheirTextsAsNames) {
    for (const bool ja : {true, false}) {
        SCOPED_TRACE(ja ? "Japanese" : "English");
        SheetHarness h(ja ? kLanguageJapanese : kLanguageEnglishUs);
        h.listPhotos(1);
        h.click("SpeedButton4");
        for (const BoxCase& c : kBoxes) {
            auto* box = h.control<QCheckBox>(c.name);
            const QString text = QString::fromUtf8(ja ? c.ja : c.en);
            EXPECT_EQ(box->text(), text) << c.name;
            // What assistive technology reads is the visible text.
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
            ASSERT_TRUE(accessible) << c.name;
            EXPECT_EQ(accessible->text(QAccessible::Name), text) << c.name;
            EXPECT_TRUE(box->isVisible() && box->isEnabled()) << c.name;
            EXPECT_FALSE(box->isChecked()) << c.name;
            EXPECT_TRUE(box->focusPolicy() & Qt::TabFocus) << c.name;
        }
        // Tab goes from CheckBox5 through the three boxes to "シート作成".
        QStringList chain;
        QWidget* w = h.control("CheckBox5");
        for (int i = 0; i < 4; ++i) {
            w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus))
                w = w->nextInFocusChain();
            chain << w->objectName();
        }
        EXPECT_EQ(chain, (QStringList{"FullResolutionBox", "PdfBox", "PrintBox", "Button1"}));
        // The boxes lie below the design's, above the page viewer.
        EXPECT_GT(h.control("PdfBox")->mapTo(h.sheet, QPoint()).y(),
                  h.control("CheckBox5")->mapTo(h.sheet, QPoint()).y());
        EXPECT_LT(h.control("PdfBox")->mapTo(h.sheet, QPoint()).y(),
                  h.control("ImageViewer1")->mapTo(h.sheet, QPoint()).y());
    }
}

TEST(SheetWindowPrintOptions, QuorvaneIniRemembersTheBoxes) {
    const struct {
        const char* what;
        const char* ini;
        bool ticked[3];
    } starts[] = {
        {"no file", nullptr, {false, false, false}},
        {"all ticked",
         "[SETTING]\nfullResolution=1\nmakePdf=1\nprintPages=1\n",
         {true, true, true}},
        {"only 1 ticks",
         "[SETTING]\nfullResolution=yes\nmakePdf=2\nprintPages=1\n",
         {false, false, true}},
    };
    for (const auto& c : starts) {
        SCOPED_TRACE(c.what);
        SheetHarness h(kLanguageJapanese, c.ini);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(h.control<QCheckBox>(kBoxes[i].name)->isChecked(), c.ticked[i])
                << kBoxes[i].name;
        // A click is written at once, the other keys of the file kept.
        h.control<QCheckBox>("PdfBox")->click();
        EXPECT_EQ(h.iniValue("makePdf"), c.ticked[1] ? "0" : "1");
        EXPECT_EQ(h.iniValue("fullResolution"), c.ticked[0] ? "1" : "0");
        EXPECT_EQ(h.iniValue("printPages"), c.ticked[2] ? "1" : "0");
    }
    SheetHarness h(kLanguageJapanese, "[SETTING]\nmaxTagLineCol=20\nreadPath=/photos\n");
    h.control<QCheckBox>("FullResolutionBox")->click();
    EXPECT_EQ(h.iniValue("fullResolution"), "1");
    EXPECT_EQ(h.iniValue("maxTagLineCol"), "20");
    EXPECT_EQ(h.iniValue("readPath"), "/photos");
}

// The page files are the layout's own 300 x 220 pixels or 640 on the long side; the PDF and the
// order sheet come beside them.
TEST(SheetWindowPrintOptions, FullResolutionAndThePdfGoIntoTheRun) {
    for (const bool full : {true, false}) {
        SCOPED_TRACE(full ? "full resolution" : "640 pixels");
        SheetHarness h(kLanguageJapanese);
        Prepare(h);
        h.control<QCheckBox>("FullResolutionBox")->setChecked(full);
        h.control<QCheckBox>("PdfBox")->setChecked(true);
        h.press("Button1");
        ASSERT_EQ(h.opened.size(), 1);
        EXPECT_EQ(h.sheetMessages, QStringList{"シートを作成しました。"});
        EXPECT_EQ(QImageReader(Output(h) + "/page0001.jpg").size(),
                  full ? QSize(300, 220) : QSize(640, 469));
        ASSERT_TRUE(QFile::exists(Output(h) + "/index.pdf"));
        QFile csv(Output(h) + "/index.csv");
        ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
        const QByteArray bytes = csv.readAll();
        EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList rows = QString::fromUtf8(bytes.mid(3)).split("\r\n");
        EXPECT_EQ(rows.value(0), "番号,ページ,ファイル名,撮影日,フォルダ");
        EXPECT_EQ(rows.size(), 1 + 6 + 1);
        EXPECT_TRUE(rows.value(6).startsWith("6,page0002.jpg,p06.png,"))
            << rows.value(6).toStdString();
        if (const std::string missing = test::PdfToolsMissing(); !missing.empty())
            GTEST_SKIP() << missing;
        const auto report = test::ReadPdf((Output(h) + "/index.pdf").toStdString());
        ASSERT_TRUE(report);
        EXPECT_EQ(report->pages, 2);
        EXPECT_EQ(report->images.at(0).width, 300); // the PDF is full size either way
    }
}

// "印刷する": the print dialog comes first with the layout's paper set; a cancel runs nothing;
// an accepted dialog prints every sheet of the press.
TEST(SheetWindowPrintOptions, PrintingAsksForThePrinterFirst) {
    SheetHarness h(kLanguageEnglishUs);
    Prepare(h);
    h.control<QCheckBox>("PrintBox")->setChecked(true);
    int asked = 0;
    h.sheet->askPrinter = [&](QPrinter&) {
        ++asked;
        return false;
    };
    h.press("Button1");
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(h.opened.isEmpty());
    EXPECT_TRUE(h.sheetMessages.isEmpty());
    EXPECT_FALSE(QDir(Q(h.dir / "save/IndexSheetFolder")).exists());
    EXPECT_FALSE(h.sheet->busy());

    const QString printed = Q(h.dir / "printed.pdf");
    QString docName;
    QPageLayout paper;
    h.sheet->askPrinter = [&](QPrinter& printer) {
        docName = printer.docName();
        paper = printer.pageLayout();
        // The operator picks printing into a file.
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        return true;
    };
    h.press("Button1");
    EXPECT_EQ(h.sheetMessages, QStringList{"Created the sheet."});
    EXPECT_EQ(docName, "Quorvane photos");
    // 300 x 220 pixels at the layout's 300 dpi: 25.4 x 18.63 mm, a size of its own.
    EXPECT_EQ(paper.pageSize().id(), QPageSize::Custom);
    EXPECT_EQ(paper.orientation(), QPageLayout::Landscape);
    EXPECT_NEAR(paper.fullRect(QPageLayout::Millimeter).width(), 25.4, 0.01);
    ASSERT_TRUE(QFile::exists(printed));
    if (const std::string missing = test::PdfToolsMissing(); !missing.empty())
        GTEST_SKIP() << missing;
    const auto report = test::ReadPdf(printed.toStdString());
    ASSERT_TRUE(report);
    EXPECT_EQ(report->pages, 2);
    ASSERT_EQ(report->images.size(), 2u);
    EXPECT_EQ(report->images[1].width, 300);
    EXPECT_NEAR(report->images[1].xPpi, 300, 2);
}

} // namespace
