#include "cli/SheetProgress.h"

#include "catalogue/Wording.h"

#include <algorithm>

namespace quorvane::cli {

namespace {

// Whole seconds, rounded up, as "25 s" or "2 min 05 s".
QString Duration(int64_t ms, bool ja) {
    const int64_t seconds = (std::max<int64_t>(ms, 0) + 999) / 1000;
    if (seconds < 60)
        return QString::number(seconds) + Pick(ja, " 秒", " s");
    return QString::number(seconds / 60) + Pick(ja, " 分 ", " min ") +
           QStringLiteral("%1").arg(seconds % 60, 2, 10, QLatin1Char('0')) + Pick(ja, " 秒", " s");
}

QString Plural(int n, const char* word) {
    return QString::fromLatin1(word) + (n == 1 ? QString() : QStringLiteral("s"));
}

} // namespace

QString SheetProgress::line(int64_t elapsedMs) const {
    const bool ja = japanese_;
    const QString placed = QString::number(placed_), total = QString::number(total_),
                  pages = QString::number(pages_);
    QString text = ja ? QStringLiteral("写真 %1 / %2 枚、ページ %3 枚").arg(placed, total, pages)
                      : QStringLiteral("%1 / %2 photos placed, %3 %4 written")
                            .arg(placed, total, pages, Plural(pages_, "page"));
    if (placed_ > 0 && total_ > placed_) {
        const int64_t left = elapsedMs * (total_ - placed_) / placed_;
        text += ja ? QStringLiteral("、残り約 ") + Duration(left, true)
                   : QStringLiteral(", about ") + Duration(left, false) + QStringLiteral(" left");
    }
    return text;
}

QString SheetProgress::summary(int64_t elapsedMs) const {
    const QString seconds =
        QString::number(static_cast<double>(std::max<int64_t>(elapsedMs, 0)) / 1000.0, 'f', 1);
    if (japanese_)
        return QStringLiteral("写真 %1 枚をページ %2 枚に配置しました（%3 秒）")
            .arg(placed_)
            .arg(pages_)
            .arg(seconds);
    return QStringLiteral("Placed %1 %2 on %3 %4 in %5 s.")
        .arg(QString::number(placed_), Plural(placed_, "photo"), QString::number(pages_),
             Plural(pages_, "page"), seconds);
}

QString SheetProgress::interrupted(const QString& folder) const {
    QString text = japanese_ ? QStringLiteral("中断しました（%1 ページ作成）").arg(pages_)
                             : QStringLiteral("Interrupted (%1 %2 written)")
                                   .arg(QString::number(pages_), Plural(pages_, "page"));
    if (!folder.isEmpty())
        text += QStringLiteral(": ") + folder;
    return text;
}

} // namespace quorvane::cli
