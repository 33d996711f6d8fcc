#include "generator_sets.h"

#include "grid_columns.h"

namespace tgsim {

// Columns:  K      TI     TD      Twz1    Twz2    kF     WzbSt  Xtr     name               9
//           Sn        Un       Ign      cosfin  Uwn    Iwn     fn    p    Xc
//           Xd       Xq       Xd1      Xq1      Xd2      Xq2      Xs
//           Td01     Tq01     Td02     Tq02     R
//           Iwo    Iwz      cw        ksi        J        D      spr      38  39
// clang-format off
const std::array<GeneratorSet, kGeneratorSetCount> kGeneratorSets = {{
    {"Dolna Odra      bl. 7, 8",
     {"10", "3,0", "0,00", "0,1", "0,2", "1,6", "NIE", "0,15", "Dol. Odra 7,8", "",
      "270", "15,75", "8625", "0,85", "330", "2435", "50", "1", "0,1",
      "2,48", "2,48", "0,27", "0,43", "0,18", "0,22", "0,139",
      "7", "0,79", "0,15", "0,053", "0,0015",
      "766", "1900", "0,0789", "0,114", "6100", "22,0", "0,945", "", ""}},
    {"Turów              bl. 1,2,3",
     {"300", "0,6", "0", "0,10", "0,02", "1,6", "TAK", "0,00", "Turow 1,2,3", "",
      "282,4", "15,75", "10352", "0,85", "619", "1757", "50", "1", "0,00",
      "2,05", "1,996", "0,3", "0,475", "0,227", "0,237", "0,2",
      "5,718", "1,3", "0,38", "0,055", "0,000749",
      "626", "1206", "0,243", "0,062", "6100", "0", "0,945", "", ""}},
    {"Skawina           bl. 5",
     {"8,0", "3", "0", "0,10", "2,0", "1,0", "NIE", "0,00", "Skawina bl.5", "",
      "117,5", "13,8", "4925", "0,85", "319", "648", "50", "1", "0,00",
      "1,803", "1,727", "0,203", "0,309", "0,138", "0,144", "0,113",
      "13", "1,3", "0,038", "0,055", "0,1096",
      "245", "658", "0,1525", "0,192", "6100", "0,0", "0,945", "", ""}},
    {"Kozienice         bl. 9",
     {"8", "3", "0,00", "0,1", "0,01", "1,8", "TAK", "0,15", "GTHW-560 MW", "",
      "658,8", "20,0", "19019", "0,85", "525", "3420", "50", "1", "0,00",
      "2,918", "2,84", "0,423", "0,676", "0,253", "0,265", "0,228",
      "11,19", "2,13", "0,059", "0,090", "0,0011479",
      "942", "2525,5", "0,08415", "0,07762", "10000", "0,0", "0,9882", "", ""}},
    {"Wroclaw",
     {"8,0", "3", "0", "0,10", "0,02", "1,0", "NIE", "0,00", "Wroc. GTH-125", "",
      "147,06", "13,8", "6153", "0,85", "268", "1855", "50", "1", "0,00",
      "2,11", "1,974", "0,255", "0,000", "0,181", "0,000", "0,136",
      "6,85", "0,0", "0,000", "0,000", "0,1290",
      "678", "0000", "0,0000", "0,000", "12460", "0,0", "0,945", "", ""}},
    {"Konin",
     {"8,0", "3", "0", "0,10", "0,02", "1,0", "TAK", "0,00", "Konin  WX18Z", "",
      "81,75", "10,5", "4495", "0,80", "226", "1159", "50", "1", "0,00",
      "2,07", "1,936", "0,240", "0,40", "0,189", "0,200", "0,169",
      "6,824", "0,859", "0,022", "0,036", "0,00119",
      "409", "1100", "0,0810", "0,111", "1970", "0,0", "0,945", "", ""}},
}};
// clang-format on

const GeneratorSet* findGeneratorSet(std::string_view menuCaption) {
    for (const GeneratorSet& set : kGeneratorSets)
        if (menuCaption == set.menuCaption) return &set;
    return nullptr;
}

void Generator(int number, TextGrid& siatka) {
    if (number >= 1 && number <= kGeneratorSetCount)
        writeGeneratorSet(kGeneratorSets[static_cast<std::size_t>(number - 1)], siatka);
}

void writeGeneratorSet(const GeneratorSet& set, TextGrid& siatka) {
    writeHeaders(siatka, kGeneratorTable);
    for (const GridColumn& c : kGeneratorTable)
        siatka.setCell(c.column, 1, set.values[static_cast<std::size_t>(c.column)]);
}

}  // namespace tgsim
