#include "popup_calc_panel.h"

TPopupCalcPanel::TPopupCalcPanel(QWidget* parent) : TCalculatorPanel(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setFocusPolicy(Qt::NoFocus);
}
