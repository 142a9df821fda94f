// Side-file decoding (UTF-8, UTF-16 with its mark, CP932) and file names that are not UTF-8: the
// decoded text is always valid UTF-8, a name's bytes survive the round trip, and the side file of
// a photo is read as the photo list and the renderer read it.
#include "FuzzSupport.h"

#include "files/LocalPath.h"
#include "files/PhotoList.h"
#include "render/UnderPhotoText.h"
#include "text/TextDecode.h"

#include <QByteArray>
#include <QString>

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzz::Bytes(data, size);
    const std::string decoded = text::DecodeTextFile(bytes);
    QUORVANE_FUZZ_CHECK(text::IsValidUtf8(decoded));
    QUORVANE_FUZZ_CHECK(text::IsValidUtf8(text::Cp932ToUtf8(bytes)));
    text::Utf8ToCp932(decoded);
    for (const std::string& line : text::SplitLines(decoded)) {
        QUORVANE_FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
        text::TrimSpaceAndControls(line);
    }

    // The bytes as a path: kept exactly, shown as well-formed text.
    const QByteArray name(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const LocalPath path = LocalPath::FromBytes(name);
    QUORVANE_FUZZ_CHECK(path.bytes() == name);
    QUORVANE_FUZZ_CHECK(LocalPath::FromText(path.text()).bytes() == name);
    QUORVANE_FUZZ_CHECK(path.display().isValidUtf16());

    // The bytes as a side file, under a name that is not UTF-8 in other letters' case.
    static const LocalPath photo =
        LocalPath::FromBytes(QByteArray::fromStdString(fuzz::Scratch() + "/\x83\x65\xe9.jpg"));
    fuzz::WriteBytes(fuzz::Scratch() + "/\x83\x65\xe9.EXIF", bytes);
    QUORVANE_FUZZ_CHECK(SideFileDate(photo).isValidUtf16());
    const QStringList lines = SideFileLines(photo);
    QUORVANE_FUZZ_CHECK(bytes.empty() || !lines.isEmpty() || decoded.empty());
    return 0;
}
