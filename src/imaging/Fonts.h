// Font families of the layouts: the Windows family names they were written with draw with the
// installed IPA fonts, and an empty family means the default gothic face.
#pragma once

#include "text/Notice.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace quorvane {

// The family used when a layout names none.
inline const QString kDefaultFontFamily = QStringLiteral("ＭＳ ゴシック");

// Makes "ＭＳ ゴシック", "MS Gothic" draw with IPAGothic, "ＭＳ Ｐゴシック", "MS PGothic" with
// IPAPGothic (each with the other IPA gothic as a second choice), and "ＭＳ 明朝", "MS Mincho" with
// IPAMincho. Program start-up (GUI, command line, tests) calls it once; calling it again does no
// harm, and the canvas calls it before its first font is set.
void RegisterFontSubstitutions();

// The notice for a system without any font that draws Japanese (the sheets would show boxes):
// kNoJapaneseFont, whose text names the Debian packages to install. Nothing when one of
// `japaneseFamilies` exists.
std::optional<text::Notice> MissingJapaneseFontNotice(const QStringList& japaneseFamilies);
// The same for the fonts installed here (needs a GUI application, offscreen will do).
std::optional<text::Notice> MissingJapaneseFontNotice();

// The family to draw with: kDefaultFontFamily for an empty text, else the text as given.
QString EffectiveFontFamily(const QString& family);

// The installed families that can write Japanese, in the font database's order, without the
// vertical-writing variants (names holding "@"): the choices of the font chooser.
QStringList JapaneseFontFamilies();

} // namespace quorvane
