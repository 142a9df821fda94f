// Printing a run's sheets: each finished page at 100 % on paper of the layout's size (PaperFor),
// the whole page with no margins added and no fitting, at the page's full resolution. One print
// job per press: it begins with the press's first page and is sent when the press ends.
#pragma once

#include "files/LocalPath.h"

#include "render/PageSink.h"

#include <QPainter>
#include <QString>

class QPrinter;

namespace quorvane {

// The print job's title: "Quorvane" and the name of the photo folder, so the operator finds the
// customer's job in the printer's queue.
QString PrintJobTitle(const LocalPath& photoFolder);

// Sets the printer up for pages of these pixels at dpi: their paper, full-page mode, no margins,
// the job title. Done before the print dialog shows it, and again at a job's first page.
void PreparePrinter(QPrinter& printer, int widthPixels, int heightPixels, int dpi,
                    const QString& jobTitle);

class PrintSink : public PageSink {
  public:
    // The printer chosen by the operator (printer, copies) or by the batch command; it must
    // outlive the sink and is used from the run's thread.
    PrintSink(QPrinter& printer, QString jobTitle);
    ~PrintSink() override;

    std::optional<text::Problem> take(FinishedPage& page) override;
    std::optional<text::Problem> finish() override;

  private:
    text::Problem failure() const;

    QPrinter& printer_;
    QString jobTitle_;
    QPainter painter_;
    bool printing_ = false;
};

} // namespace quorvane
