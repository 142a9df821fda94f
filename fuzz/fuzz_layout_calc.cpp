// The layout calculation's inputs: arbitrary bytes as the [INPUT] section the editor and
// `quorvane-cli calc` read, calculated at the full canvas and at a small one. A calculation that
// succeeds writes a layout text whose pixel values read back as calculated.
#include "FuzzSupport.h"

#include "layout/LayoutCalc.h"
#include "layout/LayoutInput.h"
#include "layout/SheetLayout.h"
#include "text/IniDocument.h"
#include "text/TextDecode.h"

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const text::IniDocument doc =
        text::IniDocument::Parse(text::DecodeTextFile(fuzz::Bytes(data, size)));
    const layout::LayoutInput input = layout::ReadLayoutInput(doc);
    layout::CalculateTrimRatio(input);
    for (int canvasMax : {layout::kDefaultCanvasMax, 1000}) {
        const layout::LayoutCalcResult result = layout::CalculateLayout(input, canvasMax);
        QUORVANE_FUZZ_CHECK(result.ok != result.layoutText.empty());
        if (!result.ok)
            continue;
        const layout::SheetLayout& l = result.layout;
        const layout::SheetLayout read =
            layout::ReadSheetLayout(text::IniDocument::Parse(result.layoutText), true);
        QUORVANE_FUZZ_CHECK(read.width == l.width && read.height == l.height);
        QUORVANE_FUZZ_CHECK(read.photo_width == l.photo_width &&
                            read.photo_height == l.photo_height);
        QUORVANE_FUZZ_CHECK(read.left_margin == l.left_margin && read.top_margin == l.top_margin);
        QUORVANE_FUZZ_CHECK(read.photo_ct == l.photo_ct && read.photo_col == l.photo_col &&
                            read.photo_row == l.photo_row);
        QUORVANE_FUZZ_CHECK(l.width < canvasMax && l.height < canvasMax);
    }
    return 0;
}
