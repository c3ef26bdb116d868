// Wide text, decoded and painted: every pair of bytes is one 16-bit character, high byte first,
// an odd last byte ignored, lone surrogates and all; painting it into a cell of any size stays
// inside the image's memory.

#include "controls/record_grid/cell_text/wide_text_renderer.h"
#include "tests/fuzz/cell_text_bench.h"
#include "tests/fuzz/fuzz_check.h"

#include <QPainter>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    CellTextBench& bench = CellTextBench::instance();
    const std::string bytes = fuzzText(data + 1, size - 1);

    const QString text = WideTextRenderer::decode(bytes);
    FUZZ_CHECK(static_cast<std::size_t>(text.size()) == bytes.size() / 2);
    for (qsizetype i = 0; i < text.size(); ++i)
        FUZZ_CHECK(text[i].unicode() == (static_cast<std::uint8_t>(bytes[2 * i]) << 8 |
                                         static_cast<std::uint8_t>(bytes[2 * i + 1])));

    QPainter painter(&bench.image);
    WideTextRenderer().paint(painter, bench.area(data[0]), bytes, bench.font, Qt::black);
    return 0;
}
