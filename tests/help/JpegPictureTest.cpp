#include "TestFiles.h"
#include "help/U_JpegPicture.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <algorithm>
#include <cstdlib>

namespace {
const QString kAbout = QStringLiteral(":/pictures/about.jpg");

// The largest difference of a channel between two pictures of one size.
int LargestDifference(const QImage& a, const QImage& b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    return largest;
}

// `jpeg` with the frame header's height and width replaced.
QByteArray WithSize(QByteArray jpeg, quint16 width, quint16 height)
{
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    const char size[] = {char(height >> 8), char(height & 0xFF), char(width >> 8),
                         char(width & 0xFF)};
    return frame < 0 ? QByteArray() : jpeg.replace(frame + 5, 4, size, 4);
}
} // namespace

// Read by libjpeg-turbo itself, the picture is what Qt's own reader makes of it: no channel
// swapped, no row shifted.
TEST(JpegPictureTest, TheAboutPictureDecodesToItsSizeAsQtReadsIt)
{
    QString error;
    const QImage picture = TJpegPicture::Decode(ReadBytes(kAbout), &error);
    ASSERT_FALSE(picture.isNull()) << error.toStdString();
    EXPECT_EQ(picture.size(), QSize(274, 115));
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
    const QImage byQt(kAbout);
    if (byQt.isNull())
        GTEST_SKIP() << "Qt has no JPEG reader here to compare with";
    EXPECT_LE(LargestDifference(picture, byQt.convertToFormat(QImage::Format_RGB32)), 1);
}

TEST(JpegPictureTest, ColoursKeepTheirChannelsAndGreyPicturesComeOutOpaque)
{
    for (const auto& [format, colour] : {std::pair{QImage::Format_RGB32, QColor(200, 40, 90)},
                                         {QImage::Format_Grayscale8, QColor(77, 77, 77)}}) {
        QImage source(16, 8, format);
        source.fill(colour);
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        if (!source.save(&buffer, "JPEG", 100))
            GTEST_SKIP() << "Qt has no JPEG writer here";
        const QImage decoded = TJpegPicture::Decode(jpeg);
        ASSERT_EQ(decoded.size(), QSize(16, 8));
        const QColor middle = decoded.pixelColor(8, 4);
        EXPECT_NEAR(middle.red(), colour.red(), 2);
        EXPECT_NEAR(middle.green(), colour.green(), 2);
        EXPECT_NEAR(middle.blue(), colour.blue(), 2);
        EXPECT_EQ(qAlpha(decoded.pixel(15, 7)), 255);
    }
}

// libjpeg would end the process on bad data, or fill a cut picture with grey and call it
// good: each of these is a clean failure with a reason.
TEST(JpegPictureTest, CutGarbageEmptyAndOversizedPicturesFailWithAReason)
{
    const QByteArray whole = ReadBytes(kAbout);
    ASSERT_FALSE(whole.isEmpty());
    const std::pair<const char*, QByteArray> cases[] = {
        {"cut in the middle", whole.left(whole.size() / 2)},
        {"cut in the header", whole.left(40)},
        {"garbage", QByteArray(4096, '\x5A')},
        {"garbage after a start marker", QByteArray("\xFF\xD8\xFF\xC0") + QByteArray(600, '\x01')},
        {"empty", QByteArray()},
        {"larger than allowed", WithSize(whole, 60000, 115)},
    };
    for (const auto& [what, bytes] : cases) {
        QString error;
        EXPECT_TRUE(TJpegPicture::Decode(bytes, &error).isNull()) << what;
        EXPECT_FALSE(error.isEmpty()) << what;
    }
    QString error;
    TJpegPicture::Decode(WithSize(whole, 60000, 115), &error);
    EXPECT_TRUE(error.contains("60000")) << error.toStdString();
    EXPECT_FALSE(TJpegPicture::Decode(whole).isNull()) << "a failure leaves nothing behind";
}
