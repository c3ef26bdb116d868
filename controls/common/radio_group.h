#pragma once

#include <QGroupBox>

class QRadioButton;

// A group of radio buttons drawn as a Windows group frame: an etched line whose top runs
// through the middle of the caption, the caption 8 pixels in from the left on the window's
// colour. The items are the radio buttons placed in it, in the order they were created.
class TRadioGroup : public QGroupBox
{
    Q_OBJECT
    Q_PROPERTY(int ItemIndex READ ItemIndex)
public:
    static constexpr int kCaptionIndent = 8;

    explicit TRadioGroup(QWidget* parent = nullptr);

    QList<QRadioButton*> Items() const;
    // The selected item's index, or -1 when none is selected.
    int ItemIndex() const;

    // Where the frame's outer line runs and where the caption stands.
    QRect frameRect() const;
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
