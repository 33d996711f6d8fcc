#pragma once
// The result matrix of one run: N + 1 rows of the 21-element state vector, contiguous, allocated
// once per run. Rows past the last stored one are not part of the result (a run that ends in a
// fault keeps the rows stored before it).
#include <cstddef>
#include <limits>
#include <memory>
#include <span>

#include "core/model/parameter_record.h"

namespace tgsim {

class ResultMatrix {
public:
    using Row = std::span<const double, kStateSize>;

    // Allocates `rows` rows and forgets every stored row.
    void reset(std::size_t rows) {
        data_.reset(new double[rows * kStateSize]);
        capacity_ = rows;
        stored_ = 0;
        largest_ = std::numeric_limits<double>::infinity();
    }
    std::size_t capacity() const { return capacity_; }
    std::size_t storedRows() const { return stored_; }
    bool empty() const { return stored_ == 0; }

    Row row(std::size_t i) const { return Row(data_.get() + i * kStateSize, kStateSize); }
    double* rowData(std::size_t i) { return data_.get() + i * kStateSize; }
    // Rows 0 .. count - 1 hold results.
    void setStoredRows(std::size_t count) { stored_ = count; }

    // Not below the magnitude of any stored value (infinity when unknown): kept by the
    // integrator as it stores the rows, so that a check of quantities formed from them can
    // tell without reading them again that none can overflow.
    double largestMagnitude() const { return largest_; }
    void setLargestMagnitude(double largest) { largest_ = largest; }

private:
    std::unique_ptr<double[]> data_;
    std::size_t capacity_ = 0;
    std::size_t stored_ = 0;
    double largest_ = std::numeric_limits<double>::infinity();
};

}  // namespace tgsim
