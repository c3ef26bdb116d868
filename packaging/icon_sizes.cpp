#include "packaging/icon_sizes.h"

#include "app/pictures.h"

#include <QIcon>
#include <QPixmap>

#include <algorithm>

QImage programIconAt(int size)
{
    const QIcon icon = programIcon();
    const QSize base = icon.availableSizes().value(0, QSize(32, 32));
    const QImage picture = icon.pixmap(base, 1.0).toImage();
    const int factor = std::max(1, (size + base.width() - 1) / base.width());
    QImage blocks = picture.scaled(base * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (blocks.width() != size)
        blocks = blocks.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return blocks.convertToFormat(QImage::Format_ARGB32);
}
