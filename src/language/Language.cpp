#include "language/Language.h"

#include <QLocale>

namespace quorvane {

int SystemLanguage() {
    return QLocale::system().language() == QLocale::Japanese ? kLanguageJapanese
                                                             : kLanguageEnglishUs;
}

int LanguageFromArguments(int systemLanguage, const QStringList& arguments) {
    for (const QString& arg : arguments)
        if (arg.toLower() == QLatin1String("-en"))
            return kLanguageEnglishSwitch;
    return systemLanguage;
}

} // namespace quorvane
