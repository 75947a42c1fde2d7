// The conforming bilinear vertex solve, for the upper bound on q (see VertexSolve.h).
#include "sectionmodel/VertexSolve.h"

#include "sectionmodel/SparseSolve.h"

#include <array>
#include <cmath>

namespace verrask::sectionmodel {

namespace {

constexpr std::size_t None = static_cast<std::size_t>(-1);
using TMatrix4 = std::array<std::array<double, 4>, 4>;

// The bilinear element's matrix of a dx x dy cell, corners (0,0), (dx,0), (dx,dy), (0,dy).
TMatrix4 ElementMatrix(double dx, double dy, double kx, double kz) {
    constexpr TMatrix4 Mx{{{2, -2, -1, 1}, {-2, 2, 1, -1}, {-1, 1, 2, -2}, {1, -1, -2, 2}}};
    constexpr TMatrix4 My{{{2, 1, -1, -2}, {1, 2, -2, -1}, {-1, -2, 2, 1}, {-2, -1, 1, 2}}};
    const double cx = kx * dy / (6 * dx), cy = kz * dx / (6 * dy);
    TMatrix4 k{};
    for (std::size_t a = 0; a < 4; ++a)
        for (std::size_t b = 0; b < 4; ++b) k[a][b] = cx * Mx[a][b] + cy * My[a][b];
    return k;
}

} // namespace

TVertexEnergy SolveVertexEnergy(const section::TSection& s, const TSectionGrid& g,
                                const TFiniteVolumes& fv, double datum) {
    const std::size_t nx = g.Columns(), ny = g.Rows(), corners = (nx + 1) * (ny + 1);
    const auto split = [&](std::size_t line, std::size_t j) {
        for (std::size_t w = 0; w < g.WallLine.size(); ++w)
            if (line == g.WallLine[w] && (j > g.ToeRow[w] || g.ToeRow[w] == 0)) return true;
        return false;
    };
    // Slot 2 c + 1 is the right-hand copy of corner c on a wall.
    const auto slots = [&](std::size_t i, std::size_t j) {
        std::array<std::size_t, 4> s4{};
        const std::array<std::size_t, 4> ci{i, i + 1, i + 1, i}, cj{j, j, j + 1, j + 1};
        for (std::size_t a = 0; a < 4; ++a) {
            const std::size_t c = cj[a] * (nx + 1) + ci[a];
            s4[a] = 2 * c + (ci[a] == i && split(ci[a], cj[a]) ? 1 : 0);
        }
        return s4;
    };
    const auto live = [&](std::size_t i, std::size_t j) {
        return g.Soil(i, j) && fv.Solved[g.Cell(i, j)];
    };

    std::vector<double> fixed(2 * corners, std::nan(""));
    for (std::size_t i = 0; i < nx; ++i)
        if (g.OpenTop[i] && live(i, g.TopRow[i] - 1)) {
            const std::array<std::size_t, 4> s4 = slots(i, g.TopRow[i] - 1);
            fixed[s4[2]] = fixed[s4[3]] = s.Surface[g.ColumnStretch[i]].Water - datum;
        }
    std::vector<std::size_t> index(2 * corners, None);
    TVertexEnergy out;
    for (std::size_t j = 0; j < ny; ++j)
        for (std::size_t i = 0; i < nx; ++i)
            if (live(i, j))
                for (std::size_t slot : slots(i, j))
                    if (index[slot] == None && std::isnan(fixed[slot]))
                        index[slot] = out.Unknowns++;

    const auto n = static_cast<Eigen::Index>(out.Unknowns);
    const auto at = [&](std::size_t slot) { return static_cast<Eigen::Index>(index[slot]); };
    std::vector<Eigen::Triplet<double>> entries;
    entries.reserve(16 * out.Unknowns);
    Eigen::VectorXd rhs = Eigen::VectorXd::Zero(n);
    const auto element = [&](std::size_t i, std::size_t j) {
        const section::TLayer& l = s.Layers[g.RowLayer[j]];
        return ElementMatrix(g.X[i + 1] - g.X[i], g.Y[j + 1] - g.Y[j], l.Kx, l.Kz);
    };
    for (std::size_t j = 0; j < ny; ++j)
        for (std::size_t i = 0; i < nx; ++i) {
            if (!live(i, j)) continue;
            const TMatrix4 k = element(i, j);
            const std::array<std::size_t, 4> s4 = slots(i, j);
            for (std::size_t a = 0; a < 4; ++a) {
                if (index[s4[a]] == None) continue;
                for (std::size_t b = 0; b < 4; ++b) {
                    if (index[s4[b]] != None)
                        entries.emplace_back(at(s4[a]), at(s4[b]), k[a][b]);
                    else
                        rhs[at(s4[a])] -= k[a][b] * fixed[s4[b]];
                }
            }
        }
    Eigen::SparseMatrix<double> matrix(n, n);
    matrix.setFromTriplets(entries.begin(), entries.end());
    entries = {};
    const Eigen::VectorXd h = SolveRefined(matrix, rhs);

    for (std::size_t j = 0; j < ny; ++j)
        for (std::size_t i = 0; i < nx; ++i) {
            if (!live(i, j)) continue;
            const TMatrix4 k = element(i, j);
            const std::array<std::size_t, 4> s4 = slots(i, j);
            std::array<double, 4> u{};
            for (std::size_t a = 0; a < 4; ++a)
                u[a] = index[s4[a]] != None ? h[at(s4[a])] : fixed[s4[a]];
            for (std::size_t a = 0; a < 4; ++a)
                for (std::size_t b = 0; b < 4; ++b) out.Energy += u[a] * k[a][b] * u[b];
        }
    return out;
}

} // namespace verrask::sectionmodel
