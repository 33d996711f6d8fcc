// The main window driven as a user drives it: its start-up, components, menus, the computation and the view switch.
#include "main_window_driving.h"

using tgsim::window::TForm1;

namespace {

const QString kHint = QStringLiteral("Obliczenia: 1.wybierz: Dane Aktualne,  2.kliknij: Formularz lub F10");

}  // namespace

class TestMainWindow : public QObject, private tgsim::testing::MainWindowDriving {
    Q_OBJECT

private slots:
    void init() {
        form = std::make_unique<TForm1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup() { form.reset(); }

    void startUpState() {
        QCOMPARE(form->windowTitle(),
                 QStringLiteral("Generator Synchroniczny z Regulatorem PID i Stabilizatorem Systemowym"));
        QCOMPARE(form->centralWidget()->size(), QSize(800, 541));
        QCOMPARE(form->statusBar()->height(), 21);
        for (const char* name : {"siatka", "siatkaPraca", "war_pocz", "ProgressBar1", "Wykr_DaneAkt", "ZalWyl_PSS"})
            QVERIFY2(shown(name), name);
        for (const char* name : {"Siatka_PSS", "zadanystanustalony", "Chart1", "CalkaCieplna", "ChBox1", "ChBox17"})
            QVERIFY2(!shown(name), name);
        QCOMPARE(component<QPushButton>("Wykr_DaneAkt")->text(), QStringLiteral("Dane Aktualne"));
        QVERIFY(!component<QPushButton>("Wykr_DaneAkt")->isEnabled());
        QCOMPARE(component<QPushButton>("ZalWyl_PSS")->text(), QStringLiteral("Zal. PSS"));
        QVERIFY(component<QPushButton>("ZalWyl_PSS")->isDefault());
        QCOMPARE(component<QPushButton>("CalkaCieplna")->text(), QStringLiteral("Calka_Iw*Iw*dt"));
        QCOMPARE(panel(0), QStringLiteral("Czas obliczeń = .... ?"));
        QCOMPARE(panel(1), QStringLiteral("Stan Pracy: wzbudzenie"));
        QCOMPARE(panel(2), QStringLiteral("Liczba iteracji = ........"));
        QCOMPARE(panel(3), kHint);
        for (int i = 0; i < 3; ++i) QCOMPARE(form->statusPanel(i)->width(), 150);
        QVERIFY(form->statusPanel(3)->width() >= 200);
        auto* control = component<QTableView>("siatkaPraca");
        QCOMPARE(control->model()->index(0, 0).data().toString(), QStringLiteral("to [s]"));
        QCOMPARE(control->model()->index(1, 1).data().toString(), QStringLiteral("5"));
        QCOMPARE(component<QCheckBox>("ChBox13")->text(), QStringLiteral("Uw"));
        // The boxes show their colours (beside the caption, where nothing else is drawn).
        for (auto [k, colour] :
             {std::pair{11, QColor(255, 255, 0)}, {13, QColor(0, 255, 0)}, {16, QColor(0, 128, 128)}}) {
            const QImage picture = form->seriesBox(k)->grab().toImage();
            QCOMPARE(picture.pixelColor(picture.width() - 2, picture.height() / 2), colour);
        }
    }

    // A header cell's tip names its column (by its key) and says what it holds; the stabilizer
    // grid's tips follow the kind of set loaded; columns nobody reads have none.
    void headerTipsNameTheColumn() {
        const auto tip = [&](const char* grid, int column, int row = 0) {
            return component<QTableView>(grid)->model()->index(row, column).data(Qt::ToolTipRole).toString();
        };
        const QString header = component<QTableView>("siatka")->model()->index(0, 19).data().toString().trimmed();
        QVERIFY(tip("siatka", 19).startsWith(header + QStringLiteral(" — Xd: ")));  // the whole header, cut in the cell
        QVERIFY(tip("siatka", 10).endsWith(QStringLiteral("(VA = cell × 10⁶)")));
        QVERIFY(tip("war_pocz", 1).contains(QStringLiteral(" — Iwr: ")));
        QVERIFY(tip("siatka", 9).isEmpty() && tip("siatka", 19, 1).isEmpty() && tip("war_pocz", 20).isEmpty());
        QVERIFY(tip("Siatka_PSS", 0).contains(QStringLiteral("T0: ")));
        form->runHandler("PSS2A_1Click");
        QVERIFY(tip("Siatka_PSS", 0).contains(QStringLiteral("T1: ")));
    }

    void componentGeometry_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("siatka") << "siatka" << QRect(80, 40, 673, 70);
        QTest::newRow("siatkaPraca") << "siatkaPraca" << QRect(80, 144, 650, 50);
        QTest::newRow("zadanystanustalony") << "zadanystanustalony" << QRect(200, 208, 522, 55);
        QTest::newRow("war_pocz") << "war_pocz" << QRect(80, 288, 665, 71);
        QTest::newRow("Siatka_PSS single-input") << "Siatka_PSS" << QRect(80, 400, 458, 54);
        QTest::newRow("Chart1") << "Chart1" << QRect(72, 8, 705, 489);
        QTest::newRow("ChBox1") << "ChBox1" << QRect(8, 16, 50, 20);
        QTest::newRow("ChBox17") << "ChBox17" << QRect(8, 400, 50, 20);
        QTest::newRow("Wykr_DaneAkt") << "Wykr_DaneAkt" << QRect(8, 504, 81, 25);
        QTest::newRow("ZalWyl_PSS") << "ZalWyl_PSS" << QRect(112, 504, 57, 25);
        QTest::newRow("ProgressBar1") << "ProgressBar1" << QRect(291, 512, 217, 17);
        QTest::newRow("CalkaCieplna") << "CalkaCieplna" << QRect(624, 504, 129, 25);
    }
    void componentGeometry() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QCOMPARE(component(name.toLatin1().constData())->geometry(), geometry);
    }

    // Both rows of every grid show in full, and the captions fit their controls.
    void nothingClipped() {
        for (QTableView* grid : form->centralWidget()->findChildren<QTableView*>()) {
            const int rows = grid->rowHeight(0) + grid->rowHeight(1);
            QVERIFY2(rows <= grid->viewport()->height() || grid->isHidden(), qPrintable(grid->objectName()));
        }
        for (QPushButton* button : form->findChildren<QPushButton*>()) {
            const int text = button->fontMetrics().horizontalAdvance(button->text());
            QVERIFY2(text + 6 <= button->width(), qPrintable(button->objectName()));
        }
        for (int k = 1; k <= tgsim::kQuantityCount; ++k) {
            QCheckBox* box = form->seriesBox(k);
            QVERIFY2(box->sizeHint().width() <= box->width(), qPrintable(box->objectName()));
        }
        for (int i = 0; i < 3; ++i) {
            QLabel* label = form->statusPanel(i);
            QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width());
        }
    }

    void menuItems_data() {
        QTest::addColumn<QString>("handler");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        const QKeySequence none;
        // clang-format off
        QTest::newRow("G1") << "G1Click" << "Generator" << "Dolna Odra      bl. 7, 8" << none;
        QTest::newRow("G2") << "G2Click" << "Generator" << "Turów              bl. 1,2,3" << none;
        QTest::newRow("G6") << "G6Click" << "Generator" << "Konin" << none;
        QTest::newRow("war_zerowe") << "war_zeroweClick" << "War. początkowe" << "warunki Zerowe" << none;
        QTest::newRow("war_koncow") << "war_koncowClick" << "War. początkowe" << "warunki Końcowe = Dane Aktualne" << none;
        QTest::newRow("war_nominalne") << "war_nominalneClick" << "War. początkowe" << "warunki Znamionowe" << none;
        QTest::newRow("Warunkizadane1") << "Warunkizadane1Click" << "War. początkowe" << "zadany stan Ustalony" << none;
        QTest::newRow("Softstart") << "Softstart1Click" << "Stany Pracy" << "Softstart" << QKeySequence(Qt::Key_F1);
        QTest::newRow("Synchroniz") << "Synchroniz1Click" << "Stany Pracy" << "Synchronizacja" << QKeySequence(Qt::Key_F2);
        QTest::newRow("ZabwAutom") << "ZabwAutom1Click" << "Stany Pracy" << "Zaburzenie w RA      " << QKeySequence(Qt::Key_F3);
        QTest::newRow("Zwarcie") << "Zwarcie1Click" << "Stany Pracy" << "Zwarcie" << QKeySequence(Qt::Key_F4);
        QTest::newRow("Pracawsieci") << "Pracawsieci1Click" << "Stany Pracy" << "Praca w sieci" << QKeySequence(Qt::Key_F5);
        QTest::newRow("ZrzutQ") << "ZrzutQ1Click" << "Stany Pracy" << "Zrzut Q" << QKeySequence(Qt::Key_F6);
        QTest::newRow("TestPSS") << "TestPSS1Click" << "Stany Pracy" << "Test: PSS 2A" << QKeySequence(Qt::Key_F7);
        QTest::newRow("Klasyczny") << "Klasyczny1Click" << "Model Gen." << "Klasyczny" << none;
        QTest::newRow("Canaya") << "Canaya1Click" << "Model Gen." << "Canay'a" << none;
        QTest::newRow("PSS2A_1") << "PSS2A_1Click" << "Stab. Syst. PSS" << "PSS 2A - D.O." << none;
        QTest::newRow("PSS2A_3") << "PSS2A_3Click" << "Stab. Syst. PSS" << "PSS 2A - Koz." << none;
        QTest::newRow("PSS1wejsciowy") << "PSS1wejsciowy1Click" << "Stab. Syst. PSS" << "PSS  1-wejsciowy" << none;
        QTest::newRow("O1Click") << "O1Click" << "Obliczenia" << "Rozwiązanie Równań Stanu" << QKeySequence(Qt::Key_F10);
        QTest::newRow("Calka") << "Obliczeniecalkicieplnej1Click" << "Obliczenia" << "Obliczenie Calki Cieplnej Prądu Wirnika" << none;
        QTest::newRow("Zachowaj") << "ZachowajPrzebiegClick" << "Porównanie" << "Zachowaj przebieg" << none;
        QTest::newRow("Usun") << "UsunPorownaniaClick" << "Porównanie" << "Usuń porównania" << none;
        QTest::newRow("Legenda") << "LegendaClick" << "Porównanie" << "Legenda" << none;
        QTest::newRow("Poka1") << "Poka1Click" << "Schematy" << "Schemat Sieci " << none;
        QTest::newRow("PokazDQ") << "PokazDQcircuits" << "Schematy" << "Schemat d-q" << none;
        QTest::newRow("SchematPSS") << "SchematStabilizatorClick" << "Schematy" << "Schemat PSS2A" << none;
        QTest::newRow("Gdzie1") << "Gdzie1Click" << "Zapisz" << "Gdzie zapisac wykres ?" << none;
        QTest::newRow("Gdzie2") << "Gdzie2Click" << "Zapisz" << "Gdzie zapisac formularz / Enh ?" << none;
        // clang-format on
    }
    void menuItems() {
        QFETCH(QString, handler);
        QFETCH(QString, menu);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        QAction* item = form->action(handler);
        QVERIFY(item);
        QCOMPARE(item->text(), caption);
        QCOMPARE(item->shortcut(), shortcut);
        const QList<QObject*> owners = item->associatedObjects();
        QVERIFY(!owners.isEmpty());
        auto* owner = qobject_cast<QMenu*>(owners.first());
        QVERIFY(owner);
        QCOMPARE(owner->title(), menu);
    }

    void topLevelItems() {
        QStringList captions;
        for (QAction* top : form->menuBar()->actions()) captions << top->text();
        QCOMPARE(captions, QStringList({"Generator", "War. początkowe", "Stany Pracy", "Model Gen.", "Stab. Syst. PSS",
                                        "Obliczenia", "Porównanie", "Schematy", "Zapisz", "Koniec"}));
        QAction* koniec = form->menuBar()->actions().last();
        QVERIFY(!koniec->menu());
        QCOMPARE(koniec->shortcut(), QKeySequence(Qt::Key_Delete));
    }

    // Every menu row of the command table is reachable exactly once from the menu bar, with the
    // table's caption and shortcut, and the menu bar holds nothing else.
    void menusFollowTheCommandTable() {
        QMap<QString, int> reachable;
        int items = 0;
        for (QAction* top : form->menuBar()->actions()) {
            const QList<QAction*> entries = top->menu() ? top->menu()->actions() : QList<QAction*>{top};
            for (QAction* entry : entries) {
                ++items;
                ++reachable[entry->objectName()];
                const tgsim::Command* command = tgsim::findCommand(entry->objectName().toStdString());
                QVERIFY2(command, qPrintable(entry->objectName()));
                QCOMPARE(entry->text(), QString::fromUtf8(command->caption));
                QCOMPARE(entry->shortcut(), QKeySequence::fromString(QString::fromLatin1(command->shortcut)));
                if (top->menu()) QCOMPARE(top->text(), QString::fromUtf8(command->menu));
            }
        }
        int rows = 0;
        for (const tgsim::Command& command : tgsim::kCommands) {
            if (command.placement == tgsim::Placement::Button) continue;
            ++rows;
            QCOMPARE(reachable.value(QString::fromLatin1(command.handler)), 1);
        }
        QCOMPARE(items, rows);
    }

    void f10DrawsTheStartUpChart() {
        pressF10();
        for (int k = 0; k < tgsim::kSeriesCount; ++k) QCOMPARE(drawn(k), k == 13 || k == 15 || k == 16);
        QCOMPARE(panel(1), QStringLiteral("Stan Pracy: wzbudzenie"));
        QCOMPARE(panel(2), QStringLiteral("Liczba iteracji = 7000"));
        QVERIFY(panel(0).startsWith(QStringLiteral("Czas obliczeń = ")));
        QVERIFY(!panel(0).contains(QStringLiteral("?")));
        QVERIFY(shown("Chart1"));
        for (const char* name : {"siatka", "siatkaPraca", "war_pocz", "Siatka_PSS", "ProgressBar1"})
            QVERIFY2(!shown(name), name);
        for (int k = 1; k <= tgsim::kQuantityCount; ++k) {
            QVERIFY(!form->seriesBox(k)->isHidden());
            QCOMPARE(form->seriesBox(k)->isChecked(), k == 13 || k == 15 || k == 16);
        }
        QVERIFY(component<QPushButton>("Wykr_DaneAkt")->isEnabled());
        QCOMPARE(form->Chart1()->rubberBand(), QChartView::RectangleRubberBand);

        // The lines stand for the rows 0 .. N-1, whose times the time axis covers.
        for (int k : {13, 15, 16}) checkLineFollowsRows(k);
        const tgsim::ChartRows rows = form->session().chartRows();
        QCOMPARE(rows.size(), std::size_t{7000});
        const QValueAxis* time = form->Chart1()->timeAxis();
        QVERIFY(time->min() <= rows.time(0) && time->max() >= rows.time(6999));
    }

    void clickOnFreeAreaComputes() {
        QTest::mouseClick(component("siatka")->findChild<QWidget*>(QStringLiteral("qt_scrollarea_viewport")),
                          Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseClick(component("ZalWyl_PSS"), Qt::LeftButton);
        QTest::mouseClick(component("ZalWyl_PSS"), Qt::LeftButton);
        QCOMPARE(panel(2), QStringLiteral("Liczba iteracji = ........"));
        QTest::mouseClick(form->centralWidget(), Qt::LeftButton, {}, QPoint(790, 300));
        QCOMPARE(panel(2), QStringLiteral("Liczba iteracji = 7000"));
        QVERIFY(drawn(13));
    }

    void seriesBoxToggles_data() {
        QTest::addColumn<int>("k");
        QTest::newRow("Uw, drawn after the run") << 13;
        QTest::newRow("Id") << 1;
        QTest::newRow("iQ2, filled but not drawn") << 6;
        QTest::newRow("Q") << 17;
    }
    void seriesBoxToggles() {
        QFETCH(int, k);
        pressF10();
        QCheckBox* box = form->seriesBox(k);
        const bool initially = box->isChecked();
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(drawn(k), !initially);
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(drawn(k), initially);
        if (!box->isChecked()) QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(form->Chart1()->series(k)->pen().style(), k == 6 ? Qt::NoPen : Qt::SolidLine);
        checkLineFollowsRows(k);
    }

    void viewSwitchWritesCurrentData() {
        pressF10();
        auto* initial = component<QTableView>("war_pocz");
        initial->model()->setData(initial->model()->index(1, 6), QStringLiteral("typed"));
        QTest::mouseClick(component("Wykr_DaneAkt"), Qt::LeftButton);
        QCOMPARE(component<QPushButton>("Wykr_DaneAkt")->text(), QStringLiteral("Wykresy"));
        QVERIFY(!shown("Chart1"));
        QVERIFY(shown("war_pocz") && shown("siatka") && shown("siatkaPraca"));
        QVERIFY(!shown("Siatka_PSS"));
        const tgsim::Session& session = form->session();
        QCOMPARE(initial->model()->index(1, 6).data().toString(),
                 QString::fromStdString(tgsim::formatGeneral(session.currentData()[7] / session.record().omegan)));
        QCOMPARE(initial->model()->index(1, 8).data().toString(),
                 QString::fromStdString(tgsim::formatGeneral(session.currentData()[9])));

        // A double-click on the chart switches back; the lines are kept.
        QTest::mouseClick(component("Wykr_DaneAkt"), Qt::LeftButton);
        QVERIFY(shown("Chart1"));
        QTest::mouseDClick(form->Chart1()->viewport(), Qt::LeftButton, {}, QPoint(300, 200));
        QVERIFY(!shown("Chart1"));
        QVERIFY(drawn(15));
    }

    void stabilizerButtonAndEnter() {
        QTest::mouseClick(component("ZalWyl_PSS"), Qt::LeftButton);
        QCOMPARE(component<QPushButton>("ZalWyl_PSS")->text(), QStringLiteral("Wyl. PSS"));
        QVERIFY(shown("Siatka_PSS"));
        form->centralWidget()->setFocus();
        QTest::keyClick(form.get(), Qt::Key_Return);  // the default button
        QCOMPARE(component<QPushButton>("ZalWyl_PSS")->text(), QStringLiteral("Zal. PSS"));
        QVERIFY(!shown("Siatka_PSS"));
    }

    void deleteClosesTheWindow() {
        pressF10();
        QTest::keyClick(form.get(), Qt::Key_Delete);
        QVERIFY(!form->isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
