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

QString MissingJapaneseFontNotice(const QStringList& japaneseFamilies, bool japanese) {
    if (!japaneseFamilies.isEmpty())
        return {};
    return japanese
               ? QStringLiteral("日本語を表示できるフォントがありません。シートの日本語の文字は四角"
                                "で表示されます。Debian のパッケージ fonts-ipafont-gothic と "
                                "fonts-ipafont-mincho をインストールしてください。")
               : QStringLiteral("No font that draws Japanese is installed, so Japanese text on "
                                "the sheets would show as boxes. Install the Debian packages "
                                "fonts-ipafont-gothic and fonts-ipafont-mincho.");
}

QString MissingJapaneseFontNotice(bool japanese) {
    return MissingJapaneseFontNotice(JapaneseFontFamilies(), japanese);
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
