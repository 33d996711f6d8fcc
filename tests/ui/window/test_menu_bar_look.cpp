// The main menu bar in its own look, on the real window with its real captions.
#include <QMenu>
#include <QMenuBar>
#include <QtTest>
#include <memory>

#include "ui/window/menu_bar_pictures.h"
#include "ui/window/menu_bar_style.h"
#include "ui/window/main_window.h"

using namespace tgsim::window;

namespace {

const QString kDefaultCaption = QStringLiteral("Stany Pracy");

}  // namespace

class TestMenuBarLook : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm1> form;
    QMenuBar* bar = nullptr;

    QAction* topLevel(const QString& caption) const {
        for (QAction* action : bar->actions())
            if (action->text() == caption) return action;
        return nullptr;
    }

private slots:
    void init() {
        form = std::make_unique<TForm1>();
        bar = form->menuBar();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void cleanup() { form.reset(); }

    // Marks and pictures make the items wider; all of them must still show in the window.
    void everyItemFitsTheWindow() {
        QCOMPARE(bar->actions().size(), 10);
        for (QAction* action : bar->actions()) {
            const QRect place = bar->actionGeometry(action);
            QVERIFY2(!place.isEmpty() && bar->rect().contains(place), qPrintable(action->text()));
        }
        QVERIFY(bar->height() < 2 * bar->fontMetrics().height());
    }

    // The default caption is bold, so wider than in the plain face; moving the default to
    // another item narrows the first and widens the second.
    void defaultItemIsBold() {
        QAction* scenarios = topLevel(kDefaultCaption);
        QAction* generator = topLevel(QStringLiteral("Generator"));
        QVERIFY(scenarios && generator);
        const int scenariosBold = bar->actionGeometry(scenarios).width();
        const int generatorPlain = bar->actionGeometry(generator).width();
        applyMenuBarLook(bar, QStringLiteral("Generator"));
        QVERIFY(bar->actionGeometry(scenarios).width() < scenariosBold);
        QVERIFY(bar->actionGeometry(generator).width() > generatorPlain);
    }

    // Each top-level caption of the menu has a picture, drawn for both pixel ratios, except
    // the three that have none.
    void everyCaptionButThreeHasAPicture() {
        const QStringList withoutPicture{QStringLiteral("Porównanie"), QStringLiteral("Schematy"),
                                         QStringLiteral("Zapisz")};
        for (QAction* action : bar->actions()) {
            const QIcon picture = menuBarPicture(action->text());
            QCOMPARE(picture.isNull(), withoutPicture.contains(action->text()));
            if (picture.isNull()) continue;
            const QSize logical(kMenuBarPictureSize, kMenuBarPictureSize);
            QCOMPARE(picture.pixmap(logical, 2.0).size(), logical * 2);
            QCOMPARE(picture.pixmap(logical, 1.0).size(), logical);
        }
    }

    // The keyboard still walks the bar: Alt selects the first item, the arrows move along the
    // bar and down into a menu, and on to the neighbouring menu.
    void keyboardWalksTheBar() {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTest::keyClick(form.get(), Qt::Key_Alt, Qt::AltModifier);
        QCOMPARE(bar->activeAction(), topLevel(QStringLiteral("Generator")));
        QTest::keyClick(bar, Qt::Key_Right);
        QTest::keyClick(bar, Qt::Key_Right);
        QTest::keyClick(bar, Qt::Key_Down);
        QMenu* scenarios = topLevel(kDefaultCaption)->menu();
        QTRY_VERIFY(scenarios->isVisible());
        QTest::keyClick(scenarios, Qt::Key_Left);
        QTRY_VERIFY(topLevel(QStringLiteral("War. początkowe"))->menu()->isVisible());
        QVERIFY(!scenarios->isVisible());
    }
};

QTEST_MAIN(TestMenuBarLook)
#include "test_menu_bar_look.moc"
