#pragma once

#include "controls/button_edit/custom_button_edit.h"

class QMimeData;

// Which picture the button shows.
enum TGlyphKind {
    gkCustom,  // the Glyph property as set
    gkDefault, // the standard browse picture: an open folder with a bent arrow
};

// A button edit that names a file or folder through a dialog of its subclass.
//
// Typed characters pass through the OEM code page and back (OEMConvert, default on): a
// character that code page 852 or the ANSI code page cannot hold becomes '?'. Pasted text is
// taken as it is, up to its first line break. The field takes no dropped text; files dragged onto
// it are refused unless AcceptFiles is on, and then the first local file dropped goes to
// acceptDroppedFile().
class TPathEdit : public TCustomButtonEdit
{
    Q_OBJECT
    Q_PROPERTY(bool OEMConvert READ OEMConvert WRITE SetOEMConvert)
    Q_PROPERTY(bool AcceptFiles READ AcceptFiles WRITE SetAcceptFiles)

public:
    explicit TPathEdit(QWidget* parent = nullptr);

    bool OEMConvert() const { return oemConvert_; }
    void SetOEMConvert(bool on) { oemConvert_ = on; }

    // Off by default.
    bool AcceptFiles() const { return acceptFiles_; }
    void SetAcceptFiles(bool on) { acceptFiles_ = on; }

    // gkDefault puts the browse picture on the button and gives the button the width it asks
    // for (glyphButtonWidth); gkCustom leaves Glyph and ButtonWidth as they are.
    TGlyphKind GlyphKind() const { return glyphKind_; }
    void SetGlyphKind(TGlyphKind kind);

    // The standard browse picture: 14 x 12 pixels on a magenta background, which the button
    // shows transparent; at a device pixel ratio above 1 each of them is a square of that side.
    static QPixmap browseGlyph(qreal ratio = 1.0);

signals:
    // Just before the dialog runs, with the name it will be preset from and the outcome flag
    // (true); a slot (directly connected) may change both. A false flag cancels the browse:
    // no dialog, and the text stays.
    void OnBeforeDialog(QString& name, bool& action);
    // Just after the dialog ran: the chosen name and whether the operator confirmed; a slot may
    // change both before the field takes the name.
    void OnAfterDialog(QString& name, bool& action);

protected:
    // A file dropped while AcceptFiles is on. The default does nothing.
    virtual void acceptDroppedFile(const QString& name);

    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QString oemConverted(const QString& typed) const;
    bool takesDrop(const QMimeData* data) const;

    bool oemConvert_ = true;
    bool acceptFiles_ = false;
    TGlyphKind glyphKind_ = gkDefault;
};
