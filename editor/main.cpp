// quorvel-editor: writes and checks the question bank of The Quorvel Challenge.
#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    return 0;
}
