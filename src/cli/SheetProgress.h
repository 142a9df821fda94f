// The progress line and the closing summary that quorvane-cli sheets shows on a terminal:
// photos placed of those in the run, pages written and an estimate of the time left; and the
// line it says when it is interrupted.
#pragma once

#include <QString>
#include <cstdint>

namespace quorvane::cli {

class SheetProgress {
  public:
    // `photosInRun`: the listed photos between the start and end rows.
    SheetProgress(int photosInRun, bool japanese) : total_(photosInRun), japanese_(japanese) {}

    void photoPlaced() { ++placed_; }
    void pageWritten() { ++pages_; }

    // "12 / 40 photos placed, 3 pages written, about 25 s left" (no estimate before the first
    // photo is placed).
    QString line(int64_t elapsedMs) const;
    // "Placed 40 photos on 10 pages in 9.7 s."
    QString summary(int64_t elapsedMs) const;
    // Said when the run is interrupted: "Interrupted (3 pages written): FOLDER", the folder the
    // pages are in; without a folder (none was reached) "Interrupted (0 pages written)".
    QString interrupted(const QString& folder) const;

  private:
    int total_;
    bool japanese_;
    int placed_ = 0;
    int pages_ = 0;
};

} // namespace quorvane::cli
