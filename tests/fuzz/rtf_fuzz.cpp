// The rich-text reader, read and painted: the same text always reads the same, a text without
// control words shows every byte but the braces and line breaks (a tab as a space) in the code
// page, and painting whatever it read into a cell of any size stays inside the image's memory.

#include "ansi_code_page.h"
#include "cell_text_bench.h"
#include "fuzz_check.h"
#include "rtf_renderer.h"

#include <QPainter>

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
        QString shown;
        for (const char c : text)
            if (c != '{' && c != '}' && c != '\r' && c != '\n')
                shown += QChar(static_cast<char16_t>(
                    c == '\t' ? U' ' : ansiToUnicode(static_cast<std::uint8_t>(c))));
        FUZZ_CHECK(read.plainText() == shown);
    }

    QPainter painter(&bench.image);
    renderer.paint(painter, bench.area(data[0]), text, bench.cell);
    return 0;
}
