#pragma once
// The linearisation every analysis of an operating point is built on: the derivative of a map of
// flat vectors (the discrete state of a run, a stabilizer's memory, with inputs appended) by
// central differences.
#include <Eigen/Dense>
#include <functional>

namespace tgsim {

// The instant an operating point is analysed at, in steps after the run's start: far past the
// regulator's hold at the start of a run.
inline constexpr double kStepsAfterStart = 1000.0;

using FlatMap = std::function<Eigen::VectorXd(const Eigen::VectorXd&)>;

// The Jacobian of `map` at x0: element k stepped up and down by share*magnitude[k]. The step
// taken is the difference of the two perturbed values (rounding may make it differ from
// 2*share*magnitude[k]).
Eigen::MatrixXd centralDifferences(const FlatMap& map, const Eigen::VectorXd& x0, const Eigen::VectorXd& magnitude,
                                   double share);

}  // namespace tgsim
