#include "fault_cells.h"

#include <optional>
#include <vector>

namespace tgsim {
namespace {

using Field = double TParametry::*;

// A divisor: zero when its field is zero or, with a second field, when the two are equal (their
// difference divides). Each stands for the divisors of the formulas that it makes zero.
struct Divisor {
    Field a;
    Field b = nullptr;
};

// What a conversion divides by, in the order it does, and what it reads.
struct ConversionFields {
    std::span<const Divisor> divisors;
    std::span<const Field> reads;
};

#define F(name) &TParametry::name

// clang-format off
constexpr Divisor kBaseDivisors[] = {{F(Ign)}, {F(fn)}, {F(spr)}};
constexpr Field kBaseReads[] = {F(Un), F(Ign), F(fn), F(Sn), F(cosfin), F(p), F(spr)};

// The inductance matrices of both models are singular when the impedance base is zero.
constexpr Divisor kClassicalDivisors[] = {
    {F(Td01)}, {F(Xd), F(Xd1)}, {F(Td02)}, {F(Xd1), F(Xd2)},
    {F(Tq01)}, {F(Xq), F(Xq1)}, {F(Tq02)}, {F(Xq1), F(Xq2)}, {F(Un)}};
constexpr Divisor kCanayDivisors[] = {
    {F(Xd), F(Xc)}, {F(Xd)}, {F(Xd1)}, {F(Xd1), F(Xd2)}, {F(Xd), F(Xd1)}, {F(Xd2)}, {F(Td01)}, {F(Td02)},
    {F(Xq), F(Xq1)}, {F(Xq1), F(Xq2)}, {F(Tq01)}, {F(Tq02)}, {F(Un)}};
constexpr Field kClassicalReads[] = {F(Un), F(Ign), F(fn), F(Xd), F(Xq), F(Xd1), F(Xq1), F(Xd2), F(Xq2),
                                     F(Xs), F(Td01), F(Tq01), F(Td02), F(Tq02), F(Xtr)};
constexpr Field kCanayReads[] = {F(Un), F(Ign), F(fn), F(Xc), F(Xd), F(Xq), F(Xd1), F(Xq1), F(Xd2), F(Xq2),
                                 F(Xs), F(Td01), F(Tq01), F(Td02), F(Tq02), F(Xtr)};

// The companion matrices divide by the leading coefficients, the products of the denominators'
// time constants (and, single-input, of the numerator's).
constexpr Divisor kPss2aDivisors[] = {{F(T2)}, {F(T4)}, {F(T6)}, {F(T9)}, {F(Tw1)}, {F(Tw2)},
                                      {F(T7)}, {F(Tw3)}, {F(Tw4)}};
constexpr Field kPss2aReads[] = {F(T1), F(T2), F(T3), F(T4), F(T6), F(T7), F(T8), F(T9),
                                 F(Tw1), F(Tw2), F(Tw3), F(Tw4)};
constexpr Divisor kSingleInputDivisors[] = {{F(T0)}, {F(T1)}, {F(T3)}, {F(T5)}, {F(T2)}, {F(T4)}};
constexpr Field kSingleInputReads[] = {F(T0), F(T1), F(T2), F(T3), F(T4), F(T5)};

constexpr Divisor kRatedPointDivisors[] = {{F(cosfin)}};
constexpr Field kRatedPointReads[] = {F(cosfin), F(Xd), F(Xq)};
// clang-format on

#undef F

// The divisors of the initial state's scales, taken from its table.
std::vector<Divisor> initialStateDivisors() {
    std::vector<Divisor> divisors;
    for (const GridColumn& c : kInitialTable)
        if (c.scale.over) divisors.push_back({c.scale.over});
    return divisors;
}

ConversionFields fieldsOf(Conversion conversion, const TParametry& r) {
    switch (conversion) {
    case Conversion::Bases: return {kBaseDivisors, kBaseReads};
    case Conversion::InitialState: {
        static const std::vector<Divisor> divisors = initialStateDivisors();
        return {divisors, {}};
    }
    case Conversion::Stabilizer:
        if (r.pssOrder == kPss2aOrder) return {kPss2aDivisors, kPss2aReads};
        if (r.pssOrder == kSingleInputOrder) return {kSingleInputDivisors, kSingleInputReads};
        return {};
    case Conversion::RotorCircuits:
        if (r.model == RotorModel::Klasyczny) return {kClassicalDivisors, kClassicalReads};
        if (r.model == RotorModel::Canaya) return {kCanayDivisors, kCanayReads};
        return {};
    case Conversion::RatedPoint: return {kRatedPointDivisors, kRatedPointReads};
    }
    return {};
}

struct Cell {
    GridId grid;
    int column;
    bool operator==(const Cell&) const = default;
};

// The cell a field of the record is read from.
std::optional<Cell> cellOf(Field field, const TParametry& r) {
    for (const GridId grid : {GridId::siatka, GridId::siatkaPraca, GridId::Siatka_PSS})
        if (const int column = columnOf(columnTable(grid, r.pssOrder), field); column >= 0) return Cell{grid, column};
    return std::nullopt;
}

// The line's items: cells and pairs of equal cells, each cell named once.
class CellList {
public:
    explicit CellList(const GridRead& read) : read_(read) {}

