#include "controls/calculator/calculator_panel.h"

#include "controls/calculator/calc_button_p.h"

#include <QLocale>

#include <cmath>

namespace
{

const QColor kPurple(128, 0, 128);
const QColor kMaroon(128, 0, 0);

QColor captionColourOf(char key)
{
    switch (key) {
    case '/':
    case '*':
    case '-':
    case '+':
    case '=':
        return kPurple;
    case 'C':
    case '\b':
        return kMaroon;
    default:
        return {}; // the button-text colour
    }
}

} // namespace

// clang-format off
const std::array<TCalculatorPanel::ButtonPlace, 19> TCalculatorPanel::kButtons = {{
    {'7',  "7",      "7",        "",                     {6, 6, 21, 21}},
    {'8',  "8",      "8",        "",                     {29, 6, 21, 21}},
    {'9',  "9",      "9",        "",                     {52, 6, 21, 21}},
    {'/',  "/",      "Divide",   "Dzielenie",            {75, 6, 21, 21}},
    {'4',  "4",      "4",        "",                     {6, 29, 21, 21}},
    {'5',  "5",      "5",        "",                     {29, 29, 21, 21}},
    {'6',  "6",      "6",        "",                     {52, 29, 21, 21}},
    {'*',  "*",      "Multiply", "Mnożenie",             {75, 29, 21, 21}},
    {'1',  "1",      "1",        "",                     {6, 52, 21, 21}},
    {'2',  "2",      "2",        "",                     {29, 52, 21, 21}},
    {'3',  "3",      "3",        "",                     {52, 52, 21, 21}},
    {'-',  "-",      "Subtract", "Odejmowanie",          {75, 52, 21, 21}},
    {'0',  "0",      "0",        "",                     {6, 75, 21, 21}},
    {'.',  "",       "Point",    "Separator dziesiętny", {29, 75, 21, 21}},
    {'_',  "\u00B1", "Sign",     "Zmiana znaku",         {52, 75, 21, 21}},
    {'+',  "+",      "Add",      "Dodawanie",            {75, 75, 21, 21}},
    {'C',  "C",      "Clear",    "Wyczyść",              {6, 98, 21, 21}},
    {'\b', "<-",     "Back",     "Usuń ostatnią cyfrę",  {29, 98, 21, 21}},
    {'=',  "=",      "Equals",   "Równa się",            {52, 98, 44, 21}},
}};
// clang-format on

TCalculatorPanel::TCalculatorPanel(QWidget* parent) : QFrame(parent)
{
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        const ButtonPlace& place = kButtons[i];
        auto* button = new TCalcButton(this);
        button->setObjectName(QStringLiteral("CalcButton") + QString::fromLatin1(place.name));
        button->SetKey(place.key);
        button->setText(QString::fromUtf8(place.caption));
        // A screen reader would spell out "<-" or "/"; the digits speak for themselves.
        if (*place.spoken)
            button->setAccessibleName(QString::fromUtf8(place.spoken));
        button->SetCaptionColor(captionColourOf(place.key));
        connect(button, &QAbstractButton::clicked, this, [this, key = place.key] { act(key); });
        buttons_[i] = button;
    }
    SetPixelsPerInch(96);
    Start(0);
}

int TCalculatorPanel::Scaled(int pixelsAt96, qreal ppi)
{
    return static_cast<int>(std::lround(pixelsAt96 * ppi / 96));
}

void TCalculatorPanel::SetPixelsPerInch(qreal ppi)
{
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        const QRect& r = kButtons[i].at96;
        buttons_[i]->setGeometry(Scaled(r.left(), ppi), Scaled(r.top(), ppi),
                                 Scaled(r.width(), ppi), Scaled(r.height(), ppi));
    }
}

void TCalculatorPanel::Start(long double value)
{
    const QString separator = QLocale().decimalPoint();
    engine_.Start(value, separator.toStdString());
    if (TCalcButton* point = buttonFor('.'))
        point->setText(separator);
    emit OnDisplayChange();
}

bool TCalculatorPanel::keyPress(const QString& typed)
{
    const char key = TCalculatorEngine::mapKey(typed.toStdString(), engine_.DecimalSeparator());
    if (key == 0)
        return false;
    if (TCalcButton* button = buttonFor(key))
        button->pressVisibly();
    act(key);
    return true;
}

QString TCalculatorPanel::DisplayText() const
{
    return QString::fromStdString(engine_.DisplayText());
}

long double TCalculatorPanel::Value() const
{
    return engine_.Value();
}

TCalcButton* TCalculatorPanel::buttonFor(char key) const
{
    for (TCalcButton* button : buttons_)
        if (button->Key() == key)
            return button;
    return nullptr;
}

void TCalculatorPanel::act(char key)
{
    const std::string before = engine_.DisplayText();
    const TCalculatorEngine::KeyOutcome outcome = engine_.Key(key);
    if (engine_.DisplayText() != before)
        emit OnDisplayChange();
    if (outcome.beep)
        emit OnErrorBeep();
    if (outcome.deliver)
        emit OnResult();
}
