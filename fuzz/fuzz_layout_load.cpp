// Layout loading: arbitrary bytes as a layout file of the settings folder, read as the sheet
// window's list and the editor's "編集" read it, then checked for rendering.
#include "FuzzSupport.h"

#include "layout/LayoutFiles.h"
#include "layout/LayoutInput.h"
#include "layout/RenderableLayout.h"
#include "text/IniDocument.h"

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string folder = fuzz::Scratch() + "/layouts";
    fuzz::WriteBytes(folder + "/CustomSize0001.ini", fuzz::Bytes(data, size));
    const bool japanese = size % 2 == 0;
    for (const layout::SheetLayout& l : layout::LoadSheetLayouts(folder, japanese).layouts) {
        QUORVANE_FUZZ_CHECK(l.ini_file_name == "CustomSize0001.ini");
        layout::CheckRenderable(l, int64_t{64} << 20);
    }
    if (auto doc = text::IniDocument::Load(folder + "/CustomSize0001.ini")) {
        const layout::LayoutInput input = layout::ReadLayoutInput(*doc);
        for (int n = 1; n <= layout::LayoutInput::kEditCount; ++n)
            input.value("EDIT" + std::to_string(n));
    }
    QUORVANE_FUZZ_CHECK(layout::FindFreeLayoutNumber(folder) == 2);
    return 0;
}
