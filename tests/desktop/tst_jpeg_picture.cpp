#include "jpeg_picture.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

using namespace vorna;

namespace {

QByteArray jpegOf(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 95);
    return bytes;
}

QByteArray sampleJpeg()
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(QColor(200, 40, 40));
    return jpegOf(image);
}

// The same JPEG claiming a size of 60000 by 60000 pixels in its frame header.
QByteArray withHugeFrame(QByteArray bytes)
{
    const qsizetype sof = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof < 0)
        return {};
    for (qsizetype i : {sof + 5, sof + 7}) {
        bytes[i] = static_cast<char>(0xEA);
        bytes[i + 1] = static_cast<char>(0x60);
    }
    return bytes;
}

} // namespace

class tst_JpegPicture : public QObject {
    Q_OBJECT
private slots:
    void decodesPictureWrittenElsewhere();
    void shippedPictureLoads();
    void badDataGivesNoPicture_data();
    void badDataGivesNoPicture();
    void missingFileGivesNoPicture();
};

void tst_JpegPicture::decodesPictureWrittenElsewhere()
{
    const QImage image = decodeJpeg(sampleJpeg());
    QCOMPARE(image.size(), QSize(64, 48));
    const QColor centre = image.pixelColor(32, 24);
    QVERIFY(qAbs(centre.red() - 200) < 8);
    QVERIFY(qAbs(centre.green() - 40) < 8);
    QVERIFY(qAbs(centre.blue() - 40) < 8);
}

void tst_JpegPicture::shippedPictureLoads()
{
    const QImage image = loadJpegFile(QStringLiteral(":/pictures/drilled_shaft.jpg"));
    QVERIFY(!image.isNull());
    QVERIFY(image.width() >= 200 && image.height() >= 300);
}

void tst_JpegPicture::badDataGivesNoPicture_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = sampleJpeg();
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("not a picture at all");
    QTest::newRow("start marker only") << QByteArray("\xFF\xD8", 2);
    QTest::newRow("corrupt header")
        << QByteArray("\xFF\xD8\xFF\xE0\x00\x10garbage-garbage-garbage", 28);
    QTest::newRow("truncated") << good.left(good.size() / 2);
    QTest::newRow("huge frame") << withHugeFrame(good);
    QImage png(8, 8, QImage::Format_RGB32);
    png.fill(Qt::blue);
    QByteArray pngBytes;
    QBuffer buffer(&pngBytes);
    buffer.open(QIODevice::WriteOnly);
    png.save(&buffer, "PNG");
    QTest::newRow("png") << pngBytes;
}

void tst_JpegPicture::badDataGivesNoPicture()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(decodeJpeg(bytes).isNull());
}

void tst_JpegPicture::missingFileGivesNoPicture()
{
    QTemporaryDir dir;
    QVERIFY(loadJpegFile(dir.filePath(QStringLiteral("missing.jpg"))).isNull());
    QVERIFY(loadJpegFile(dir.path()).isNull()); // a folder, not a file
}

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    tst_JpegPicture test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_jpeg_picture.moc"
