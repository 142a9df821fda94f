// The page files of a run: "page0001.jpg", ... in the output folder, reduced to 640 pixels on the
// long side or at the layout's own pixel size, each reported to the observer once written.
#pragma once

#include "render/PageOutput.h"
#include "render/PageSink.h"

namespace quorvane {

class OutputFolder;
class SheetRunObserver;
class WriteGuard;

class PageFileSink : public PageSink {
  public:
    // `options` gives the quality, the resolution stamp, whether a page that exists is kept and
    // whether pages keep their full size.
    PageFileSink(OutputFolder& folder, WriteGuard& guard, SheetRunObserver& observer,
                 const PageWriteOptions& options)
        : folder_(folder), guard_(guard), observer_(observer), options_(options) {}

    std::optional<text::Problem> take(FinishedPage& page) override;

  private:
    OutputFolder& folder_;
    WriteGuard& guard_;
    SheetRunObserver& observer_;
    PageWriteOptions options_;
};

} // namespace quorvane
