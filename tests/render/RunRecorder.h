// Records what a sheet run reports, as a window would show it: the worded messages, the pages
// written (file names and full paths), PDFs, the output folder and the finished pages; presses
// the stop button after a number of yields, and answers the adjustment dialog, when asked to.
#pragma once

#include "WordingObserver.h"
#include "render/SheetJob.h"

#include <QFileInfo>
#include <QImage>
#include <QStringList>
#include <QVector>

#include <functional>
#include <optional>

namespace quorvane::test {

struct RunRecorder : WordingObserver {
    explicit RunRecorder(bool inJapanese = false) { japanese = inJapanese; }

    QStringList messages;
    QStringList written;      // the pages' file names
    QStringList writtenPaths; // the pages' full paths
    QStringList pdfs;
    QString folder;
    QVector<QImage> pages;
    std::function<void(const QString& path)> onPage;
    SheetJob* job = nullptr;
    int stopAfterYields = -1;
    // The adjustment dialog's answers, photo by photo (nobody asked when empty).
    std::function<std::optional<PhotoAdjustment>(int asked)> adjust;
    int adjustAsked = 0;

    void message(const QString& t) override { messages << t; }
    void pageWritten(const LocalPath& path) override {
        const QString p = path.text();
        written << QFileInfo(p).fileName();
        writtenPaths << p;
        if (onPage)
            onPage(p);
    }
    void pdfWritten(const LocalPath& path) override { pdfs << path.text(); }
    void pageFinished(const QImage& page) override { pages << page.copy(); }
    void outputFolderChosen(const LocalPath& path) override { folder = path.text(); }
    void yield() override {
        if (stopAfterYields >= 0 && stopAfterYields-- == 0)
            job->stop(*this);
    }
    std::optional<PhotoAdjustment> adjustPhoto(const LocalPath&) override {
        return adjust ? adjust(adjustAsked++) : std::nullopt;
    }
};

} // namespace quorvane::test
