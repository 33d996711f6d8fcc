#include "main_menu.h"

#include "data/generator_sets.h"
#include "data/pss_sets.h"
#include "scenarios/scenario_presets.h"

namespace tgsim::window {
namespace {

TopMenu dropDown(const QString& caption, std::vector<MenuItem> items = {}) {
    return TopMenu{caption, std::move(items), nullptr, QKeySequence()};
}

}  // namespace

std::vector<TopMenu> mainMenuLayout() {
    std::vector<TopMenu> menus;

    TopMenu generator = dropDown(QStringLiteral("Generator"));
    static constexpr const char* kGeneratorHandlers[] = {"G1Click", "G2Click", "G3Click",
                                                         "G4Click", "G5Click", "G6Click"};
    for (int i = 0; i < kGeneratorSetCount; ++i)
        generator.items.push_back({QString::fromUtf8(kGeneratorSets[static_cast<std::size_t>(i)].menuCaption),
                                   kGeneratorHandlers[i], {}});
    menus.push_back(generator);

    menus.push_back(dropDown(QStringLiteral("War. początkowe"),
                     {{QStringLiteral("warunki Zerowe"), "war_zeroweClick", {}},
                      {QStringLiteral("warunki Końcowe = Dane Aktualne"), "war_koncowClick", {}},
                      {QStringLiteral("warunki Znamionowe"), "war_nominalneClick", {}},
                      {QStringLiteral("zadany stan Ustalony"), "Warunkizadane1Click", {}}}));

    TopMenu scenarios = dropDown(QStringLiteral("Stany Pracy"));
    for (int i = 0; i < kScenarioCount; ++i) {
        const ScenarioPreset& preset = kScenarioPresets[static_cast<std::size_t>(i)];
        scenarios.items.push_back({QString::fromUtf8(preset.menuCaption), preset.handler, QKeySequence(Qt::Key_F1 + i)});
    }
    menus.push_back(scenarios);

    menus.push_back(dropDown(QStringLiteral("Model Gen."),
                     {{QStringLiteral("Klasyczny"), "Klasyczny1Click", {}},
                      {QStringLiteral("Canay'a"), "Canaya1Click", {}}}));

    TopMenu stabilizer = dropDown(QStringLiteral("Stab. Syst. PSS"));
    static constexpr const char* kPss2aHandlers[] = {"PSS2A_1Click", "PSS2A_2Click", "PSS2A_3Click"};
    for (std::size_t i = 0; i < kPss2aSets.size(); ++i)
        stabilizer.items.push_back({QString::fromUtf8(kPss2aSets[i].menuCaption), kPss2aHandlers[i], {}});
    stabilizer.items.push_back({QString::fromUtf8(kSingleInputSet.menuCaption), "PSS1wejsciowy1Click", {}});
    menus.push_back(stabilizer);

    menus.push_back(dropDown(QStringLiteral("Obliczenia"),
                     {{QStringLiteral("Rozwiązanie Równań Stanu"), "O1Click", QKeySequence(Qt::Key_F10)},
                      {QStringLiteral("Obliczenie Calki Cieplnej Prądu Wirnika"), "Obliczeniecalkicieplnej1Click", {}}}));

    menus.push_back(dropDown(QStringLiteral("Schematy"),
                     {{QStringLiteral("Schemat Sieci "), "Poka1Click", {}},
                      {QStringLiteral("Schemat d-q"), "PokazDQcircuits", {}},
                      {QStringLiteral("Schemat PSS2A"), "SchematStabilizatorClick", {}}}));

    menus.push_back(dropDown(QStringLiteral("Zapisz"),
                     {{QStringLiteral("Gdzie zapisac wykres ?"), "Gdzie1Click", {}},
                      {QStringLiteral("Gdzie zapisac formularz / Enh ?"), "Gdzie2Click", {}},
                      {QStringLiteral("Wykres jako PNG, SVG lub PDF ..."), "SavePictureClick", {}},
                      {QStringLiteral("Wyniki obliczeń (CSV) ..."), "SaveResultsClick", {}},
                      {QStringLiteral("Przebiegi z wykresu (CSV) ..."), "SaveChartDataClick", {}}}));

    menus.push_back({QStringLiteral("Koniec"), {}, "Koniec", QKeySequence(Qt::Key_Delete)});
    return menus;
}

}  // namespace tgsim::window
