#include "imaging/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>
#include <mutex>

namespace quorvane {

void RegisterFontSubstitutions() {
    static std::once_flag once;
    std::call_once(once, [] {
        const QStringList gothic{QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")};
        const QStringList proportionalGothic{QStringLiteral("IPAPGothic"),
                                             QStringLiteral("IPAGothic")};
        const QStringList mincho{QStringLiteral("IPAMincho")};
        QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), gothic);
        QFont::insertSubstitutions(QStringLiteral("MS Gothic"), gothic);
        QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), proportionalGothic);
        QFont::insertSubstitutions(QStringLiteral("MS PGothic"), proportionalGothic);
        QFont::insertSubstitutions(QStringLiteral("ＭＳ 明朝"), mincho);
        QFont::insertSubstitutions(QStringLiteral("MS Mincho"), mincho);
    });
}

std::optional<text::Notice> MissingJapaneseFontNotice(const QStringList& japaneseFamilies) {
    if (!japaneseFamilies.isEmpty())
        return std::nullopt;
    return text::Notice{text::NoticeCode::kNoJapaneseFont, {}};
}

std::optional<text::Notice> MissingJapaneseFontNotice() {
    return MissingJapaneseFontNotice(JapaneseFontFamilies());
}

QString EffectiveFontFamily(const QString& family) {
    return family.isEmpty() ? kDefaultFontFamily : family;
}

QStringList JapaneseFontFamilies() {
    QStringList families;
    for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese))
        if (!family.contains(QLatin1Char('@')))
            families << family;
    return families;
}

} // namespace quorvane
