// How the windows and the batch command word their own texts (captions, labels, usage, their own
// checks): the Japanese or the English of a pair, and the product title. The core words nothing.
#pragma once

#include <QString>

namespace quorvane {

// Picks the Japanese or the English text of a pair.
inline QString Pick(bool japanese, const char* ja, const char* en) {
    return QString::fromUtf8(japanese ? ja : en);
}

// The product title: the main window's caption, and the start of every other window's caption.
inline QString ApplicationTitle(bool japanese) {
    return Pick(japanese, "Quorvane インデックスシート作成", "Quorvane Index Sheet Maker");
}

} // namespace quorvane
