#include "tests/controls/labelled_edit/family_support.h"

#include <QFile>
#include <QFontDatabase>
#include <gtest/gtest.h>

QFont windowFont()
{
    static const QString family = [] {
        const QString tahoma = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
        if (QFile::exists(tahoma)) {
            const int id = QFontDatabase::addApplicationFont(tahoma);
            const QStringList families = QFontDatabase::applicationFontFamilies(id);
            if (!families.isEmpty())
                return families.first();
        }
        return QStringLiteral("DejaVu Sans");
    }();
    QFont font(family);
    font.setPixelSize(11);
    return font;
}

QColor backgroundSeen(LabelledEdit& member)
{
    auto* edit = dynamic_cast<QWidget*>(&member);
    const QRect client = member.clientArea();
    const QPoint probe(client.left() + client.width() / 3, client.center().y());
    return grabbed(*edit).pixelColor(probe);
}

QImage grabbed(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void pressTab(QWidget* from)
{
    QTest::keyClick(from, Qt::Key_Tab);
}

int pixelsIn(const QImage& image, const QColor& color)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color)
                ++count;
    return count;
}
