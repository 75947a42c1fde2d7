// The finite-volume head solve, its face fluxes and stream function (see FiniteVolumeSolve.h).
#include "sectionmodel/FiniteVolumeSolve.h"

#include "sectionmodel/SparseSolve.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace verrask::sectionmodel {

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::size_t None = static_cast<std::size_t>(-1);

// Transmissibility between cells of widths d1, d2 (along the flow) and permeabilities k1, k2
// over a face of length `face`.
double Transmissibility(double face, double d1, double k1, double d2, double k2) {
    return face / (d1 / (2 * k1) + d2 / (2 * k2));
}

struct TFaces {
    const section::TSection& S;
    const TSectionGrid& G;
    double Kx(std::size_t j) const { return S.Layers[G.RowLayer[j]].Kx; }
    double Kz(std::size_t j) const { return S.Layers[G.RowLayer[j]].Kz; }
    double Dx(std::size_t i) const { return G.X[i + 1] - G.X[i]; }
    double Dy(std::size_t j) const { return G.Y[j + 1] - G.Y[j]; }
    // Between cells (i - 1, j) and (i, j); 0 across a wall or where either is no soil.
    double Vertical(std::size_t i, std::size_t j) const {
        if (i == 0 || i == G.Columns() || !G.Soil(i - 1, j) || !G.Soil(i, j) || G.WallFace(i, j))
            return 0;
        return Transmissibility(Dy(j), Dx(i - 1), Kx(j), Dx(i), Kx(j));
    }
    // Between cells (i, j - 1) and (i, j).
    double Horizontal(std::size_t i, std::size_t j) const {
        if (j == 0 || !G.Soil(i, j)) return 0;
        return Transmissibility(Dx(i), Dy(j - 1), Kz(j - 1), Dy(j), Kz(j));
    }
    // From the open ground atop column i to its top cell's centre.
    double Ground(std::size_t i) const {
        if (!G.OpenTop[i]) return 0;
        const std::size_t j = G.TopRow[i] - 1;
        return Dx(i) / (Dy(j) / (2 * Kz(j)));
    }
};

// Cells connected to open ground (through faces that carry flow) in a piece of soil that touches
// water at two levels: the unknowns, numbered. `piece`: per cell reached from open ground, the
// first open column of its piece (None for soil cut off from all water). A piece at one level
// only is hydrostatic: solving it would only add rounding (across soils decades apart in k, more
// than the flow through the rest). `flows`: some piece touches two levels.
std::vector<std::size_t> Unknowns(const section::TSection& s, const TSectionGrid& g,
                                  const TFaces& f, std::size_t& count, bool& flows,
                                  std::vector<std::size_t>& piece) {
    std::vector<std::size_t> index(g.Columns() * g.Rows(), None);
    std::vector<std::size_t> stack;
    constexpr std::size_t Reached = None - 1;
    const auto visit = [&](std::size_t cell, double t) {
        if (t > 0 && index[cell] == None) {
            index[cell] = Reached;
            stack.push_back(cell);
        }
    };
    flows = false;
    piece.assign(g.Columns() * g.Rows(), None);          // the first open column reaching the cell
    std::vector<std::uint8_t> twoLevels(g.Columns(), 0); // per first open column of a piece
    for (std::size_t open = 0; open < g.Columns(); ++open) {
        if (!g.OpenTop[open]) continue;
        const std::size_t top = g.Cell(open, g.TopRow[open] - 1);
        if (index[top] != None) {
            const std::size_t first = piece[top];
            if (s.Surface[g.ColumnStretch[first]].Water != s.Surface[g.ColumnStretch[open]].Water)
                twoLevels[first] = flows = true;
            continue;
        }
        visit(top, 1);
        while (!stack.empty()) {
            const std::size_t c = stack.back(), i = c % g.Columns(), j = c / g.Columns();
            stack.pop_back();
            piece[c] = open;
            if (i > 0) visit(c - 1, f.Vertical(i, j));
            if (i + 1 < g.Columns()) visit(c + 1, f.Vertical(i + 1, j));
            if (j > 0) visit(c - g.Columns(), f.Horizontal(i, j));
            if (j + 1 < g.Rows()) visit(c + g.Columns(), f.Horizontal(i, j + 1));
        }
    }
    count = 0;
    for (std::size_t c = 0; c < index.size(); ++c)
        if (index[c] == Reached) index[c] = twoLevels[piece[c]] ? count++ : None;
    return index;
}

} // namespace

