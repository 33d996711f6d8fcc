// The painter of the schematic pictures: its network data hang together, its JPEG writer
// writes baseline files our decoder reads, and the committed pictures are what it draws now.
#include "jpeg_writer.h"
#include "network_map.h"
#include "pictures.h"
#include "schematic_pictures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <utility>

using namespace tgsim;
using namespace tgsim::tools;

namespace {

// The largest mean absolute difference per colour channel over the 8 × 8 blocks of two
// pictures of one size. JPEG coding at our quality stays near 5; a changed label or line
// makes its block differ by far more.
double worstBlockDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB888);
    const QImage y = b.convertToFormat(QImage::Format_RGB888);
    double worst = 0;
    for (int top = 0; top + 8 <= x.height(); top += 8) {
        for (int left = 0; left + 8 <= x.width(); left += 8) {
            int sum = 0;
            for (int row = top; row < top + 8; ++row) {
                const uchar* p = x.constScanLine(row);
                const uchar* q = y.constScanLine(row);
                for (int i = left * 3; i < (left + 8) * 3; ++i) sum += std::abs(int(p[i]) - int(q[i]));
            }
            worst = std::max(worst, sum / (8.0 * 8 * 3));
        }
    }
    return worst;
}

}  // namespace

class SchematicPainterTest : public QObject {
    Q_OBJECT
private slots:
    // Station codes are unique three-letter codes on the map; lines join two different,
    // known stations, each pair once.
    void networkDataHangTogether() {
        std::set<std::string> codes;
        const QRectF mapArea(0, 0, kNetworkMapSize.width(), 538);
        for (const Station& station : stations()) {
            QVERIFY2(codes.insert(station.code).second, station.code);
            QVERIFY2(mapArea.contains(project(station.at)), station.code);
            if (station.kind != StationKind::Border) QCOMPARE(std::strlen(station.code), size_t{3});
        }
        std::set<std::pair<std::string, std::string>> joined;
        for (const Line& line : lines()) {
            QVERIFY2(codes.count(line.from) && codes.count(line.to), line.from);
            QVERIFY2(std::strcmp(line.from, line.to) != 0, line.from);
            std::string from = line.from, to = line.to;
            if (to < from) std::swap(from, to);
            QVERIFY2(joined.emplace(from, to).second, (from + "-" + to).c_str());
        }
        for (const GeoPoint& corner : countryOutline()) QVERIFY(mapArea.contains(project(corner)));
    }

    void writerWritesBaselineJpegsThatDecode() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("dq.jpg"));
        const QImage drawn = drawDqCircuits();
        QCOMPARE(writeBaselineJpeg(drawn, path, 92), QString());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const DecodedJpeg decoded = decodeJpeg(file.readAll());
        QVERIFY2(decoded.ok(), qPrintable(decoded.error));
        QCOMPARE(decoded.image.size(), kDqCircuitsSize);
        QVERIFY(worstBlockDifference(decoded.image, drawn) < 8);
    }

    void writerReportsAFolderItCannotWriteTo() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("missing/dq.jpg"));
        const QString failure = writeBaselineJpeg(blankPicture({8, 8}), path, 92);
        QVERIFY2(failure.startsWith(QStringLiteral("Cannot write ") + path), qPrintable(failure));
        QVERIFY(!QFile::exists(path));
    }

    // A change to the drawing code must come with regenerated pictures.
    void committedPicturesAreWhatThePainterDraws_data() {
        QTest::addColumn<int>("picture");
        QTest::newRow("network") << int(SchematicPicture::Network);
        QTest::newRow("d-q") << int(SchematicPicture::DqCircuits);
        QTest::newRow("PSS2A") << int(SchematicPicture::Pss2a);
    }

    void committedPicturesAreWhatThePainterDraws() {
        QFETCH(int, picture);
        const auto which = static_cast<SchematicPicture>(picture);
        const QImage drawn = which == SchematicPicture::Network      ? drawNetworkMap()
                             : which == SchematicPicture::DqCircuits ? drawDqCircuits()
                                                                     : drawPss2aDiagram();
        const DecodedJpeg committed = loadSchematicPicture(which);
        QVERIFY2(committed.ok(), qPrintable(committed.error));
        QCOMPARE(drawn.size(), committed.image.size());
        const double difference = worstBlockDifference(drawn, committed.image);
        QVERIFY2(difference < 16, qPrintable(QString::number(difference)));
    }
};

QTEST_MAIN(SchematicPainterTest)
#include "test_schematic_painter.moc"
