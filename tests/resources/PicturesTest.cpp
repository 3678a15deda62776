// The pictures compiled into the game: their sizes, the title artwork's bitmap layout and colour
// key, the moods of Delvo's portraits and the window icon.
#include "resources/QuorvelResources.h"

#include <QFile>
#include <QImage>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

namespace {

QImage picture(const QString& name)
{
    const QImage image(name);
    EXPECT_FALSE(image.isNull()) << name.toStdString() << " is not in the resources";
    return image.convertToFormat(QImage::Format_ARGB32);
}

// How many pixels of `image` satisfy `test`.
int count(const QImage& image, const std::function<bool(QRgb)>& test)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += test(image.pixel(x, y));
    return n;
}

TEST(Pictures, TitleIsAnEightBitBitmapKeyedByExactlyPureGreenWithNoFringe)
{
    QFile file(QString::fromLatin1(QuorvelResources::titleArt));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bmp = file.readAll();
    ASSERT_TRUE(bmp.size() >= 54 && bmp.startsWith("BM"));
    const char* info = bmp.constData() + 14;
    EXPECT_EQ(qFromLittleEndian<qint32>(info + 4), 599);
    EXPECT_EQ(std::abs(qFromLittleEndian<qint32>(info + 8)), 127);
    EXPECT_EQ(qFromLittleEndian<quint16>(info + 14), 8);  // bits per pixel
    EXPECT_EQ(qFromLittleEndian<quint32>(info + 16), 0u); // no compression

    const QImage title = picture(QuorvelResources::titleArt);
    constexpr QRgb key = qRgb(0, 255, 0);
    // Loose on purpose: anything a colour key with some tolerance could mistake for the key.
    EXPECT_EQ(count(title, [](QRgb p) {
                  const int dr = qRed(p), dg = 255 - qGreen(p), db = qBlue(p);
                  return p != key && (dr * dr + dg * dg + db * db < 120 * 120 ||
                                      (qGreen(p) >= 128 && qGreen(p) - std::max(qRed(p), qBlue(p)) >= 64));
              }), 0);
    // The lettering covers a fair part, and the desktop shows through the rest.
    const int keyed = count(title, [](QRgb p) { return p == key; }), all = 599 * 127;
    EXPECT_GT(keyed, all / 3);
    EXPECT_LT(keyed, all * 9 / 10);
}

TEST(Pictures, DelvoIsGreyWhileAskingAndInColourWhenReacting)
{
    const auto colour = [](QRgb p) { return qRed(p) != qGreen(p) || qGreen(p) != qBlue(p); };
    const QImage neutral = picture(QuorvelResources::delvoNeutral);
    const QImage delighted = picture(QuorvelResources::delvoDelighted);
    const QImage dismayed = picture(QuorvelResources::delvoDismayed);
    for (const QImage* portrait : {&neutral, &delighted, &dismayed})
        EXPECT_EQ(portrait->size(), QSize(80, 107));
    EXPECT_EQ(count(neutral, colour), 0);
    EXPECT_GT(count(delighted, colour), 80 * 107 / 2);
    EXPECT_GT(count(dismayed, colour), 80 * 107 / 2);
    EXPECT_NE(delighted, dismayed);
    EXPECT_EQ(picture(QuorvelResources::musicNote).size(), QSize(64, 58));
}

TEST(Pictures, WindowIconComesInEverySizeOfOneDesign)
{
    const QList<QSize> sizes = QuorvelResources::windowIcon().availableSizes();
    const QImage reference = picture(QStringLiteral(":/icons/icon-32.png"));
    for (const int size : {32, 48, 64, 128, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
        const QImage drawn = picture(QStringLiteral(":/icons/icon-%1.png").arg(size));
        EXPECT_EQ(drawn.size(), QSize(size, size));
        // One design: scaled to 32 pixels, each size looks like the 32-pixel icon.
        const QImage small = drawn.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        double difference = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const QRgb a = small.pixel(x, y), b = reference.pixel(x, y);
                difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                              std::abs(qBlue(a) - qBlue(b)) + std::abs(qAlpha(a) - qAlpha(b));
            }
        EXPECT_LT(difference / (32 * 32 * 4), 24.0) << size;
    }
}

} // namespace
