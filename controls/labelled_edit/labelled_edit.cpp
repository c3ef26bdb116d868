#include "controls/labelled_edit/labelled_edit.h"

#include "controls/common/error_sink.h"

#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

LabelledEdit* LabelledEdit::Of(QObject* control)
{
    return dynamic_cast<LabelledEdit*>(control);
}

LabelledEdit::LabelledEdit(QLineEdit& edit, bool highlights)
    : edit_(edit), highlights_(highlights), labelFont_(edit.font(), clWindowText)
{
    TFont::registerStoredFontConversion();
    ownDisabled_ = edit_.testAttribute(Qt::WA_ForceDisabled);
    SetColor(edit_.isEnabled() ? clWindow : colorDisabled_);
}

LabelledEdit::~LabelledEdit()
{
    // Going with the focus is losing it: a linked label must not keep the highlight.
    runCosmetic([&] {
        if (highlights_ && edit_.hasFocus())
            if (TLabel* target = HighlightTarget())
                target->SetFontColor(savedLabelColor_);
    });
    runCosmetic([&] { delete captionLabel_.data(); });
}

void LabelledEdit::SetColor(TColor color)
{
    color_ = color;
    QPalette p = edit_.palette();
    p.setColor(QPalette::Base, toQColor(color));
    edit_.setPalette(p);
}

bool LabelledEdit::Enabled() const
{
    return edit_.isEnabled();
}

void LabelledEdit::SetEnabled(bool on)
{
    SetColor(on ? colorNormal_ : colorDisabled_);
    writingEnabled_ = true;
    edit_.QWidget::setEnabled(on);
    writingEnabled_ = false;
    ownDisabled_ = edit_.testAttribute(Qt::WA_ForceDisabled);
    edit_.update();
}

void LabelledEdit::enabledChanged()
{
    if (writingEnabled_)
        return;
    // Qt's own setEnabled on the edit marks it disabled by itself; a parent's does not.
    const bool own = edit_.testAttribute(Qt::WA_ForceDisabled);
    if (own == ownDisabled_)
        return;
    ownDisabled_ = own;
    SetColor(own ? colorDisabled_ : colorNormal_);
    edit_.update();
}

void LabelledEdit::SetEditLabel(const QString& text)
{
    editLabel_ = text;
    SyncCaptionLabel();
}

void LabelledEdit::SetEditLabelAlign(TEditLabelAlign align)
{
    align_ = align;
    PlaceCaptionLabel();
}

void LabelledEdit::SetEditLabelWidth(int width)
{
    labelWidth_ = width;
    PlaceCaptionLabel();
}

void LabelledEdit::SetEditLabelLeft(int left)
{
    labelLeft_ = left;
    PlaceCaptionLabel();
}

void LabelledEdit::SetEditLabelTop(int top)
{
    labelTop_ = top;
    PlaceCaptionLabel();
}

void LabelledEdit::SetEditLabelFont(const TFont& font)
{
    labelFont_.Assign(font);
    PlaceCaptionLabel();
}

void LabelledEdit::SetCommented(bool on)
{
    commented_ = on;
    edit_.update();
}

void LabelledEdit::SyncCaptionLabel()
{
    if (!captionLabel_ && !editLabel_.isEmpty()) {
        QWidget* parent = edit_.parentWidget();
        captionLabel_ = new TLabel(parent);
        captionLabel_->setObjectName(QStringLiteral("CaptionLabel"));
        PlaceCaptionLabel();
        if (parent)
            captionLabel_->show();
    }
    if (captionLabel_ && editLabel_.isEmpty()) {
        TLabel* label = captionLabel_;
        captionLabel_ = nullptr;
        runCosmetic([&] { delete label; });
    }
    if (captionLabel_ && !editLabel_.isEmpty())
        PlaceCaptionLabel();
}

void LabelledEdit::PlaceCaptionLabel()
{
    if (!captionLabel_)
        return;
    TLabel& label = *captionLabel_;
    runCosmetic([&] {
        label.setAutoFillBackground(false);
        label.SetAutoSize(true);
        const bool fixedWidth = labelWidth_ > 0;
        if (fixedWidth) {
            label.resize(labelWidth_, label.height());
            label.SetWordWrap(true);
        }
        label.SetCaption(editLabel_);
        label.SetLabelFont(labelFont_);
        // Auto-size goes off only now, so a fixed-width label is as high as its wrapped text.
        if (fixedWidth)
            label.SetAutoSize(false);
        label.setBuddy(&edit_);
        label.move(CaptionPlacement::captionLabelOrigin(align_, edit_.geometry(), label.size(),
                                                        QPoint(labelLeft_, labelTop_)));
    });
}

TLabel* LabelledEdit::HighlightTarget() const
{
    TLabel* target = nullptr;
    runCosmetic([&] {
        if (QWidget* link = link_) {
            if (LabelledEdit* member = Of(link))
                target = member->CaptionLabel();
        } else {
            target = CaptionLabel();
        }
    });
    return target;
}

void LabelledEdit::focusGained(Qt::FocusReason reason)
{
    if (reason == Qt::PopupFocusReason)
        return;
    SetColor(colorOnEnter_);
    if (highlights_)
        runCosmetic([&] {
            if (TLabel* target = HighlightTarget()) {
                savedLabelColor_ = target->FontColor();
                target->SetFontColor(colorActive_);
            }
        });
    edit_.update();
}

void LabelledEdit::focusLost(Qt::FocusReason reason)
{
    if (reason == Qt::PopupFocusReason)
        return;
    SetColor(colorNormal_);
    if (highlights_)
        runCosmetic([&] {
            if (TLabel* target = HighlightTarget())
                target->SetFontColor(savedLabelColor_);
        });
    edit_.update();
}

void LabelledEdit::paintCommentMarker()
{
    if (!commented_)
        return;
    runCosmetic([&] {
        QPainter painter(&edit_);
        const QPoint origin = clientArea().topLeft();
        const QColor red = toQColor(clRed);
        for (int y = 1; y <= 4; ++y)
            for (int x = 1; x <= 5 - y; ++x)
                painter.fillRect(QRect(origin + QPoint(x, y), QSize(1, 1)), red);
    });
}

QRect LabelledEdit::clientArea() const
{
    // What QLineEdit's own style option gives, which it keeps to itself.
    QStyleOptionFrame option;
    option.initFrom(&edit_);
    option.rect = edit_.contentsRect();
    option.lineWidth =
        edit_.hasFrame() ? edit_.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit_)
                         : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    if (edit_.isReadOnly())
        option.state |= QStyle::State_ReadOnly;
    option.features = QStyleOptionFrame::None;
    return edit_.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit_);
}
