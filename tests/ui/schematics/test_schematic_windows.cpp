// The three schematic windows: captions and geometry, the picture in Image1, showing from the
// menu commands, scrolling, and keeping their state when closed and shown again.
#include "schematic_windows.h"
#include "dq_circuits_window.h"
#include "pss2a_diagram_window.h"
#include "network_map_window.h"

#include <QApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include <memory>

using namespace tgsim;

namespace {

// Every top-level widget of the given class (hidden or shown).
template <typename Window>
int windowsOfType() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) count += qobject_cast<Window*>(widget) != nullptr;
    return count;
}

}  // namespace

class SchematicWindowsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<SchematicWindows> windows_;

private slots:
    void init() { windows_ = std::make_unique<SchematicWindows>(); }
    void cleanup() { windows_.reset(); }

    void createdHiddenWithCaptionsAndPictures() {
        const SchematicWindow* all[] = {windows_->SchematSiec(), windows_->SchematPSS2A(), windows_->Schemat_dq()};
        const char* captions[] = {"SchematSiec", "SchematPSS2A", "Schemat_dq"};
        const QSize pictures[] = {{589, 800}, {1200, 400}, {333, 333}};
        for (int i = 0; i < 3; ++i) {
            QVERIFY(!all[i]->isVisible());
            QCOMPARE(all[i]->windowTitle(), QString::fromLatin1(captions[i]));
            QCOMPARE(all[i]->objectName(), QString::fromLatin1(captions[i]));
            QVERIFY2(all[i]->pictureError().isEmpty(), qPrintable(all[i]->pictureError()));
            const QLabel* image = all[i]->findChild<QLabel*>(QStringLiteral("Image1"));
            QCOMPARE(image, all[i]->Image1());
            QCOMPARE(image->pixmap().size(), pictures[i]);
            QCOMPARE(image->size(), pictures[i]);
        }
        QVERIFY(windows_->SchematSiec()->windowFlags().testFlag(Qt::Tool));
        QCOMPARE(windows_->SchematPSS2A()->scrollArea()->horizontalScrollBar()->value(), 22);
    }

    void networkWindowShowsTheTopAndScrollsToTheLegend() {
        windows_->Poka1Click();
        TSchematSiec* window = windows_->SchematSiec();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->frameGeometry().topLeft(), QPoint(203, 1));
        QScrollArea* scroll = window->scrollArea();
        QCOMPARE(scroll->viewport()->size(), QSize(589, 571));
        QVERIFY(!scroll->horizontalScrollBar()->isVisible());
        QScrollBar* bar = scroll->verticalScrollBar();
        QCOMPARE(bar->value(), 0);
        QCOMPARE(bar->maximum(), 800 - 571);

        // At the bottom, the viewport shows exactly the picture's last 571 rows: the legend.
        bar->setValue(bar->maximum());
        const QImage picture = loadSchematicPicture(SchematicPicture::Network).image;
        const QImage shown = scroll->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB888);
        QCOMPARE(shown, picture.copy(0, 800 - 571, 589, 571));
    }

    void dqWindowIsThePictureSizeWithoutScrollBars() {
        windows_->PokazDQcircuits();
        TSchemat_dq* window = windows_->Schemat_dq();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->frameGeometry().topLeft(), QPoint(208, 117));
        QCOMPARE(window->size(), QSize(333, 333));
        QCOMPARE(window->scrollArea()->viewport()->size(), QSize(333, 333));
        QVERIFY(!window->scrollArea()->horizontalScrollBar()->isVisible());
        QVERIFY(!window->scrollArea()->verticalScrollBar()->isVisible());
    }

    void pss2aWindowStartsScrolledAndKeepsItsPositionWhenClosed() {
        TSchematPSS2A* window = windows_->SchematPSS2A();
        QScrollBar* bar = window->scrollArea()->horizontalScrollBar();
        windows_->SchematStabilizatorClick();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->frameGeometry(), QRect(26, 49, 745, 445));
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->value(), 22);
        QCOMPARE(bar->maximum(), 1200 - window->scrollArea()->viewport()->width());
        QCOMPARE(window->Image1()->mapTo(window->scrollArea()->viewport(), QPoint(22, 0)).x(), 0);

        bar->setValue(300);
        QVERIFY(window->close());
        QVERIFY(!window->isVisible());
        QCOMPARE(windows_->SchematPSS2A(), window);  // closing hides, it does not delete
        windows_->SchematStabilizatorClick();
        QVERIFY(window->isVisible());
        QCOMPARE(bar->value(), 300);
    }

    void aSecondCommandRaisesTheSameWindow() {
        windows_->PokazDQcircuits();
        QVERIFY(QTest::qWaitForWindowActive(windows_->Schemat_dq()));
        windows_->Poka1Click();
        QVERIFY(QTest::qWaitForWindowActive(windows_->SchematSiec()));
        windows_->PokazDQcircuits();
        QVERIFY(QTest::qWaitForWindowActive(windows_->Schemat_dq()));
        QCOMPARE(windowsOfType<TSchemat_dq>(), 1);
        QCOMPARE(windowsOfType<TSchematSiec>(), 1);
        QVERIFY(windows_->SchematSiec()->isVisible());
    }

    void aPictureThatCannotBeDecodedIsReportedInItsPlace() {
        TSchemat_dq* window = windows_->Schemat_dq();
        window->setPicture(decodeJpeg(QByteArray("not a picture")));
        QVERIFY(window->pictureError().contains(QStringLiteral("Not a JPEG file")));
        QVERIFY(window->Image1()->pixmap().isNull());
        QCOMPARE(window->Image1()->text(), window->pictureError());
        windows_->PokazDQcircuits();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }

    // With the main window as owner, closing it ends the program even while schematic
    // windows are open, and the windows die with it; the collection must not delete them a
    // second time.
    void ownedWindowsEndWithTheirOwner() {
        windows_.reset();
        auto owner = std::make_unique<QWidget>();
        owner->show();
        auto owned = std::make_unique<SchematicWindows>(owner.get());
        QCOMPARE(owned->SchematSiec()->parentWidget(), owner.get());
        owned->Poka1Click();
        owned->SchematStabilizatorClick();
        QVERIFY(QTest::qWaitForWindowExposed(owned->SchematPSS2A()));
        // The event loop ends by itself only if no schematic window counts as a main window.
        QTimer::singleShot(0, owner.get(), [&owner] { owner->close(); });
        QTimer stillRunning;
        stillRunning.setSingleShot(true);
        connect(&stillRunning, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        stillRunning.start(5000);
        QCOMPARE(QApplication::exec(), 0);
        owner.reset();
        QVERIFY(owned->SchematSiec() == nullptr);
        owned->Poka1Click();  // does nothing once its window is gone
        owned.reset();
    }
};

QTEST_MAIN(SchematicWindowsTest)
#include "test_schematic_windows.moc"
