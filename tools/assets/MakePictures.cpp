// quorvel-make-pictures [RESOURCES]: draws every picture of the game into RESOURCES (by default
// the source tree's resources/ folder): pictures/title.bmp, the three Delvo portraits and the
// music interlude picture in pictures/, and the icon sizes in icons/.
#include "tools/assets/DelvoPortrait.h"
#include "tools/assets/MusicNote.h"
#include "tools/assets/TitleArt.h"
#include "tools/assets/WindowIcon.h"
#include "tools/assets/EditorIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

namespace {

bool save(const QImage& image, const QString& path, const char* format)
{
    if (!QDir().mkpath(QFileInfo(path).path()) || !image.save(path, format)) {
        std::fprintf(stderr, "%s:0: cannot write the picture\n", qPrintable(path));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(path), image.width(), image.height());
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    // Fonts need a GUI application, but no screen: draw offscreen unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QDir root(args.size() > 1 ? args.at(1) : QStringLiteral(QUORVEL_RESOURCES_DIR));

    bool ok = save(drawTitleArt(), root.filePath("pictures/title.bmp"), "BMP");
    ok &= save(drawDelvo(Mood::Neutral), root.filePath("pictures/delvo-neutral.png"), "PNG");
    ok &= save(drawDelvo(Mood::Delighted), root.filePath("pictures/delvo-delighted.png"), "PNG");
    ok &= save(drawDelvo(Mood::Dismayed), root.filePath("pictures/delvo-dismayed.png"), "PNG");
    ok &= save(drawMusicNote(), root.filePath("pictures/music.png"), "PNG");
    for (const int size : {32, 48, 64, 128, 256})
    {
        ok &= save(drawWindowIcon(size), root.filePath(QStringLiteral("icons/icon-%1.png").arg(size)), "PNG");
        ok &= save(drawEditorIcon(size), root.filePath(QStringLiteral("icons/editor-%1.png").arg(size)), "PNG");
    }
    return ok ? 0 : 1;
}
