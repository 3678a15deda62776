// The pictures compiled into the game: their sizes, the title artwork's bitmap layout and colour
// key, and the moods of Delvo's portraits.
#include "QuorvelResources.h"

#include <QFile>
#include <QImage>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

bool isGrey(QRgb p)
{
    return qRed(p) == qGreen(p) && qGreen(p) == qBlue(p);
}

// Loose on purpose: anything a colour key with some tolerance could mistake for the key.
bool isNearGreen(QRgb p)
{
    const int dr = qRed(p), dg = 255 - qGreen(p), db = qBlue(p);
    return dr * dr + dg * dg + db * db < 120 * 120 ||
           (qGreen(p) >= 128 && qGreen(p) - std::max(qRed(p), qBlue(p)) >= 64);
}

QImage picture(const char* name)
{
    const QImage image(QString::fromLatin1(name));
    EXPECT_FALSE(image.isNull()) << name << " is not in the resources";
    return image;
}

TEST(Pictures, HaveTheSizesTheWindowsAreLaidOutFor)
{
    EXPECT_EQ(picture(QuorvelResources::titleArt).size(), QSize(599, 127));
    for (const char* portrait : {QuorvelResources::delvoNeutral, QuorvelResources::delvoDelighted,
                                 QuorvelResources::delvoDismayed})
        EXPECT_EQ(picture(portrait).size(), QSize(80, 107)) << portrait;
    EXPECT_EQ(picture(QuorvelResources::musicNote).size(), QSize(64, 58));
}

TEST(Pictures, TitleIsAnUncompressedEightBitBitmapWith256Colours)
{
    QFile file(QString::fromLatin1(QuorvelResources::titleArt));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bmp = file.readAll();
    ASSERT_GE(bmp.size(), 54);
    ASSERT_TRUE(bmp.startsWith("BM"));
    const char* info = bmp.constData() + 14;
    EXPECT_EQ(qFromLittleEndian<qint32>(info + 4), 599);
    EXPECT_EQ(std::abs(qFromLittleEndian<qint32>(info + 8)), 127);
    EXPECT_EQ(qFromLittleEndian<quint16>(info + 14), 8);  // bits per pixel
    EXPECT_EQ(qFromLittleEndian<quint32>(info + 16), 0u); // no compression
    const quint32 used = qFromLittleEndian<quint32>(info + 32);
    EXPECT_TRUE(used == 0 || used == 256) << used;
}

TEST(Pictures, TitleIsKeyedByExactlyPureGreenWithNoGreenFringe)
{
    const QImage title = picture(QuorvelResources::titleArt).convertToFormat(QImage::Format_RGB32);
    const QRgb key = qRgb(0, 255, 0);
    int keyed = 0;
    for (int y = 0; y < title.height(); ++y)
        for (int x = 0; x < title.width(); ++x) {
            const QRgb p = title.pixel(x, y);
            if (p == key)
                ++keyed;
            else
                ASSERT_FALSE(isNearGreen(p)) << "pixel " << x << "," << y << " is near green: "
                                             << qRed(p) << "," << qGreen(p) << "," << qBlue(p);
        }
    // The lettering covers a fair part, and the desktop shows through the rest.
    const int all = title.width() * title.height();
    EXPECT_GT(keyed, all / 3);
    EXPECT_LT(keyed, all * 9 / 10);
    EXPECT_EQ(title.pixel(0, title.height() - 1), key);
    EXPECT_EQ(title.pixel(title.width() - 1, title.height() - 1), key);
}

TEST(Pictures, DelvoIsGreyWhileAskingAndInColourWhenReacting)
{
    const auto colourPixels = [](const QImage& image) {
        int count = 0;
        const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < rgb.height(); ++y)
            for (int x = 0; x < rgb.width(); ++x)
                count += isGrey(rgb.pixel(x, y)) ? 0 : 1;
        return count;
    };
    const QImage neutral = picture(QuorvelResources::delvoNeutral);
    const QImage delighted = picture(QuorvelResources::delvoDelighted);
    const QImage dismayed = picture(QuorvelResources::delvoDismayed);
    EXPECT_EQ(colourPixels(neutral), 0);
    EXPECT_GT(colourPixels(delighted), 80 * 107 / 2);
    EXPECT_GT(colourPixels(dismayed), 80 * 107 / 2);
    EXPECT_NE(delighted.convertToFormat(QImage::Format_RGB32), dismayed.convertToFormat(QImage::Format_RGB32));
}

TEST(Pictures, WindowIconComesInEverySizeOfOneDesign)
{
    const QIcon icon = QuorvelResources::windowIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (const int size : {32, 48, 64, 128, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
        const QImage drawn(QStringLiteral(":/icons/icon-%1.png").arg(size));
        EXPECT_EQ(drawn.size(), QSize(size, size));
        // One design: scaled to 32 pixels, each size looks like the 32-pixel icon.
        const QImage small = drawn.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                 .convertToFormat(QImage::Format_ARGB32);
        const QImage reference(QStringLiteral(":/icons/icon-32.png"));
        double difference = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const QRgb a = small.pixel(x, y), b = reference.convertToFormat(QImage::Format_ARGB32).pixel(x, y);
                difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                              std::abs(qBlue(a) - qBlue(b)) + std::abs(qAlpha(a) - qAlpha(b));
            }
        EXPECT_LT(difference / (32 * 32 * 4), 24.0) << size;
    }
}

} // namespace
