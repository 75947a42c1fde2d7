// The direct sparse solve both head schemes share: one LDLT factorisation (Eigen's simplicial
// LDLT, AMD ordering) of a symmetric positive definite matrix, then iterative refinement with
// the same factor.
//
// Assumes: `a` symmetric positive definite (both triangles stored; the lower one is read).
//
// Holds on return: x solves a x = b, its residual (summed in long double, or the caller's own of
// the exact operator) reduced by one refinement step and then until it stops shrinking (at most
// MostRefinements steps): graded grids over soils decades apart in k make the plain solve lose up
// to 1e-2 of the flux balance, the refinement brings it back to rounding. Throws
// std::runtime_error when the factorisation fails.
#pragma once

#include <Eigen/SparseCholesky>
#include <Eigen/SparseCore>

#include <algorithm>
#include <functional>
#include <limits>
#include <stdexcept>
#include <vector>

namespace verrask::sectionmodel {

inline constexpr int MostRefinements = 3; // each costs two triangular solves; two suffice
// Two or three steps reach the resolution below, even for soils 1e7 apart; each costs two
// triangular solves.
inline constexpr int MostExtendedRefinements = 12;
// A correction below this share of the largest head no longer moves a long double head (64-bit
// significand: 5.4e-20) by more than a few units in its last place.
inline constexpr long double ExtendedResolution = 1e-18L;

// b - a x, summed in long double (64-bit significand on the x86-64 targets): rows where large
// conductances meet small net fluxes (a thin pervious layer between clays) cancel to far below
// their terms' size.
inline Eigen::VectorXd Residual(const Eigen::SparseMatrix<double>& a, const Eigen::VectorXd& b,
                                const Eigen::VectorXd& x) {
    std::vector<long double> sum(static_cast<std::size_t>(b.size()));
    for (Eigen::Index i = 0; i < b.size(); ++i) sum[static_cast<std::size_t>(i)] = b[i];
    for (Eigen::Index k = 0; k < a.outerSize(); ++k)
        for (Eigen::SparseMatrix<double>::InnerIterator it(a, k); it; ++it)
            sum[static_cast<std::size_t>(it.row())] -=
                static_cast<long double>(it.value()) * static_cast<long double>(x[it.col()]);
    Eigen::VectorXd r(b.size());
    for (Eigen::Index i = 0; i < b.size(); ++i)
        r[i] = static_cast<double>(sum[static_cast<std::size_t>(i)]);
    return r;
}

// x with `residual(x)` (b - A x of the operator the matrix was assembled from) driven down with
// the matrix's factor. A caller that knows its operator exactly (the finite volumes' faces)
// gives its own residual: the assembled diagonal, a rounded sum, is not exactly the negative sum
// of its row, and that difference times the head acts as a source in every cell.
inline Eigen::VectorXd
SolveRefined(const Eigen::SparseMatrix<double>& a, const Eigen::VectorXd& b,
             const std::function<Eigen::VectorXd(const Eigen::VectorXd&)>& residual = {}) {
    if (a.rows() == 0) return b;
    const Eigen::SimplicialLDLT<Eigen::SparseMatrix<double>> ldlt(a);
    if (ldlt.info() != Eigen::Success) throw std::runtime_error("the head system is singular");
    const auto remainder = [&](const Eigen::VectorXd& x) {
        return residual ? residual(x) : Residual(a, b, x);
    };
    Eigen::VectorXd x = ldlt.solve(b);
    Eigen::VectorXd r = remainder(x);
    double last = r.norm();
    for (int step = 0; step < MostRefinements && last > 0; ++step) {
        const Eigen::VectorXd next = x + ldlt.solve(r);
        const Eigen::VectorXd nextResidual = remainder(next);
        const double norm = nextResidual.norm();
        // The first step always: where the residual's norm is down to rounding noise in the
        // large rows, that step still corrects what the rows leave summed (the flux balance).
        if (step > 0 && !(norm < last)) break;
        x = next;
        r = nextResidual;
        last = norm;
    }
    return x;
}

// The same with the solution kept in long double: each correction, solved in double, is added
// to a long double solution and the caller's residual is taken of that. The heads then carry
// about three more digits than double holds, which the fluxes through the most pervious soils
// need: there a head's last double digit, times a conductance decades above the rest, outweighs
// the flow the clays let through. Corrections are added until they no longer move the solution
// beyond long double's resolution (at most MostExtendedRefinements): on soils 1e7 apart each one
// gains only a few digits, and the residual's norm, ruled by the pervious rows, stops shrinking
// before the flux balance, which the clays' rows decide, is reached.
inline std::vector<long double> SolveRefinedExtended(
    const Eigen::SparseMatrix<double>& a, const Eigen::VectorXd& b,
    const std::function<Eigen::VectorXd(const std::vector<long double>&)>& residual) {
    const auto size = static_cast<std::size_t>(b.size());
    std::vector<long double> x(size);
    if (a.rows() == 0) return x;
    const Eigen::SimplicialLDLT<Eigen::SparseMatrix<double>> ldlt(a);
    if (ldlt.info() != Eigen::Success) throw std::runtime_error("the head system is singular");
    const Eigen::VectorXd first = ldlt.solve(b);
    if (!first.allFinite()) throw std::runtime_error("the head system is singular");
    for (std::size_t k = 0; k < size; ++k) x[k] = first[static_cast<Eigen::Index>(k)];
    const long double scale = std::max(first.lpNorm<Eigen::Infinity>(), 1e-300);
    double last = std::numeric_limits<double>::infinity();
    for (int step = 0; step < MostExtendedRefinements; ++step) {
        const Eigen::VectorXd d = ldlt.solve(residual(x));
        const double correction = d.lpNorm<Eigen::Infinity>();
        // A correction that does not shrink is rounding noise (or the start of a divergence):
        // the solution as it stands is the best there is.
        if (!d.allFinite() || !(correction < last)) break;
        for (std::size_t k = 0; k < size; ++k) x[k] += d[static_cast<Eigen::Index>(k)];
        if (correction <= ExtendedResolution * scale) break;
        last = correction;
    }
    return x;
}

} // namespace verrask::sectionmodel
