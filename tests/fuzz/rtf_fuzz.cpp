// The rich-text reader, read and painted: the same text always reads the same, a text without
// control words shows every byte but the braces and line breaks (a tab as a space) in the code
// page, and painting whatever it read into a cell of any size stays inside the image's memory.

#include "controls/record_grid/cell_text/rtf_renderer.h"
#include "tests/fuzz/cell_text_bench.h"
#include "tests/fuzz/fuzz_check.h"

#include <QPainter>

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    CellTextBench& bench = CellTextBench::instance();
    const std::string text = fuzzText(data + 1, size - 1);
    const RtfRenderer renderer;

    const StyledText read = renderer.parse(text, bench.cell);
    FUZZ_CHECK(read == renderer.parse(text, bench.cell));
    if (text.find('\\') == std::string::npos) {
        std::string kept = text;
        std::erase_if(kept, [](char c) { return c == '{' || c == '}' || c == '\r' || c == '\n'; });
        FUZZ_CHECK(read.plainText() == shownInCodePage(kept));
    }

    QPainter painter(&bench.image);
    renderer.paint(painter, bench.area(data[0]), text, bench.cell);
    return 0;
}
