#include "controls/button_edit/path_edit.h"

#include "controls/common/error_sink.h"
#include "runtime/oem_code_page.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

namespace
{

// An open folder with a bent arrow above its right side. M magenta (the transparent
// background), K black, W white, G grey.
constexpr const char* kBrowsePicture[12] = {
    "MMMMMMMMKKKMMM", //
    "MMMMMMMKMMMKMM", //
    "MKKKMMMKMKKKKK", //
    "KWWWKMMMMMKKKM", //
    "KWWWWKKKKKMKMM", //
    "KWWWWWWWWKMMMM", //
    "KWWWKKKKKKKKKK", //
    "KWWKGGGGGGGGGK", //
    "KWKGGGGGGGGGKM", //
    "KKGGGGGGGGGKMM", //
    "KKKKKKKKKKKMMM", //
    "MMMMMMMMMMMMMM", //
};

QColor pictureColour(char c)
{
    switch (c) {
    case 'K':
        return QColor(0, 0, 0);
    case 'W':
        return QColor(255, 255, 255);
    case 'G':
        return QColor(128, 128, 128);
    default:
        return QColor(255, 0, 255);
    }
}

QString firstLocalFile(const QMimeData* data)
{
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return {};
}

} // namespace

TPathEdit::TPathEdit(QWidget* parent) : TCustomButtonEdit(parent)
{
    SetGlyphKind(gkDefault);
}

void TPathEdit::SetGlyphKind(TGlyphKind kind)
{
    glyphKind_ = kind;
    if (kind != gkDefault)
        return;
    setGlyphSource(&TPathEdit::browseGlyph);
    SetButtonWidth(glyphButtonWidth(Glyph(), NumGlyphs()));
}

QPixmap TPathEdit::browseGlyph(qreal ratio)
{
    QImage image((QSizeF(14, 12) * ratio).toSize(), QImage::Format_RGB32);
    // Each cell of the picture is a square of the layout, as many screen pixels wide as the
    // ratio gives, edge to edge.
    QPainter p(&image);
    p.scale(ratio, ratio);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 14; ++x)
            p.fillRect(QRectF(x, y, 1, 1), pictureColour(kBrowsePicture[y][x]));
    p.end();
    QPixmap glyph = QPixmap::fromImage(image);
    glyph.setDevicePixelRatio(ratio);
    return glyph;
}

void TPathEdit::acceptDroppedFile(const QString&) {}

QString TPathEdit::oemConverted(const QString& typed) const
{
    QString out;
    for (const char32_t c : typed.toUcs4()) {
        // Control characters are keys, not text.
        const char32_t kept = c < 0x20 ? c : oemRoundTrip(c);
        out += QString::fromUcs4(&kept, 1);
    }
    return out;
}

void TPathEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (!oemConvert_ || typed.isEmpty() || isClickKey(event)) {
        TCustomButtonEdit::keyPressEvent(event);
        return;
    }
    const QString kept = oemConverted(typed);
    if (kept == typed) {
        TCustomButtonEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent converted(event->type(), event->key(), event->modifiers(), kept,
                        event->isAutoRepeat(), event->count());
    TCustomButtonEdit::keyPressEvent(&converted);
    event->setAccepted(converted.isAccepted());
}

void TPathEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (!oemConvert_ || event->commitString().isEmpty()) {
        TCustomButtonEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent converted(event->preeditString(), event->attributes());
    converted.setCommitString(oemConverted(event->commitString()), event->replacementStart(),
                              event->replacementLength());
    TCustomButtonEdit::inputMethodEvent(&converted);
    event->setAccepted(converted.isAccepted());
}

bool TPathEdit::takesDrop(const QMimeData* data) const
{
    return acceptFiles_ && !firstLocalFile(data).isEmpty();
}

// The field is no drop target for text: only files, and only with AcceptFiles.
void TPathEdit::dragEnterEvent(QDragEnterEvent* event)
{
    if (takesDrop(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TPathEdit::dragMoveEvent(QDragMoveEvent* event)
{
    if (takesDrop(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TPathEdit::dropEvent(QDropEvent* event)
{
    if (!takesDrop(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    const QString name = firstLocalFile(event->mimeData());
    runGuarded([&] { acceptDroppedFile(name); });
}
