#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>
#include <utility>
#include <vector>

class QFileDialog;
class TFileDialog;
class QLabel;
namespace Ui
{
class TForm1;
}

// The tool's one window, "Naprawianie magazynu". Every control, its place, size, caption,
// initial state, the tab order and what a screen reader calls each control (the two captions
// name their fields as buddies) come from the stored layout (Unit_main.ui); the window only
// draws the exit button's glyph and its own icon, reads as a window to screen readers, and
// wires four handlers:
//
// - "Czytaj" (Button1) previews the records the chosen scan takes from the stock file named in
//   FilenameEdit1 into RecordGrid1;
// - "Zapisz" (Button2) asks for an output name in SaveDialog1 and writes those records to it;
// - a pick of the operator in RadioGroup1 enables ed_ile exactly when the second item
//   ("po podaniu ilości zapisów do oczytu") is then selected;
// - "&Koniec" (btn_koniec, also Alt+K, and K alone while the focus is on a control that takes
//   no typed characters) closes the window, which ends the program.
//
// An error raised by a handler ends it and is shown by the application's error display; the
// window stays usable and the next click starts afresh. While the preview or the copy runs the
// pointer shows the busy cursor.
class TForm1 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The save dialog, once "Zapisz" has first been pressed; nullptr before.
    QFileDialog* SaveDialog1() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void fitCaptions();
    void Button1Click();
    void Button2Click();
    void RadioGroup1Click();
    void btn_koniecClick();

    QFileDialog& saveDialog();

    std::unique_ptr<Ui::TForm1> ui_;
    // The captions that grow to their text, with the width the layout gives them.
    std::vector<std::pair<QLabel*, int>> laidOutCaptions_;
    QPointer<TFileDialog> saveDialog_;
    // The name confirmed last in this run; the next save proposes it.
    QString saveName_;
    bool radioPickPending_ = false;
};
