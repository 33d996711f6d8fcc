// Every cell of every built-in data set against a table written in the layout of the data
// sheets (one line per column), independent of the program's own tables.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "data/generator_sets.h"
#include "data/pss_sets.h"

namespace tgsim {
namespace {

struct ColumnHeader {
    int column;
    const char* header;
};
// clang-format off
const ColumnHeader kSheetHeaders[] = {
    {0, "K [-]"},
    {1, "TI [s]"},
    {2, "TD [s]"},
    {3, "Twz1 [s]"},
    {4, "Twz2 [s]"},
    {5, "kF [-]"},
    {6, "WzbSt"},
    {7, "Xtr [-]"},
    {8, "Generator -->"},
    {10, "Sn[MVA]"},
    {11, "Un [kV]"},
    {12, "Ign [A]"},
    {13, "cosfin"},
    {14, "Uwn [V]"},
    {15, "Iwn [A]"},
    {16, "fn [Hz]"},
    {17, "p"},
    {18, "Xc"},
    {19, "Xd [-]"},
    {20, "Xq [-]"},
    {21, "Xd` [-]"},
    {22, "Xq` [-]"},
    {23, "Xd\" [-]"},
    {24, "Xq\" [-]"},
    {25, "Xs  [-]"},
    {26, "Td0` [s]"},
    {27, "Tq0` [s]"},
    {28, "Td0\" [s]"},
    {29, "Tq0\" [s]"},
    {30, "R [-]"},
    {31, "Iwo [A]"},
    {32, "Iwz [A]"},
    {33, "cw [V/A]"},
    {34, "ksi [-]"},
    {35, "J [kgm2]"},
    {36, "D [Js/rad]"},
    {37, "spr [-]"},
};
// clang-format on

struct SheetColumn {
    int column;
    std::array<const char*, 6> sets;
};
// clang-format off
const SheetColumn kSheet[] = {
    {0, {"10", "300", "8,0", "8", "8,0", "8,0"}},
    {1, {"3,0", "0,6", "3", "3", "3", "3"}},
    {2, {"0,00", "0", "0", "0,00", "0", "0"}},
    {3, {"0,1", "0,10", "0,10", "0,1", "0,10", "0,10"}},
    {4, {"0,2", "0,02", "2,0", "0,01", "0,02", "0,02"}},
    {5, {"1,6", "1,6", "1,0", "1,8", "1,0", "1,0"}},
    {6, {"NIE", "TAK", "NIE", "TAK", "NIE", "TAK"}},
    {7, {"0,15", "0,00", "0,00", "0,15", "0,00", "0,00"}},
    {8, {"Dol. Odra 7,8", "Turow 1,2,3", "Skawina bl.5", "GTHW-560 MW", "Wroc. GTH-125", "Konin  WX18Z"}},
    {10, {"270", "282,4", "117,5", "658,8", "147,06", "81,75"}},
    {11, {"15,75", "15,75", "13,8", "20,0", "13,8", "10,5"}},
    {12, {"8625", "10352", "4925", "19019", "6153", "4495"}},
    {13, {"0,85", "0,85", "0,85", "0,85", "0,85", "0,80"}},
    {14, {"330", "619", "319", "525", "268", "226"}},
    {15, {"2435", "1757", "648", "3420", "1855", "1159"}},
    {16, {"50", "50", "50", "50", "50", "50"}},
    {17, {"1", "1", "1", "1", "1", "1"}},
    {18, {"0,1", "0,00", "0,00", "0,00", "0,00", "0,00"}},
    {19, {"2,48", "2,05", "1,803", "2,918", "2,11", "2,07"}},
    {20, {"2,48", "1,996", "1,727", "2,84", "1,974", "1,936"}},
    {21, {"0,27", "0,3", "0,203", "0,423", "0,255", "0,240"}},
    {22, {"0,43", "0,475", "0,309", "0,676", "0,000", "0,40"}},
    {23, {"0,18", "0,227", "0,138", "0,253", "0,181", "0,189"}},
    {24, {"0,22", "0,237", "0,144", "0,265", "0,000", "0,200"}},
    {25, {"0,139", "0,2", "0,113", "0,228", "0,136", "0,169"}},
    {26, {"7", "5,718", "13", "11,19", "6,85", "6,824"}},
    {27, {"0,79", "1,3", "1,3", "2,13", "0,0", "0,859"}},
    {28, {"0,15", "0,38", "0,038", "0,059", "0,000", "0,022"}},
    {29, {"0,053", "0,055", "0,055", "0,090", "0,000", "0,036"}},
    {30, {"0,0015", "0,000749", "0,1096", "0,0011479", "0,1290", "0,00119"}},
    {31, {"766", "626", "245", "942", "678", "409"}},
    {32, {"1900", "1206", "658", "2525,5", "0000", "1100"}},
    {33, {"0,0789", "0,243", "0,1525", "0,08415", "0,0000", "0,0810"}},
    {34, {"0,114", "0,062", "0,192", "0,07762", "0,000", "0,111"}},
    {35, {"6100", "6100", "6100", "10000", "12460", "1970"}},
    {36, {"22,0", "0", "0,0", "0,0", "0,0", "0,0"}},
    {37, {"0,945", "0,945", "0,945", "0,9882", "0,945", "0,945"}},
};
// clang-format on

TEST(GeneratorSets, EveryCellOfEverySetIsWrittenExactly) {
    for (int set = 1; set <= 6; ++set) {
        TextGrid siatka("siatka", kGeneratorGridColumns);
        Generator(set, siatka);
        for (const ColumnHeader& h : kSheetHeaders) EXPECT_EQ(siatka.cell(h.column, 0), h.header) << h.column;
        for (const SheetColumn& c : kSheet)
            EXPECT_EQ(siatka.cell(c.column, 1), c.sets[set - 1]) << "set " << set << " column " << c.column;
        for (int unused : {9, 38, 39}) {
            EXPECT_EQ(siatka.cell(unused, 0), "");
            EXPECT_EQ(siatka.cell(unused, 1), "");
        }
    }
}

TEST(GeneratorSets, LoadingReplacesEditsAndEveryCellOfTheLastSet) {
    TextGrid siatka("siatka", kGeneratorGridColumns);
    Generator(1, siatka);
    siatka.setCell(19, 1, "9,99");
    Generator(5, siatka);
    EXPECT_EQ(siatka.cell(19, 1), "2,11");
    EXPECT_EQ(siatka.cell(32, 1), "0000");
    Generator(1, siatka);
    EXPECT_EQ(siatka.cell(19, 1), "2,48");
}

struct PssSheetColumn {
    int column;
    const char* header;
    std::array<const char*, 3> sets;
};
// clang-format off
const PssSheetColumn kPssSheet[] = {
    {0, "T1 [s]", {"0,05", "5", "0,05"}},
    {1, "T2 [s]", {"0,02", "0,04", "0,02"}},
    {2, "T3 [s]", {"0,05", "2,88", "0,05"}},
    {3, "T4 [s]", {"0,02", "0,12", "0,02"}},
    {4, "T5 [s]", {"0", "0", "0"}},
    {5, "T6 [s]", {"0,005", "0,005", "0,005"}},
    {6, "T7 [s]", {"0,005", "5", "0,005"}},
    {7, "T8 [s]", {"0,30", "0", "1,0"}},
    {8, "T9 [s]", {"0,10", "0,1", "0,1"}},
    {9, "Tw1 [s]", {"15", "5", "15"}},
    {10, "Tw2 [s]", {"15", "5", "15"}},
    {11, "Tw3 [s]", {"15", "5", "15"}},
    {12, "Tw4 [s]", {"15", "5", "15"}},
    {13, "ks1 [-]", {"1", "10", "3"}},
    {14, "ks2 [-]", {"1", "0,41", "1"}},
    {15, "ks3 [-]", {"1", "1", "1"}},
    {16, "kw [-]", {"2", "2", "2"}},
};
// clang-format on

struct SingleInputColumn {
    int column;
    const char* header;
    const char* value;
};
// clang-format off
const SingleInputColumn kSingleInputSheet[] = {
    {0, "T0 [s]", "2,0"},
    {1, "T1 [s]", "2,0"},
    {2, "T2 [s]", "0,4"},
    {3, "T3 [s]", "1,0"},
    {4, "T4 [s]", "0,1"},
    {5, "T5 [s]", "0,05"},
    {6, "kw [-]", "150"},
};
// clang-format on

TEST(StabilizerSets, Pss2aSetsFillColumnsZeroToSixteenOfTwentyFive) {
    for (int set = 1; set <= 3; ++set) {
        TextGrid grid("Siatka_PSS", 25);
        PSS_klas_1(grid);
        EXPECT_EQ(PSS2A(set, grid), 9);
        EXPECT_EQ(grid.columnCount(), 25);
        for (const PssSheetColumn& c : kPssSheet) {
            EXPECT_EQ(grid.cell(c.column, 0), c.header);
            EXPECT_EQ(grid.cell(c.column, 1), c.sets[set - 1]) << "set " << set << " column " << c.column;
        }
        for (int column = 17; column < 25; ++column) EXPECT_EQ(grid.cell(column, 1), "");
    }
}

TEST(StabilizerSets, SingleInputSetCutsTheGridToSevenColumns) {
    TextGrid grid("Siatka_PSS", 25);
    PSS2A(1, grid);
    EXPECT_EQ(PSS_klas_1(grid), 4);
    EXPECT_EQ(grid.columnCount(), 7);
    for (const SingleInputColumn& c : kSingleInputSheet) {
        EXPECT_EQ(grid.cell(c.column, 0), c.header);
        EXPECT_EQ(grid.cell(c.column, 1), c.value);
    }
    PSS2A(2, grid);
    EXPECT_EQ(grid.cell(7, 1), "0");  // T8 of set "PSS 2A - Tur."
    EXPECT_EQ(grid.cell(20, 1), "");
}

}  // namespace
}  // namespace tgsim
