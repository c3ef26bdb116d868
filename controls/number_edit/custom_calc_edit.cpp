#include "controls/number_edit/custom_calc_edit.h"

#include "controls/calculator/popup_calculator.h"

#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QToolButton>

namespace
{

constexpr int kImageWidth = 14;
constexpr int kImageHeight = 12;

// The calculator's body spans columns 2 to 12 and all rows; the display sits in rows 2 and 3,
// three rows of four keys below it, the rightmost key of each row an operator.
constexpr int kBodyLeft = 2;
constexpr int kBodyRight = 12;

void drawCalculator(QPainter& p, int left, const QColor& outline, const QColor& body,
                    const QColor& display, const QColor& digitKey, const QColor& operatorKey)
{
    auto pixels = [&](int x, int y, int w, int h, const QColor& c) {
        if (c.isValid())
            p.fillRect(left + x, y, w, h, c);
    };
    const int width = kBodyRight - kBodyLeft + 1;
    pixels(kBodyLeft + 1, 1, width - 2, kImageHeight - 2, body);
    pixels(kBodyLeft, 0, width, 1, outline);
    pixels(kBodyLeft, kImageHeight - 1, width, 1, outline);
    pixels(kBodyLeft, 0, 1, kImageHeight, outline);
    pixels(kBodyRight, 0, 1, kImageHeight, outline);
    pixels(kBodyLeft + 2, 2, width - 4, 2, display);
    for (int row = 0; row < 3; ++row)
        for (int key = 0; key < 4; ++key)
            pixels(kBodyLeft + 2 + 2 * key, 5 + 2 * row, 1, 1, key == 3 ? operatorKey : digitKey);
}

} // namespace

TCustomCalcEdit::TCustomCalcEdit(QWidget* parent) : TCustomNumberEdit(parent)
{
    setGlyphSource(&TCustomCalcEdit::calculatorGlyph);
    SetNumGlyphs(2);
    SetButtonWidth(20);
    SetClickKey(QKeyCombination(Qt::AltModifier, Qt::Key_Down));
    SetPopupAlign(epaRight);

    calculator_ = new TPopupCalculator;
    calculator_->setObjectName(QStringLiteral("PopupCalculator"));
    connect(calculator_, &TPopupCalculator::OnDisplayChange, this, [this] { update(); });
    connect(calculator_, &TPopupCalculator::OnErrorBeep, this, &TCustomNumberEdit::errorBeep);
    connect(calculator_, &TPopupCalculator::OnResult, this, [this] { popupCloseUp(true); });
    SetPopup(calculator_);
    Button()->setAccessibleName(QStringLiteral("Kalkulator"));
}

void TCustomCalcEdit::PopupDropDown()
{
    if (popupVisible())
        return;
    // The text as it stands, read as a number; not normalised as the key filter does it.
    long double start = 0;
    if (!textToFloat(Text().toStdString(), localeSeparators().decimal, start))
        start = 0;
    if (const QScreen* s = screen())
        calculator_->SetPixelsPerInch(s->logicalDotsPerInch());
    calculator_->Start(start);
    TCustomNumberEdit::PopupDropDown();
}

void TCustomCalcEdit::acceptValue()
{
    long double value = calculator_->Value();
    if (calculator_->inError()) {
        value = 0;
        errorBeep();
    }
    const QString written = QString::fromStdString(
        formatFloatGeneral(value, 15, QLocale().decimalPoint().toStdString()));
    if (Text() != written) {
        setText(written);
        setModified(true);
    }
    selectAll();
}

void TCustomCalcEdit::popupKeyPress(QChar key)
{
    calculator_->keyPress(QString(key));
}

QString TCustomCalcEdit::popupDisplayText() const
{
    return calculator_->DisplayText();
}

QPixmap TCustomCalcEdit::calculatorGlyph(qreal ratio)
{
    const QColor magenta(255, 0, 255);
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    const QColor teal(0, 128, 128);
    const QColor grey(128, 128, 128);

    // Drawn in squares of the layout's pixels, as sharp at any device pixel ratio.
    const auto canvas = [ratio](int width, QImage::Format format) {
        QImage image((QSizeF(width, kImageHeight) * ratio).toSize(), format);
        image.setDevicePixelRatio(ratio);
        return image;
    };
    QImage image = canvas(2 * kImageWidth, QImage::Format_RGB32);
    image.fill(magenta);
    QPainter p(&image);
    drawCalculator(p, 0, black, teal, white, white, black);

    // The disabled look: the outline, display and keys in grey over a white copy of them one
    // pixel down and right, the body left open.
    QImage shape = canvas(kImageWidth, QImage::Format_ARGB32);
    shape.fill(Qt::transparent);
    {
        QPainter s(&shape);
        drawCalculator(s, 0, black, QColor(), black, black, black);
    }
    auto tinted = [&](const QColor& colour) {
        QImage t = shape;
        QPainter tp(&t);
        tp.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tp.fillRect(t.rect(), colour);
        return t;
    };
    p.setClipRect(kImageWidth, 0, kImageWidth, kImageHeight);
    p.drawImage(kImageWidth + 1, 1, tinted(white));
    p.drawImage(kImageWidth, 0, tinted(grey));
    p.end();
    QPixmap glyph = QPixmap::fromImage(image);
    glyph.setDevicePixelRatio(ratio);
    return glyph;
}
