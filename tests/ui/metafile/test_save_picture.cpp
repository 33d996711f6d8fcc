// Saving a picture: the format comes from the caller or from the extension, an existing file is
// replaced (through a symbolic link, which stays), and a file that cannot be written, a full disk
// too, gives the user's message with its cause and leaves nothing.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include "base/failure.h"
#include "chart_fixture.h"
#include "tests/base/scratch_folders.h"
#include "ui/metafile/chart_picture.h"
#include "ui/metafile/picture_file.h"

namespace tgsim::testing {
namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool isWmf(const QByteArray& bytes) {
    return bytes.size() > 40 && qFromLittleEndian<std::uint32_t>(bytes.constData()) == 0x9AC6CDD7u;
}

bool isEmf(const QByteArray& bytes) {
    return bytes.size() > 88 && qFromLittleEndian<std::uint32_t>(bytes.constData()) == 1u && bytes.mid(40, 4) == " EMF";
}

TEST(SaveChartPicture, FormatFollowsTheCallerOrTheExtension) {
    const std::unique_ptr<QChartView> view = makeResultChart(false);
    QTemporaryDir dir;
    const QString dotWmf = dir.filePath("chart.WMF");
    const QString dotEmf = dir.filePath("chart.emf");
    const QString dotPng = dir.filePath("chart.png");
    const QString dotPdf = dir.filePath("chart.pdf");
    saveChartPicture(*view, dotWmf);
    saveChartPicture(*view, dotEmf);
    saveChartPicture(*view, dotPng);
    saveChartPicture(*view, dotPdf);
    EXPECT_TRUE(isWmf(readAll(dotWmf)));
    EXPECT_TRUE(isEmf(readAll(dotEmf)));
    EXPECT_TRUE(readAll(dotPng).startsWith("\x89PNG"));
    EXPECT_TRUE(readAll(dotPdf).startsWith("%PDF"));
#ifdef TGSIM_TEST_HAVE_SVG
    const QString dotSvg = dir.filePath("chart.svg");
    saveChartPicture(*view, dotSvg);
    EXPECT_TRUE(readAll(dotSvg).contains("<svg"));
#endif

    // The name is used as entered: a bitmap extension still receives the metafile asked for.
    const QString asBitmap = dir.filePath("picture.bmp");
    saveChartPicture(*view, asBitmap, PictureFormat::Emf);
    EXPECT_TRUE(isEmf(readAll(asBitmap)));
    saveChartPicture(*view, asBitmap, PictureFormat::Wmf);
    EXPECT_TRUE(isWmf(readAll(asBitmap)));

    const QString unknown = dir.filePath("chart.txt");
    EXPECT_NE(failureOf([&] { saveChartPicture(*view, unknown); }).find("chart.txt"), std::string::npos);
    EXPECT_FALSE(QFile::exists(unknown));
}

TEST(SaveChartPicture, ExistingFileIsReplacedWithoutLeftovers) {
    const std::unique_ptr<QChartView> view = makeResultChart(false);
    QTemporaryDir dir;
    const QString path = dir.filePath("chart.wmf");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(200000, 'x'));
    }
    saveChartPicture(*view, path, PictureFormat::Wmf);
    const QByteArray saved = readAll(path);
    EXPECT_TRUE(isWmf(saved));
    EXPECT_FALSE(saved.contains("xxxx"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"chart.wmf"});
}

TEST(SaveChartPicture, ALinkIsFollowedAndKept) {
    const std::unique_ptr<QChartView> view = makeResultChart(false);
    QTemporaryDir dir;
    const QString target = dir.filePath("target.png"), link = dir.filePath("link.png");
    ASSERT_TRUE(QFile::link("target.png", link));
    saveChartPicture(*view, link);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(readAll(target).startsWith("\x89PNG"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System),
              (QStringList{"link.png", "target.png"}));
}

TEST(SaveChartPicture, AFullDiskLeavesTheOldPictureAndNothingElse) {
    const std::unique_ptr<QChartView> view = makeResultChart(false);
    const ScratchFolder folder;
    const SmallDisk disk(folder / "disk");
    if (!disk.mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
    const QString old = QString::fromStdString(disk / "chart.png");
    writeFileReplacing(old, "old picture");
    disk.fillLeaving(8 * 1024);
    for (const char* name : {"chart.png", "new.png", "chart.emf"}) {
        const std::string path = disk / name;
        EXPECT_EQ(failureOf([&] { saveChartPicture(*view, QString::fromStdString(path)); }),
                  "Cannot create file " + path + "\nNo space left on device");
    }
    EXPECT_EQ(readAll(old), "old picture");
    EXPECT_EQ(entriesOf(disk / ""), (std::set<std::string>{"filler", "chart.png"}));
}

TEST(SaveChartPicture, FileThatCannotBeCreatedLeavesNothing) {
    const std::unique_ptr<QChartView> view = makeResultChart(false);
    QTemporaryDir dir;
    const QString missingFolder = dir.filePath("no such folder/chart.wmf");
    EXPECT_EQ(failureOf([&] { saveChartPicture(*view, missingFolder, PictureFormat::Wmf); }),
              "Cannot create file " + missingFolder.toStdString() + "\nNo such folder");
    EXPECT_FALSE(QFile::exists(missingFolder));
    EXPECT_FALSE(QDir(dir.filePath("no such folder")).exists());

    // A folder of that name cannot become a file either.
    const QString folder = dir.filePath("taken");
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_EQ(failureOf([&] { saveChartPicture(*view, folder, PictureFormat::Emf); }),
              "Cannot create file " + folder.toStdString() + "\nIs a folder");
    EXPECT_EQ(failureOf([&] { writeFileReplacing(QString(), "x"); }), "Cannot create file \nThe file name is empty");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"taken"});
}

}  // namespace
}  // namespace tgsim::testing
