// The mark-up reader, read and painted: the same text always reads the same, a tag is never
// shown (so a text without "&", which could spell "&lt;", shows no "<"), a text without tags
// or references shows all its bytes, and painting whatever it read into a cell of any size
// stays inside the image's memory.

#include "controls/record_grid/cell_text/markup_renderer.h"
#include "tests/fuzz/cell_text_bench.h"
#include "tests/fuzz/fuzz_check.h"

#include <QPainter>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    CellTextBench& bench = CellTextBench::instance();
    const std::string text = fuzzText(data + 1, size - 1);
    const MarkupRenderer renderer;

    const StyledText read = renderer.parse(text, bench.cell);
    FUZZ_CHECK(read == renderer.parse(text, bench.cell));
    if (text.find('&') == std::string::npos)
        FUZZ_CHECK(!read.plainText().contains(u'<'));
    // Without tags or references every byte shows, in the code page, blanks as spaces.
    if (text.find_first_of("<&") == std::string::npos)
        FUZZ_CHECK(read.plainText() == shownInCodePage(text));

    QPainter painter(&bench.image);
    renderer.paint(painter, bench.area(data[0]), text, bench.cell);
    return 0;
}
