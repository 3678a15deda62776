#include "transpik/PictureStore.h"

#include "core/RunTimeError.h"

#include <QBuffer>
#include <QByteArray>
#include <vector>

namespace bag {

namespace {

constexpr QLatin1StringView inlinePrefix("data:image/png;base64,");

struct Loaded {
    QString reference;
    platform::Picture picture;
};

// Few designs name few pictures; they live as long as the program, like compiled-in resources.
std::vector<Loaded>& loaded()
{
    static std::vector<Loaded> pictures;
    return pictures;
}

platform::Picture decodeInline(const QString& reference)
{
    const QByteArray data = QByteArray::fromBase64(reference.mid(inlinePrefix.size()).toLatin1());
    QImage image;
    if (!image.loadFromData(data, "PNG"))
        throw RunTimeError::inFile(QStringLiteral("inline picture"), 0, QStringLiteral("Invalid picture"));
    return platform::Picture::fromImage(image);
}

} // namespace

platform::Picture loadPicture(const QString& reference)
{
    for (const Loaded& entry : loaded()) {
        if (entry.reference == reference)
            return entry.picture;
    }
    platform::Picture picture = reference.startsWith(inlinePrefix) ? decodeInline(reference)
                                                                    : platform::Picture::load(reference);
    loaded().push_back({reference, picture});
    return picture;
}

QString referenceOf(const platform::Picture& picture)
{
    for (const Loaded& entry : loaded()) {
        if (entry.picture == picture)
            return entry.reference;
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.image().save(&buffer, "PNG");
    return inlinePrefix + QString::fromLatin1(png.toBase64());
}

} // namespace bag
