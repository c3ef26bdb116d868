#include "controls/calculator/popup_calc_panel_p.h"

TPopupCalcPanel::TPopupCalcPanel(QWidget* parent) : TCalculatorPanel(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setFocusPolicy(Qt::NoFocus);
}
