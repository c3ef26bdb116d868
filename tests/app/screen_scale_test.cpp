// The window rendered by this same program in a child process per scale factor (Qt takes it
// only at start-up); each text and glyph measured there, compared here with its 100 % size.
#include "app/Unit_main.h"
#include "controls/common/speed_button.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QSet>
#include <QTextStream>
#include <QToolButton>
#include <gtest/gtest.h>

#include <map>

namespace
{

constexpr char kRenderFlag[] = "--render-window";

// "width height colours" of what differs from the part's top-left pixel, in screen pixels: a
// glyph blown up from a smaller picture gains blended colours.
QString inkOf(QWidget* widget, const QRect& part)
{
    const QImage picture = widget->grab(part).toImage();
    QSet<QRgb> colours;
    QRect ink;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (colours << picture.pixel(x, y); picture.pixel(x, y) != picture.pixel(0, 0))
                ink |= QRect(x, y, 1, 1);
    return QStringLiteral("%1 %2 %3").arg(ink.width()).arg(ink.height()).arg(colours.size());
}

// The child: shows the window and prints "name width height colours" for each text and glyph.
int renderWindow()
{
    int argc = 1;
    char name[] = "screen_scale_tests";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    TForm1 window;
    window.show();
    QTextStream out(stdout);
    for (const char* label : {"Label1", "Label2"}) {
        auto* caption = window.findChild<QLabel*>(QLatin1String(label));
        out << label << ' ' << inkOf(caption, caption->rect()) << '\n';
    }
    auto* exit = window.findChild<TSpeedButton*>(QStringLiteral("btn_koniec"));
    out << "exitGlyph " << inkOf(exit, exit->glyphRect()) << '\n';
    for (const char* edit : {"FilenameEdit1", "ed_ile"}) {
        auto* button = window.findChild<QWidget*>(QLatin1String(edit))
                           ->findChild<QToolButton*>(QStringLiteral("EditButton"));
        // Inside the button's raised edges.
        out << edit << ' ' << inkOf(button, button->rect().adjusted(3, 3, -3, -3)) << '\n';
    }
    return 0;
}

struct Ink {
    QSize extent;
    qsizetype colours = 0;
};
using Extents = std::map<QString, Ink>;

Extents renderedAt(const char* variable, const char* factor)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QLatin1String(variable), QLatin1String(factor));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {QLatin1String(kRenderFlag)});
    EXPECT_TRUE(child.waitForFinished(60000)) << child.errorString().toStdString();
    Extents extents;
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 4)
            extents[QString::fromLatin1(fields[0])] = {QSize(fields[1].toInt(), fields[2].toInt()),
                                                       fields[3].toLongLong()};
    }
    return extents;
}

struct Scale {
    const char* variable;
    const char* factor;
    double ratio;
};

class ScreenScale : public ::testing::TestWithParam<Scale>
{
};

TEST_P(ScreenScale, EveryTextAndGlyphGrowsByTheFactor)
{
    static const Extents atOne = renderedAt("QT_SCALE_FACTOR", "1");
    const Extents scaled = renderedAt(GetParam().variable, GetParam().factor);
    ASSERT_EQ(atOne.size(), 5u);
    for (const auto& [what, ink] : atOne) {
        SCOPED_TRACE(what.toStdString());
        const bool text = what.startsWith(QLatin1String("Label"));
        const QSize extent = ink.extent;
        const QSize grown = scaled.at(what).extent;
        ASSERT_GT(extent.height(), 0);
        // Within two screen pixels: a text's face, hinted at each size, is not a photograph;
        // and the scalable twin that stands in for a bitmap face is up to a tenth wider.
        EXPECT_NEAR(grown.height(), extent.height() * GetParam().ratio, 2.0);
        EXPECT_NEAR(grown.width(), extent.width() * GetParam().ratio,
                    text ? extent.width() * GetParam().ratio * 0.15 : 2.0);
        // A glyph drawn at the ratio has no colour that it lacks at 100 %.
        if (!text) {
            EXPECT_LE(scaled.at(what).colours, ink.colours);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Factors, ScreenScale,
                         ::testing::Values(Scale{"QT_SCALE_FACTOR", "1.25", 1.25},
                                           Scale{"QT_SCALE_FACTOR", "1.5", 1.5},
                                           Scale{"QT_SCALE_FACTOR", "2", 2.0},
                                           Scale{"QT_SCREEN_SCALE_FACTORS", "2", 2.0}));

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && qstrcmp(argv[1], kRenderFlag) == 0)
        return renderWindow();
    ::testing::InitGoogleTest(&argc, argv);
    int qtArgc = 1;
    QCoreApplication app(qtArgc, argv);
    return RUN_ALL_TESTS();
}
