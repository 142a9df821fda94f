// English names and Japanese titles of the standard TIFF/EXIF tags, by the kind of IFD they
// appear in; each report line begins with one of them.
#pragma once

#include <string>

namespace quorvane::exif {

// IFD kinds: 0, 1 and 2 share the main table; 3 is the GPS IFD, 4 the Interoperability IFD.
enum IfdKind : int {
    kIfdKindIfd0 = 0,
    kIfdKindIfd1 = 1,
    kIfdKindExif = 2,
    kIfdKindGps = 3,
    kIfdKindInteroperability = 4,
};

// The name of the tag in the table of the kind (Japanese title when `japanese`); empty text when
// the table has no such tag. No fallback to another table or to the English name.
std::string TagName(int ifdKind, int tag, bool japanese);

// TagName, or "TAGID(" + the tag number + ")" when the table has no such tag.
std::string EntryName(int ifdKind, int tag, bool japanese);

} // namespace quorvane::exif
