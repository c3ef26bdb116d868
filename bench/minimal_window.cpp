// The yardstick of the start-up benchmark: the least a Qt Widgets program shows, a label and a
// button in a window, built against the same Qt as the tool.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Etykieta")));
    layout->addWidget(new QPushButton(QStringLiteral("Przycisk")));
    window.show();
    return QApplication::exec();
}
