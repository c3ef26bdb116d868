#include "controls/calculator/popup_calculator.h"

#include "controls/calculator/popup_calc_panel_p.h"

#include <QFontDatabase>
#include <QScreen>

namespace
{

constexpr int kWidthAt96 = 104;
constexpr int kHeightAt96 = 127;

std::optional<QFont> messageFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (font.family().isEmpty())
        return std::nullopt;
    return font;
}

} // namespace

TPopupCalculator::TPopupCalculator(QWidget* parent) : QFrame(parent, kWindowFlags)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setFont(calculatorFont(messageFont()));
    setAccessibleName(QStringLiteral("Kalkulator"));

    panel_ = new TPopupCalcPanel(this);
    panel_->setObjectName(QStringLiteral("PopupCalcPanel"));
    connect(panel_, &TCalculatorPanel::OnDisplayChange, this, &TPopupCalculator::OnDisplayChange);
    connect(panel_, &TCalculatorPanel::OnErrorBeep, this, &TPopupCalculator::OnErrorBeep);
    connect(panel_, &TCalculatorPanel::OnResult, this, &TPopupCalculator::OnResult);

    const QScreen* s = screen();
    SetPixelsPerInch(s ? s->logicalDotsPerInch() : 96);
}

QFont TPopupCalculator::calculatorFont(const std::optional<QFont>& messageFont)
{
    QFont font;
    if (messageFont) {
        font = *messageFont;
    } else {
        font = QFont(QStringLiteral("MS Sans Serif"));
        font.setPointSize(8);
    }
    font.setBold(true);
    return font;
}

void TPopupCalculator::Start(long double value)
{
    panel_->Start(value);
}

bool TPopupCalculator::keyPress(const QString& typed)
{
    return panel_->keyPress(typed);
}

QString TPopupCalculator::DisplayText() const
{
    return panel_->DisplayText();
}

long double TPopupCalculator::Value() const
{
    return panel_->Value();
}

bool TPopupCalculator::inError() const
{
    return panel_->inError();
}

void TPopupCalculator::SetPixelsPerInch(qreal ppi)
{
    panel_->SetPixelsPerInch(ppi);
    setFixedSize(TCalculatorPanel::Scaled(kWidthAt96, ppi),
                 TCalculatorPanel::Scaled(kHeightAt96, ppi));
    panel_->setGeometry(contentsRect());
}

void TPopupCalculator::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    panel_->setGeometry(contentsRect());
}
