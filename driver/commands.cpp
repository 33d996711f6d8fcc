#include "commands.h"

#include <stdexcept>
#include <string>

namespace tgsim {
namespace {

using Action = std::function<void(Session&, SolveObserver*)>;

constexpr const char* kGeneratorMenu = "Generator";
constexpr const char* kInitialMenu = "War. początkowe";
constexpr const char* kScenarioMenu = "Stany Pracy";
constexpr const char* kModelMenu = "Model Gen.";
constexpr const char* kStabilizerMenu = "Stab. Syst. PSS";
constexpr const char* kComputeMenu = "Obliczenia";
constexpr const char* kCompareMenu = "Porównanie";
constexpr const char* kSchematicsMenu = "Schematy";
constexpr const char* kSaveMenu = "Zapisz";

// A preset missing from its table is a fault of the program itself, found at start-up.
template <class T>
const T& presetNamed(const T* preset, std::string_view name) {
    if (!preset) throw std::logic_error("no data set or scenario named \"" + std::string(name) + "\"");
    return *preset;
}

Command item(const char* handler, const char* menu, const char* caption, const char* shortcut, Action action) {
    return {handler, Placement::MenuItem, menu, caption, shortcut, std::move(action), {}};
}

template <void (Session::*method)()>
Action call() {
    return [](Session& s, SolveObserver*) { (s.*method)(); };
}

// A command that loads the data set of that menu caption into its grid.
template <class Set>
Command dataSet(const char* handler, const char* menu, const Set* set, std::string_view caption,
                void (Session::*load)(const Set&)) {
    const Set& found = presetNamed(set, caption);
    Command c =
        item(handler, menu, found.menuCaption, "", [&found, load](Session& s, SolveObserver*) { (s.*load)(found); });
    c.preset = found.menuCaption;
    return c;
}

Command generator(const char* handler, std::string_view caption) {
    return dataSet(handler, kGeneratorMenu, findGeneratorSet(caption), caption, &Session::loadGeneratorSet);
}

Command pss2a(const char* handler, std::string_view caption) {
    return dataSet(handler, kStabilizerMenu, findPss2aSet(caption), caption, &Session::loadPss2aSet);
}

Command scenario(const ScenarioPreset& preset) {
    Command c = item(preset.handler, kScenarioMenu, preset.menuCaption, preset.shortcut,
                     [&preset](Session& s, SolveObserver*) { s.applyScenario(preset); });
    c.preset = preset.scenarioName;
    return c;
}

// A command of the window itself: case files, schematics, saving, closing, the standard-parameters,
// modal-analysis and stabilizer-tuning windows, the chart's colours, the stabilizer's switch as
// a menu item (the button's command), the machine's PSS/E files (the
// runner's --import-dyr and --export-dyr).
Command windowItem(const char* handler, const char* menu, const char* caption, const char* shortcut = "") {
    return item(handler, menu, caption, shortcut, {});
}

std::vector<Command> buildCommands() {
    // clang-format off
    std::vector<Command> commands = {
        // Case files first, where a user looks first; the runner has --case and --save-case.
        windowItem("OtworzPrzypadekClick", kGeneratorMenu, "Otwórz przypadek…", "Ctrl+O"),
        windowItem("PrzywrocSesjeClick", kGeneratorMenu, "Przywróć poprzednią sesję"),
        generator("G1Click", "Dolna Odra      bl. 7, 8"),
        generator("G2Click", "Turów              bl. 1,2,3"),
        generator("G3Click", "Skawina           bl. 5"),
        generator("G4Click", "Kozienice         bl. 9"),
        generator("G5Click", "Wroclaw"),
        generator("G6Click", "Konin"),
        windowItem("ParametryStandardoweClick", kGeneratorMenu, "Parametry standardowe"),
        windowItem("WczytajDyrClick", kGeneratorMenu, "Wczytaj maszynę z pliku .dyr…"),
        item("war_zeroweClick", kInitialMenu, "warunki Zerowe", "", call<&Session::war_zeroweClick>()),
        item("war_koncowClick", kInitialMenu, "warunki Końcowe = Dane Aktualne", "", call<&Session::war_koncowClick>()),
        item("war_nominalneClick", kInitialMenu, "warunki Znamionowe", "", call<&Session::war_nominalneClick>()),
        item("Warunkizadane1Click", kInitialMenu, "zadany stan Ustalony", "", call<&Session::Warunkizadane1Click>()),
    };
    // The menu "Stany Pracy": a command for each scenario row.
    for (const ScenarioPreset& preset : kScenarioPresets) commands.push_back(scenario(preset));
    commands.insert(commands.end(), {
        item("Klasyczny1Click", kModelMenu, "Klasyczny", "", call<&Session::Klasyczny1Click>()),
        item("Canaya1Click", kModelMenu, "Canay'a", "", call<&Session::Canaya1Click>()),
        pss2a("PSS2A_1Click", "PSS 2A - D.O."),
        pss2a("PSS2A_2Click", "PSS 2A - Tur."),
        pss2a("PSS2A_3Click", "PSS 2A - Koz."),
        item("PSS1wejsciowy1Click", kStabilizerMenu, kSingleInputSet.menuCaption, "",
             call<&Session::PSS1wejsciowy1Click>()),
        windowItem("ZalWylPSSClick", kStabilizerMenu, "PSS załączony"),
        item("DobierzPSSClick", kStabilizerMenu, "Dobierz nastawy…", "", call<&Session::DobierzPSSClick>()),
        windowItem("StrojeniePSSClick", kStabilizerMenu, "Strojenie PSS"),
        item("O1Click", kComputeMenu, "Rozwiązanie Równań Stanu", "F10",
             [](Session& s, SolveObserver* observer) { s.O1Click(observer); }),
        item("Obliczeniecalkicieplnej1Click", kComputeMenu, "Obliczenie Calki Cieplnej Prądu Wirnika", "",
             call<&Session::Obliczeniecalkicieplnej1Click>()),
        windowItem("AnalizaModalnaClick", kComputeMenu, "Analiza modalna"),
        item("ZachowajPrzebiegClick", kCompareMenu, "Zachowaj przebieg", "", call<&Session::ZachowajPrzebiegClick>()),
        item("UsunPorownaniaClick", kCompareMenu, "Usuń porównania", "", call<&Session::UsunPorownaniaClick>()),
        windowItem("LegendaClick", kCompareMenu, "Legenda"),
        windowItem("KoloryRozroznialneClick", kCompareMenu, "Kolory rozróżnialne"),
        windowItem("Poka1Click", kSchematicsMenu, "Schemat Sieci "),
        windowItem("PokazDQcircuits", kSchematicsMenu, "Schemat d-q"),
        windowItem("SchematStabilizatorClick", kSchematicsMenu, "Schemat PSS2A"),
        windowItem("ZapiszPrzypadekClick", kSaveMenu, "Zapisz przypadek…", "Ctrl+S"),
        windowItem("Gdzie1Click", kSaveMenu, "Gdzie zapisac wykres ?"),
        windowItem("Gdzie2Click", kSaveMenu, "Gdzie zapisac formularz / Enh ?"),
        windowItem("SavePictureClick", kSaveMenu, "Wykres jako PNG, SVG lub PDF ..."),
        windowItem("SaveResultsClick", kSaveMenu, "Wyniki obliczeń (CSV) ..."),
        windowItem("SaveChartDataClick", kSaveMenu, "Przebiegi z wykresu (CSV) ..."),
        windowItem("ZapiszDyrClick", kSaveMenu, "Maszyna jako .dyr…"),
        {"Koniec", Placement::MenuBar, nullptr, "Koniec", "Del", {}, {}},
        {"Stale_PSS", Placement::Button, nullptr, nullptr, "", call<&Session::Stale_PSS>(), {}},
        {"Przelacz_DaneAkt_Wykres", Placement::Button, nullptr, nullptr, "",
         call<&Session::Przelacz_DaneAkt_Wykres>(), {}},
    });
    // clang-format on
    return commands;
}

}  // namespace

const std::vector<Command> kCommands = buildCommands();

const Command* findCommand(std::string_view handler) {
    for (const Command& command : kCommands)
        if (handler == command.handler) return &command;
    return nullptr;
}

std::vector<std::string_view> menuBarOrder() {
    std::vector<std::string_view> order;
    for (const Command& command : kCommands) {
        if (command.placement == Placement::Button) continue;
        const std::string_view menu = command.placement == Placement::MenuItem ? command.menu : command.caption;
        bool known = false;
        for (std::string_view seen : order) known = known || seen == menu;
        if (!known) order.push_back(menu);
    }
    return order;
}

}  // namespace tgsim
