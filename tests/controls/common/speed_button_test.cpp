#include "controls/common/glyph.h"
#include "controls/common/radio_group.h"
#include "controls/common/shipped_fonts.h"
#include "controls/common/speed_button.h"
#include "tests/support/qt/window_wait.h"

#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

const QColor kStrip(200, 210, 220);

// A glyph of the exit button's size and kind: a black hole on orange, the transparent colour.
QImage holeOnOrange()
{
    QImage picture(32, 33, QImage::Format_RGB888);
    picture.fill(QColor(255, 128, 0));
    QPainter p(&picture);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(16, 16.5), 10, 10);
    return picture;
}

// The exit button as the window has it, on a strip of a colour of its own.
struct ExitButton {
    QWidget strip;
    TSpeedButton* button = new TSpeedButton(&strip);
    ExitButton()
    {
        // Away from the pointer, which would raise the button.
        strip.setGeometry(400, 400, 200, 60);
        QPalette p = strip.palette();
        p.setColor(QPalette::Window, kStrip);
        strip.setPalette(p);
        strip.setAutoFillBackground(true);
        button->setGeometry(8, 4, 121, 37);
        button->setIconSize(QSize(32, 33));
        button->setIcon(QIcon(transparentGlyph(holeOnOrange())));
        button->setText(QStringLiteral("&Koniec"));
        strip.show();
        settle();
    }
    QImage painted() { return strip.grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

TEST(SpeedButton, GlyphAndCaptionAreCentredTogetherFourPixelsApart)
{
    ExitButton e;
    const QRect glyph = e.button->glyphRect();
    const QRect caption = e.button->captionRect();
    EXPECT_EQ(glyph.size(), QSize(32, 33));
    EXPECT_EQ(caption.left() - (glyph.right() + 1), TSpeedButton::kGlyphSpacing);
    const int leftMargin = glyph.left();
    const int rightMargin = e.button->width() - (caption.right() + 1);
    EXPECT_LE(std::abs(leftMargin - rightMargin), 1);
    EXPECT_EQ(glyph.center().y(), e.button->height() / 2);
}

TEST(SpeedButton, FlatAndSeeThroughWhereTheGlyphIsOrange)
{
    ExitButton e;
    const QImage image = e.painted();

    const QPoint origin = e.button->pos();
    const QRect glyph = e.button->glyphRect().translated(origin);
    // No border while the mouse is elsewhere: the button's edge shows the strip.
    ASSERT_FALSE(e.button->underMouse());
    EXPECT_EQ(image.pixelColor(origin + QPoint(60, 0)), kStrip);
    EXPECT_EQ(image.pixelColor(origin + QPoint(0, 18)), kStrip);
    // The hole is black; the orange corners of the picture show the strip.
    EXPECT_EQ(image.pixelColor(glyph.topLeft() + QPoint(16, 16)), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(glyph.topLeft()), kStrip);
    EXPECT_EQ(image.pixelColor(glyph.bottomLeft()), kStrip);
}

TEST(SpeedButton, BorderAppearsUnderTheMouse)
{
    ExitButton e;
    QTest::mouseMove(e.button, QPoint(60, 18));
    settle();
    ASSERT_TRUE(e.button->underMouse());
    const QImage image = e.painted();
    EXPECT_NE(image.pixelColor(e.button->pos() + QPoint(60, 0)), kStrip);
}

TEST(SpeedButton, DisabledGlyphIsGreyedFromTheSameImage)
{
    ExitButton e;
    e.button->setEnabled(false);
    settle();
    const QImage image = e.painted();
    const QPoint centre =
        e.button->glyphRect().translated(e.button->pos()).topLeft() + QPoint(16, 16);
    EXPECT_NE(image.pixelColor(centre), QColor(Qt::black));
}

TEST(RadioGroup, FrameRunsThroughTheCaptionsMiddleAndStopsAtIt)
{
    QWidget window;
    // The window's own font: the caption's width is the same on every system.
    registerShippedFonts();
    window.setFont(atStoredResolution(QFont(QStringLiteral("MS Sans Serif"), 8)));
    auto* group = new TRadioGroup(&window);
    group->setGeometry(8, 40, 217, 57);
    group->setTitle(QStringLiteral(" Metoda zczytywania "));
    window.resize(240, 110);
    window.show();
    settle();
    const QImage image = group->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect frame = group->frameRect();
    const QRect caption = group->captionRect();
    const QRgb dark = group->palette().color(QPalette::Dark).rgb();

    EXPECT_EQ(frame.top(), group->fontMetrics().height() / 2 - 1);
    EXPECT_EQ(image.pixel(2, frame.top()), dark);
    EXPECT_EQ(image.pixel(0, frame.bottom() - 3), dark);
    EXPECT_EQ(image.pixel(caption.right(), frame.top()),
              group->palette().color(QPalette::Window).rgb())
        << "the caption's trailing space hides the line";
    EXPECT_EQ(image.pixel(caption.right() + 3, frame.top()), dark);
}

} // namespace
