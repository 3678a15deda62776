// The floor of the start-up bench: the least a Qt Widgets program does to show a window with a
// line of text and a button, started the same way as the game.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal Window"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("A question?")));
    layout->addWidget(new QPushButton(QStringLiteral("An answer")));
    window.show();
    return app.exec();
}
