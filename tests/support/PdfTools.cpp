#include "PdfTools.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace quorvane::test {

namespace {

std::optional<QString> Run(const char* program, const QStringList& args) {
    QProcess process;
    process.start(QString::fromLatin1(program), args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

std::string PdfToolsMissing() {
    for (const char* tool : {"pdfinfo", "pdfimages"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return std::string(tool) + " is not installed (Debian package poppler-utils)";
    return {};
}

std::optional<PdfReport> ReadPdf(const std::filesystem::path& file) {
    const QString path = QString::fromStdString(file.string());
    const auto info = Run("pdfinfo", {path});
    if (!info)
        return std::nullopt;
    PdfReport report;
    const auto pages = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                          QRegularExpression::MultilineOption)
                           .match(*info);
    if (!pages.hasMatch())
        return std::nullopt;
    report.pages = pages.captured(1).toInt();
    report.title =
        QRegularExpression(QStringLiteral("^Title:\\s+(.*)$"), QRegularExpression::MultilineOption)
            .match(*info)
            .captured(1)
            .toStdString();
    const auto boxes =
        Run("pdfinfo", {"-box", "-f", "1", "-l", QString::number(report.pages), path});
    if (!boxes)
        return std::nullopt;
    const QRegularExpression box(
        QStringLiteral("^Page\\s+\\d+\\s+MediaBox:\\s+(\\S+)\\s+(\\S+)\\s+(\\S+)\\s+(\\S+)$"),
        QRegularExpression::MultilineOption);
    for (auto it = box.globalMatch(*boxes); it.hasNext();) {
        const auto m = it.next();
        report.mediaBoxes.emplace_back(m.captured(3).toDouble() - m.captured(1).toDouble(),
                                       m.captured(4).toDouble() - m.captured(2).toDouble());
    }
    const auto images = Run("pdfimages", {"-list", path});
    if (!images)
        return std::nullopt;
    // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
    for (const QString& line : images->split(QLatin1Char('\n')).mid(2)) {
        const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (f.size() < 14)
            continue;
        report.images.push_back({f[0].toInt(), f[3].toInt(), f[4].toInt(), f[5].toStdString(),
                                 f[8].toStdString(), f[12].toInt(), f[13].toInt()});
    }
    return report;
}

} // namespace quorvane::test
