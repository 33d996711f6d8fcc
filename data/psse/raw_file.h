#pragma once
// Network data files (.raw, versions 32 to 35): what the import of a machine takes from them —
// the case's base power and frequency, the buses' base voltages, the generators' machine bases,
// armature resistances and step-up transformer reactances, and the two-winding transformers'
// reactances. Reading stops after the transformer data.
#include <optional>
#include <string>
#include <vector>

#include "dyr_file.h"

namespace tgsim::psse {

struct RawBus {
    long number = 0;
    double baseKv = 0.0;  // BASKV
    int line = 0;
};

struct RawGenerator {
    MachineKey key;
    double mbase = 0.0;  // MVA
    double zr = 0.0;     // armature resistance, per unit on MBASE
    double xt = 0.0;     // step-up transformer reactance, per unit on MBASE (0: none in the record)
    int line = 0;
};

// A two-winding transformer (K = 0).
struct RawTransformer {
    long from = 0, to = 0;
    int cz = 1;               // 1: on SBASE, 2: on its winding base, 3: X the impedance magnitude, R the load loss in W
    double r = 0.0, x = 0.0;  // R1-2, X1-2
    double windingBase = 0.0;  // SBASE1-2, MVA
    int line = 0;
};

struct NetworkCase {
    std::string name;  // as given, for messages
    int version = 0;
    double sbase = 0.0;                   // MVA
    std::optional<double> baseFrequency;  // Hz, where the file gives it
    std::vector<RawBus> buses;
    std::vector<RawGenerator> generators;
    std::vector<RawTransformer> transformers;

    const RawBus* bus(long number) const;
    const RawGenerator* generator(const MachineKey& key) const;
    // The two-winding transformers with a winding at the bus.
    std::vector<const RawTransformer*> transformersAt(long bus) const;
};

// The transformer's reactance per unit on `mbase` (MVA).
double reactanceOnMachineBase(const RawTransformer& transformer, double sbase, double mbase);

// Throws Failure "FILE:LINE: ..." for a version other than 32 to 35, a number field that holds
// text, or a file that ends inside the data read.
NetworkCase parseRaw(const std::vector<std::string>& lines, const std::string& name);
NetworkCase readRawFile(const std::string& name);

}  // namespace tgsim::psse