TFiniteVolumes SolveFiniteVolumes(const section::TSection& s, const TSectionGrid& g) {
    const TFaces f{s, g};
    const std::size_t nx = g.Columns(), ny = g.Rows();
    TFiniteVolumes out;
    std::vector<std::size_t> piece;
    const std::vector<std::size_t> index = Unknowns(s, g, f, out.Unknowns, out.Flows, piece);
    out.FluxX.assign((nx + 1) * ny, 0.0);
    out.FluxY.assign(nx * (ny + 1), 0.0);
    out.StretchFlux.assign(s.Surface.size(), 0.0);
    out.Head.assign(nx * ny, NaN);
    // Pieces of soil that meet water at one level only: hydrostatic, no flux anywhere in them.
    out.Solved.assign(nx * ny, 0);
    for (std::size_t c = 0; c < nx * ny; ++c) {
        out.Solved[c] = index[c] != None;
        if (piece[c] != None && index[c] == None)
            out.Head[c] = s.Surface[g.ColumnStretch[piece[c]]].Water;
    }
    if (!out.Flows) return out;
    const auto n = static_cast<Eigen::Index>(out.Unknowns);
    const auto at = [&](std::size_t cell) { return static_cast<Eigen::Index>(index[cell]); };

    std::vector<Eigen::Triplet<double>> entries;
    entries.reserve(5 * out.Unknowns);
    Eigen::VectorXd rhs = Eigen::VectorXd::Zero(n);
    // Each face adds its transmissibility to both diagonals and couples its two cells.
    struct TFace {
        Eigen::Index A, B;
        double T;
    };
    std::vector<TFace> faces; // for the residual: the operator exactly, face by face
    faces.reserve(2 * out.Unknowns);
    const auto couple = [&](std::size_t a, std::size_t b, double t) {
        if (t == 0 || index[a] == None) return;
        faces.push_back({at(a), at(b), t});
        entries.emplace_back(at(a), at(a), t);
        entries.emplace_back(at(b), at(b), t);
        entries.emplace_back(at(a), at(b), -t);
        entries.emplace_back(at(b), at(a), -t);
    };
    for (std::size_t j = 0; j < ny; ++j)
        for (std::size_t i = 0; i < nx; ++i) {
            if (i > 0) couple(g.Cell(i - 1, j), g.Cell(i, j), f.Vertical(i, j));
            if (j > 0) couple(g.Cell(i, j - 1), g.Cell(i, j), f.Horizontal(i, j));
        }
    // Heads above the lowest water level: head differences keep more of their digits.
    double datum = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < nx; ++i)
        if (g.OpenTop[i]) datum = std::min(datum, s.Surface[g.ColumnStretch[i]].Water);
    const auto water = [&](std::size_t i) { return s.Surface[g.ColumnStretch[i]].Water - datum; };
    std::vector<TFace> grounds; // A: the top cell, B: the column, T: to the water
    for (std::size_t i = 0; i < nx; ++i)
        if (const double t = f.Ground(i); t > 0 && index[g.Cell(i, g.TopRow[i] - 1)] != None) {
            const std::size_t c = g.Cell(i, g.TopRow[i] - 1);
            entries.emplace_back(at(c), at(c), t);
            rhs[at(c)] += t * water(i);
            grounds.push_back({at(c), static_cast<Eigen::Index>(i), t});
        }

    Eigen::SparseMatrix<double> a(n, n);
    a.setFromTriplets(entries.begin(), entries.end());
    entries = {};
    // Each face's flux added to one cell and taken from the other, in long double: the
    // residual's sum is the flux balance itself, which the refinement then drives down.
    const auto residual = [&](const std::vector<long double>& x) {
        std::vector<long double> sum(static_cast<std::size_t>(n), 0.0L);
        const auto cell = [](Eigen::Index k) { return static_cast<std::size_t>(k); };
        for (const TFace& face : grounds)
            sum[cell(face.A)] += static_cast<long double>(face.T) *
                                 (static_cast<long double>(water(cell(face.B))) - x[cell(face.A)]);
        for (const TFace& face : faces) {
            const long double flux =
                static_cast<long double>(face.T) * (x[cell(face.A)] - x[cell(face.B)]);
            sum[cell(face.A)] -= flux;
            sum[cell(face.B)] += flux;
        }
        Eigen::VectorXd r(n);
        for (Eigen::Index k = 0; k < n; ++k) r[k] = static_cast<double>(sum[cell(k)]);
        return r;
    };
    const std::vector<long double> h = SolveRefinedExtended(a, rhs, residual);

    // Fluxes from the long double heads, each rounded once to double.
    const auto head = [&](std::size_t i, std::size_t j) {
        return h[static_cast<std::size_t>(at(g.Cell(i, j)))];
    };
    const auto flux = [](double t, long double drop) {
        return static_cast<double>(static_cast<long double>(t) * drop);
    };
    for (std::size_t j = 0; j < ny; ++j)
        for (std::size_t i = 0; i < nx; ++i) {
            if (i > 0)
                if (const double t = f.Vertical(i, j); t > 0 && index[g.Cell(i, j)] != None)
                    out.FluxX[j * (nx + 1) + i] = flux(t, head(i - 1, j) - head(i, j));
            if (j > 0)
                if (const double t = f.Horizontal(i, j); t > 0 && index[g.Cell(i, j)] != None)
                    out.FluxY[j * nx + i] = flux(t, head(i, j - 1) - head(i, j));
        }
    std::vector<long double> stretchFlux(s.Surface.size(), 0.0L);
    long double inflow = 0, outflow = 0;
    for (std::size_t i = 0; i < nx; ++i)
        if (const double t = f.Ground(i); t > 0 && index[g.Cell(i, g.TopRow[i] - 1)] != None) {
            const std::size_t top = g.TopRow[i];
            const long double in = static_cast<long double>(t) * (water(i) - head(i, top - 1));
            out.FluxY[top * nx + i] = static_cast<double>(-in);
            stretchFlux[g.ColumnStretch[i]] += in;
            (in > 0 ? inflow : outflow) += std::fabs(in);
        }
    for (std::size_t k = 0; k < stretchFlux.size(); ++k)
        out.StretchFlux[k] = static_cast<double>(stretchFlux[k]);
    out.Inflow = static_cast<double>(inflow);
    out.Outflow = static_cast<double>(outflow);
    for (std::size_t c = 0; c < nx * ny; ++c)
        if (index[c] != None)
            out.Head[c] = static_cast<double>(h[static_cast<std::size_t>(at(c))] + datum);
    return out;
}

std::vector<double> StreamFunction(const TSectionGrid& g, const TFiniteVolumes& fv) {
    const std::size_t nx = g.Columns(), ny = g.Rows();
    std::vector<double> psi((nx + 1) * (ny + 1), NaN);
    for (std::size_t i = 0; i <= nx; ++i) {
        // Up the corner line x = X[i], from the base (psi = 0: no flow across it).
        long double running = 0; // long double: the sum of many fluxes rounds once
        psi[i] = 0;
        for (std::size_t j = 0; j < ny; ++j) {
            const bool left = i > 0 && g.Soil(i - 1, j), right = i < nx && g.Soil(i, j);
            if (!left && !right) break;
            running += fv.FluxX[j * (nx + 1) + i];
            psi[(j + 1) * (nx + 1) + i] = static_cast<double>(running);
        }
    }
    return psi;
}

} // namespace verrask::sectionmodel
