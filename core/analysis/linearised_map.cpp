#include "linearised_map.h"

namespace tgsim {

Eigen::MatrixXd centralDifferences(const FlatMap& map, const Eigen::VectorXd& x0, const Eigen::VectorXd& magnitude,
                                   double share) {
    const Eigen::Index n = x0.size();
    Eigen::MatrixXd J;
    for (Eigen::Index k = 0; k < n; ++k) {
        Eigen::VectorXd plus = x0, minus = x0;
        plus[k] = x0[k] + share * magnitude[k];
        minus[k] = x0[k] - share * magnitude[k];
        const Eigen::VectorXd column = (map(plus) - map(minus)) / (plus[k] - minus[k]);
        if (k == 0) J.resize(column.size(), n);
        J.col(k) = column;
    }
    return J;
}

}  // namespace tgsim
