#include "commands.h"

namespace tgsim {

#define TGSIM_COMMAND(name) Command{#name, [](Session& s, SolveObserver*) { s.name(); }}

const std::array<Command, 27> kCommands = {
    TGSIM_COMMAND(G1Click),
    TGSIM_COMMAND(G2Click),
    TGSIM_COMMAND(G3Click),
    TGSIM_COMMAND(G4Click),
    TGSIM_COMMAND(G5Click),
    TGSIM_COMMAND(G6Click),
    TGSIM_COMMAND(war_zeroweClick),
    TGSIM_COMMAND(war_koncowClick),
    TGSIM_COMMAND(war_nominalneClick),
    TGSIM_COMMAND(Warunkizadane1Click),
    TGSIM_COMMAND(Softstart1Click),
    TGSIM_COMMAND(Synchroniz1Click),
    TGSIM_COMMAND(ZabwAutom1Click),
    TGSIM_COMMAND(Zwarcie1Click),
    TGSIM_COMMAND(Pracawsieci1Click),
    TGSIM_COMMAND(ZrzutQ1Click),
    TGSIM_COMMAND(TestPSS1Click),
    TGSIM_COMMAND(Klasyczny1Click),
    TGSIM_COMMAND(Canaya1Click),
    TGSIM_COMMAND(PSS2A_1Click),
    TGSIM_COMMAND(PSS2A_2Click),
    TGSIM_COMMAND(PSS2A_3Click),
    TGSIM_COMMAND(PSS1wejsciowy1Click),
    TGSIM_COMMAND(Stale_PSS),
    Command{"O1Click", [](Session& s, SolveObserver* observer) { s.O1Click(observer); }},
    TGSIM_COMMAND(Obliczeniecalkicieplnej1Click),
    TGSIM_COMMAND(Przelacz_DaneAkt_Wykres),
};

#undef TGSIM_COMMAND

const Command* findCommand(std::string_view name) {
    for (const Command& command : kCommands)
        if (name == command.name) return &command;
    return nullptr;
}

}  // namespace tgsim
