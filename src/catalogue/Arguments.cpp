#include "catalogue/Arguments.h"

namespace quorvane {

QString PutArguments(const char* pattern, const std::vector<std::string>& args) {
    const QString in = QString::fromUtf8(pattern);
    QString out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        const QChar c = in[i];
        if (c == QLatin1Char('%') && i + 1 < in.size() && in[i + 1] >= QLatin1Char('1') &&
            in[i + 1] <= QLatin1Char('9')) {
            const auto n = static_cast<size_t>(in[i + 1].unicode() - u'1');
            if (n < args.size())
                out += QString::fromStdString(args[n]);
            ++i;
            continue;
        }
        out += c;
    }
    return out;
}

} // namespace quorvane
