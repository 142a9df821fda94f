// The files a run writes beside its pages, each once at the end of every press with all the
// pages of the run so far: the PDF ("index.pdf") and the order sheet ("index.csv").
#pragma once

#include "render/PageSink.h"

#include <QString>
#include <QStringList>

namespace quorvane {

class OrderSheet;
class OutputFolder;
class SheetPdf;
class SheetRunObserver;
class WriteGuard;

inline const QString kPdfFileName = QStringLiteral("index.pdf");
inline const QString kOrderSheetFileName = QStringLiteral("index.csv");

// Each page's full-size JPEG goes into the run's PDF; the press ends by writing it, and the
// observer is told its path.
class PdfSink : public PageSink {
  public:
    PdfSink(SheetPdf& pdf, OutputFolder& folder, WriteGuard& guard, SheetRunObserver& observer)
        : pdf_(pdf), folder_(folder), guard_(guard), observer_(observer) {}
    std::optional<text::Problem> take(FinishedPage& page) override;
    std::optional<text::Problem> finish() override;

  private:
    SheetPdf& pdf_;
    OutputFolder& folder_;
    WriteGuard& guard_;
    SheetRunObserver& observer_;
    int added_ = 0; // pages of this press
};

// Each page's photos become rows of the run's order sheet; the press ends by writing it. A
// folder being listed (the photos' own) gets no order sheet: it holds the customer's files.
class OrderSheetSink : public PageSink {
  public:
    OrderSheetSink(OrderSheet& sheet, const QStringList& columns, OutputFolder& folder,
                   WriteGuard& guard)
        : sheet_(sheet), columns_(columns), folder_(folder), guard_(guard) {}
    std::optional<text::Problem> take(FinishedPage& page) override;
    std::optional<text::Problem> finish() override;

  private:
    OrderSheet& sheet_;
    QStringList columns_;
    OutputFolder& folder_;
    WriteGuard& guard_;
    int added_ = 0; // pages of this press
};

} // namespace quorvane
