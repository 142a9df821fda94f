// Which camera maker a Make text names, and the built-in maker-note tag names of the Nikon and
// Canon notes.
#pragma once

#include <string>

namespace quorvane::exif {

// Name sets of the maker-note layouts: which built-in table names the entries.
constexpr int kCanonNameSet = 1; // also given to the other built-in makers, without a table
constexpr int kNikonNameSet = 3;

// Make tests, in the order the built-in maker rules are tried.
bool IsNikonMake(const std::string& make);
bool IsCanonMake(const std::string& make);
bool IsFujifilmMake(const std::string& make);
bool IsSanyoMake(const std::string& make);
bool IsOlympusMake(const std::string& make);
bool IsRicohMake(const std::string& make);

// The built-in name of a maker-note tag for this Make and name set (Nikon table for Nikon makes
// with set 3, Canon table for Canon makes with set 1); empty text otherwise.
std::string BuiltInMakerTagName(const std::string& make, int nameSet, int tag, bool japanese);

} // namespace quorvane::exif