    void add(Cell cell) {
        if (named(cell)) return;
        named_.push_back(cell);
        separate();
        text_ += valued(cell);
    }

    void addField(Field field) {
        if (const std::optional<Cell> cell = cellOf(field, read_.record)) add(*cell);
    }

    // A divisor that is zero; one whose cells are all named already adds nothing.
    void addZero(const Divisor& d) {
        const TParametry& r = read_.record;
        const std::optional<Cell> a = cellOf(d.a, r);
        if (!a) return;
        if (!d.b) {
            if (r.*d.a == 0.0) add(*a);
            return;
        }
        const std::optional<Cell> b = cellOf(d.b, r);
        if (!b || r.*d.a != r.*d.b || (named(*a) && named(*b))) return;
        named_.insert(named_.end(), {*a, *b});
        separate();
        text_ += valued(*a) + " equal to " + valued(*b);
    }

    bool empty() const { return named_.empty(); }
    const std::string& text() const { return text_; }

private:
    bool named(Cell cell) const {
        for (const Cell& c : named_)
            if (c == cell) return true;
        return false;
    }
    void separate() {
        if (!text_.empty()) text_ += ", ";
    }
    std::string valued(Cell cell) const {
        return cellName(cell.grid, cell.column, read_.record.pssOrder) + " = " +
               read_.grids.byId(cell.grid).cell(cell.column, 1);
    }

    const GridRead& read_;
    std::vector<Cell> named_;
    std::string text_;
};

bool isFpFault(const Failure& failure) {
    const std::string_view message = failure.what();
    return message == kDivisionByZero || message == kOverflow || message == kInvalidOperation;
}

// The zero divisors of `failing` and of the conversions after it in the read (the stabilizer's
// only when it is the one that failed: the machine's cells are what a data set gets wrong).
void addZeroDivisors(CellList& cells, const GridRead& read, Conversion failing) {
    bool reached = false;
    for (const Conversion conversion : read.conversions) {
        reached = reached || conversion == failing;
        if (!reached || (conversion == Conversion::Stabilizer && conversion != failing)) continue;
        for (const Divisor& d : fieldsOf(conversion, read.record).divisors) cells.addZero(d);
    }
}

std::string withLine(const Failure& failure, const CellList& zeroDivisors, const CellList& reads) {
    if (!zeroDivisors.empty())
        return std::string(failure.what()) + "\nCells that make a divisor zero: " + zeroDivisors.text();
    if (!reads.empty()) return std::string(failure.what()) + "\nCells the failing formula read: " + reads.text();
    return failure.what();
}

}  // namespace

std::string withFaultCells(const Failure& failure, const GridRead& read, Conversion failing) {
    if (!isFpFault(failure)) return failure.what();
    CellList zeroDivisors(read), reads(read);
    addZeroDivisors(zeroDivisors, read, failing);
    if (zeroDivisors.empty())
        for (const Field field : fieldsOf(failing, read.record).reads) reads.addField(field);
    return withLine(failure, zeroDivisors, reads);
}

std::string withFaultCells(const Failure& failure, const GridRead& read, GridId grid, const GridColumn& column) {
    if (!isFpFault(failure)) return failure.what();
    CellList zeroDivisors(read), reads(read);
    if (column.scale.over && read.record.*column.scale.over == 0.0) {
        zeroDivisors.addField(column.scale.over);
        if (grid == GridId::war_pocz) addZeroDivisors(zeroDivisors, read, Conversion::InitialState);
    } else {
        reads.add({grid, column.column});
        if (column.scale.times) reads.addField(column.scale.times);
        if (column.scale.over) reads.addField(column.scale.over);
    }
    return withLine(failure, zeroDivisors, reads);
}

}  // namespace tgsim
