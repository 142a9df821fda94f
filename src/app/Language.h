// The interface language: one locale number fixed at start-up; Japanese exactly when it is 1041.
#pragma once

#include <QString>
#include <QStringList>

namespace quorvane {

constexpr int kLanguageJapanese = 1041;
constexpr int kLanguageEnglishUs = 1033;
constexpr int kLanguageEnglishSwitch = 1042; // chosen by the "-en" switch

// 1041 when the system locale is Japanese, else 1033.
int SystemLanguage();

// The system language, or 1042 when any parameter (the program path included) lower-cased is
// exactly "-en".
int LanguageFromArguments(int systemLanguage, const QStringList& arguments);

inline bool IsJapanese(int language) {
    return language == kLanguageJapanese;
}

// Picks the Japanese or the English text of a pair.
inline QString Pick(bool japanese, const char* ja, const char* en) {
    return QString::fromUtf8(japanese ? ja : en);
}

// The product title: the main window's caption, and the start of every other window's caption.
inline QString ApplicationTitle(bool japanese) {
    return Pick(japanese, "Quorvane インデックスシート作成", "Quorvane Index Sheet Maker");
}

} // namespace quorvane
