// The direct sparse solve both head schemes share: one LDLT factorisation (Eigen's simplicial
// LDLT, AMD ordering) of a symmetric positive definite matrix, then iterative refinement with
// the same factor.
//
// Assumes: `a` symmetric positive definite (both triangles stored; the lower one is read).
//
// Holds on return: x solves a x = b, its residual reduced until it stops shrinking (at most
// MostRefinements steps): graded grids over soils decades apart in k make the plain solve lose up
// to 1e-3 of the flux balance, one or two steps bring it back to rounding. Throws
// std::runtime_error when the factorisation fails.
#pragma once

#include <Eigen/SparseCholesky>
#include <Eigen/SparseCore>

#include <stdexcept>

namespace verrask::sectionmodel {

inline constexpr int MostRefinements = 3; // each costs two triangular solves; two suffice

inline Eigen::VectorXd SolveRefined(const Eigen::SparseMatrix<double>& a,
                                    const Eigen::VectorXd& b) {
    if (a.rows() == 0) return b;
    const Eigen::SimplicialLDLT<Eigen::SparseMatrix<double>> ldlt(a);
    if (ldlt.info() != Eigen::Success) throw std::runtime_error("the head system is singular");
    Eigen::VectorXd x = ldlt.solve(b);
    Eigen::VectorXd r = b - a * x;
    double last = r.norm();
    for (int step = 0; step < MostRefinements && last > 0; ++step) {
        const Eigen::VectorXd next = x + ldlt.solve(r);
        const Eigen::VectorXd nextResidual = b - a * next;
        const double norm = nextResidual.norm();
        if (!(norm < last)) break;
        x = next;
        r = nextResidual;
        last = norm;
    }
    return x;
}

} // namespace verrask::sectionmodel
