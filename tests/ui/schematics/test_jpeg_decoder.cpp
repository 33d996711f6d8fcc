// The shipped pictures are baseline JPEGs of their stated sizes that our libjpeg decoder
// reads; pictures in other forms decode or are refused with a message, never a crash.
#include "jpeg_decoder.h"
#include "schematic_pictures.h"
#include "test_jpeg_encoder.h"

#include <QFile>
#include <QtTest>

using tgsim::decodeJpeg;
using tgsim::SchematicPicture;
using namespace tgsim::testing;

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

}  // namespace

class JpegDecoderTest : public QObject {
    Q_OBJECT
private slots:
    void shippedPictures_data() {
        QTest::addColumn<int>("picture");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::newRow("network") << int(SchematicPicture::Network) << "schemat_siec.jpg" << QSize(589, 800);
        QTest::newRow("d-q") << int(SchematicPicture::DqCircuits) << "schemat_dq.jpg" << QSize(333, 333);
        QTest::newRow("PSS2A") << int(SchematicPicture::Pss2a) << "schemat_pss2a.jpg" << QSize(1200, 400);
    }

    // The files in resources/ are baseline, the embedded copies are the same files, and both
    // decode to the stated size.
    void shippedPictures() {
        QFETCH(int, picture);
        QFETCH(QString, file);
        QFETCH(QSize, size);
        const auto which = static_cast<SchematicPicture>(picture);

        const QByteArray stored = readFile(QStringLiteral(TGSIM_RESOURCES_DIR "/") + file);
        QVERIFY(!stored.isEmpty());
        const qsizetype frame = startOfFrameOffset(stored);
        QVERIFY(frame > 0);
        QCOMPARE(static_cast<unsigned char>(stored[frame]), 0xC0);   // SOF0: baseline
        QCOMPARE(static_cast<unsigned char>(stored[frame + 3]), 8);  // 8-bit samples
        QCOMPARE(readFile(tgsim::schematicPicturePath(which)), stored);

        const tgsim::DecodedJpeg decoded = tgsim::loadSchematicPicture(which);
        QVERIFY2(decoded.ok(), qPrintable(decoded.error));
        QCOMPARE(decoded.image.size(), size);
        QCOMPARE(tgsim::schematicPictureSize(which), size);
        // A drawing, not a blank page: dark pixels of lines and text are present.
        int dark = 0;
        for (int y = 0; y < size.height(); y += 3)
            for (int x = 0; x < size.width(); x += 3) dark += qGray(decoded.image.pixel(x, y)) < 100;
        QVERIFY(dark > 100);
    }

    void grayscaleAndProgressiveDecodeAsRgb() {
        for (const bool progressive : {false, true}) {
            const tgsim::DecodedJpeg gray = decodeJpeg(encodeTestJpeg(40, 24, JCS_GRAYSCALE, progressive));
            QVERIFY2(gray.ok(), qPrintable(gray.error));
            QCOMPARE(gray.image.size(), QSize(40, 24));
            const QRgb right = gray.image.pixel(38, 12);
            QVERIFY(qRed(right) > 200);
            QCOMPARE(qRed(right), qGreen(right));
            QCOMPARE(qGreen(right), qBlue(right));
            QVERIFY(qRed(gray.image.pixel(1, 12)) < 40);
        }
    }

    void cmykIsRefusedWithAMessage() {
        const tgsim::DecodedJpeg cmyk = decodeJpeg(encodeTestJpeg(16, 16, JCS_CMYK));
        QVERIFY(!cmyk.ok());
        QVERIFY(cmyk.image.isNull());
        QVERIFY2(cmyk.error.contains(QStringLiteral("CMYK")), qPrintable(cmyk.error));
    }

    void damagedDataGivesLibjpegsMessage_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("expected");
        const QByteArray good = encodeTestJpeg(64, 64, JCS_RGB);
        QTest::newRow("empty") << QByteArray() << "Empty input";
        QTest::newRow("not a JPEG") << QByteArray("GIF89a....................") << "Not a JPEG file";
        QTest::newRow("truncated") << good.left(good.size() / 2) << "Premature end of JPEG file";
        QByteArray noFrame = good;
        noFrame[startOfFrameOffset(good)] = char(0xC3);  // lossless: not supported
        QTest::newRow("unsupported frame") << noFrame << "Unsupported JPEG process";
    }

    void damagedDataGivesLibjpegsMessage() {
        QFETCH(QByteArray, data);
        QFETCH(QString, expected);
        const tgsim::DecodedJpeg decoded = decodeJpeg(data);
        QVERIFY(!decoded.ok());
        QVERIFY(decoded.image.isNull());
        QVERIFY2(decoded.error.startsWith(QStringLiteral("Cannot decode JPEG picture: ")), qPrintable(decoded.error));
        QVERIFY2(decoded.error.contains(expected), qPrintable(decoded.error));
    }

    // A header that claims a huge picture is refused before memory is reserved for it.
    void hugeDeclaredSizeIsRefused() {
        QByteArray data = encodeTestJpeg(8, 8, JCS_RGB);
        const qsizetype frame = startOfFrameOffset(data);
        for (const qsizetype field : {frame + 4, frame + 6}) {  // height, width: 65000
            data[field] = char(0xFD);
            data[field + 1] = char(0xE8);
        }
        const tgsim::DecodedJpeg decoded = decodeJpeg(data);
        QVERIFY(!decoded.ok());
        QVERIFY2(decoded.error.contains(QStringLiteral("larger than")), qPrintable(decoded.error));
    }
};

QTEST_GUILESS_MAIN(JpegDecoderTest)
#include "test_jpeg_decoder.moc"
