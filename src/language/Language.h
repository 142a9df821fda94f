// The interface language: one locale number fixed at start-up; Japanese exactly when it is 1041.
// The windows and the batch command word their texts in it (catalogue/).
#pragma once

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

} // namespace quorvane
