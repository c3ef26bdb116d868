#include "tests/fuzz/cell_text_bench.h"

#include "controls/record_grid/grid_fonts_p.h"
#include "runtime/ansi_code_page.h"

#include <QGuiApplication>

#include <array>
#include <cstdlib>

namespace
{

QGuiApplication* app = nullptr;
CellTextBench* bench = nullptr;

// The fuzzer ends the process with exit(): the bench and the application go first, as they
// would at the end of a main, so that the leak check sees what they hold given back.
void tearDown()
{
    delete bench;
    delete app;
}

} // namespace

CellTextBench& CellTextBench::instance()
{
    if (bench == nullptr) {
        static int argc = 1;
        static char name[] = "cell_text_fuzz";
        static char* argv[] = {name, nullptr};
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        app = new QGuiApplication(argc, argv);
        bench = new CellTextBench;
        std::atexit(tearDown);
    }
    // Between two paints the grid's event loop runs Qt's timers, which keep its font caches
    // in bounds; so here too.
    QCoreApplication::processEvents();
    return *bench;
}

CellTextBench::CellTextBench()
    : font(storedGridFont(false)),
      palette(QGuiApplication::palette()), cell{font, Qt::black, QColor(Qt::blue), palette, fonts},
      image(200, 64, QImage::Format_ARGB32_Premultiplied)
{
}

QRect CellTextBench::area(std::uint8_t choice) const
{
    static const std::array<QRect, 6> areas = {
        QRect(0, 0, 0, 0),    QRect(3, 3, 1, 1),    QRect(10, 0, 9, 21),
        QRect(1, 22, 64, 21), QRect(0, 0, 200, 64), QRect(150, 40, 120, 60),
    };
    return areas[choice % areas.size()];
}

QString shownInCodePage(std::string_view bytes)
{
    QString shown;
    for (const char c : bytes)
        shown += QChar(static_cast<char16_t>(c == '\t' || c == '\r' || c == '\n'
                                                 ? U' '
                                                 : ansiToUnicode(static_cast<std::uint8_t>(c))));
    return shown;
}
