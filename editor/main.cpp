// quorvel-editor: writes and checks the question bank of The Quorvel Challenge.
#include "editor/EditorWindow.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quorvel-editor"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QApplication::setDesktopFileName(QStringLiteral("org.quorvel.Editor"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes and checks the question bank of The Quorvel Challenge."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("BANK"), QStringLiteral("a coded (DATA.ASC) or plain (DATANON.ASC) bank"));
    parser.process(app);

    EditorWindow window;
    if (!parser.positionalArguments().isEmpty())
        window.openPath(parser.positionalArguments().first());
    window.show();
    return app.exec();
}
