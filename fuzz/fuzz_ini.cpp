// INI reading: arbitrary bytes decoded and parsed as an INI file, read, changed and written back,
// and read as Quorvane.ini by the start-up.
#include "FuzzSupport.h"

#include "app/AppConfig.h"
#include "text/IniDocument.h"
#include "text/TextDecode.h"

#include <QString>

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = text::DecodeTextFile(fuzz::Bytes(data, size));
    text::IniDocument doc = text::IniDocument::Parse(text);
    doc.hasSection("PAPER");
    doc.value("PAPER", "name", "");
    doc.intValue("PHOTO", "photo_ct", 4);
    doc.intValue("INPUT", "CHECKBOX7", 0);

    // A value set reads back after the document is written and parsed again, and the other
    // lines keep their values.
    const auto other = doc.value("PAPER", "width");
    doc.setValue("SETTING", "readPath", "/photos/x");
    const text::IniDocument again = text::IniDocument::Parse(doc.text());
    QUORVANE_FUZZ_CHECK(again.value("SETTING", "readPath") ==
                        std::optional<std::string>("/photos/x"));
    QUORVANE_FUZZ_CHECK(again.value("PAPER", "width") == other);

    // The same bytes as Quorvane.ini at start-up (saving is left out: it syncs to disk).
    fuzz::WriteBytes(fuzz::Scratch() + "/Quorvane.ini", fuzz::Bytes(data, size));
    const AppConfig config =
        LoadAppConfig(QString::fromStdString(fuzz::Scratch()), QStringLiteral("/home"));
    QUORVANE_FUZZ_CHECK(config.maxTagLineCol >= 4 && config.maxTagLineCol <= 256);
    QUORVANE_FUZZ_CHECK(config.maxDumpBinCt >= 4 && config.maxDumpBinCt <= 8192);
    return 0;
}
