// The fast solver paths against the plain reference solvers, bit for bit: pass counts and whole
// grids on the worked examples, boundary geometries, random geometries, chained runs with
// geometry changes between them, and arbitrary start states.
#include "tests/ModelFixtures.h"

#include <gtest/gtest.h>

#include <random>

namespace sheetpile::testing {
namespace {

struct TPair {
    std::unique_ptr<TModel> plain = NewModel(), fast = NewModel();
    TPair() { plain->UseFastSolvers = false; }
    void Markers(int pileRows, int left, int right) {
        SetMarkers(*plain, pileRows, left, right);
        SetMarkers(*fast, pileRows, left, right);
    }
    void StartFrom(const CoarseGrid& head, const CoarseGrid& stream) {
        plain->HeadGrid = fast->HeadGrid = head;
        plain->StreamGrid = fast->StreamGrid = stream;
    }
    // Solves both fields with both paths and compares everything the solvers touch.
    void SolveAndCompare() {
        plain->SolveHeadLoss();
        fast->SolveHeadLoss();
        plain->SolveStreamFunction();
        fast->SolveStreamFunction();
        EXPECT_EQ(fast->HeadPasses, plain->HeadPasses);
        EXPECT_EQ(fast->StreamPasses, plain->StreamPasses);
        EXPECT_TRUE(fast->HeadGrid == plain->HeadGrid) << "head-loss grids differ";
        EXPECT_TRUE(fast->StreamGrid == plain->StreamGrid) << "stream-function grids differ";
    }
};

TEST(FastSolvers, AreInUseOnThisMachine) {
    // The comparisons below would compare the plain solver with itself otherwise.
    EXPECT_TRUE(FastSolversAvailable());
}

TEST(FastSolvers, WorkedExamplesAndTheirSecondRuns) {
    for (const auto& [p, l, r] : {std::tuple{25, 0, 0}, {49, 20, 30}}) {
        SCOPED_TRACE(::testing::Message() << "P=" << p << " L=" << l << " R=" << r);
        TPair pair;
        pair.Markers(p, l, r);
        pair.SolveAndCompare();
        pair.SolveAndCompare(); // from the relaxed fields: 1 or 10249 passes
    }
}

TEST(FastSolvers, BoundaryGeometries) {
    // No pile, no blankets; one-step blankets; a one-row pile; the deepest pile; the widest grid.
    for (const auto& [p, l, r] : {std::tuple{0, 0, 0},
                                  {0, 1, 1},
                                  {1, 3, 2},
                                  {1, 0, 0},
                                  {49, 0, 0},
                                  {25, 200, 0},
                                  {10, 0, 200}}) {
        SCOPED_TRACE(::testing::Message() << "P=" << p << " L=" << l << " R=" << r);
        TPair pair;
        pair.Markers(p, l, r);
        pair.SolveAndCompare();
    }
}

TEST(FastSolvers, WallAtEachResidueOfAVectorsLastSlot) {
    // Left blanket steps 7..10 put column U-1 (U = 150 + steps) in the last slot of its vector in
    // each of the four planes; for 8..10 the wall's column U+2, and for 8 and 9 the one the nodes
    // below the tip read, then lie one vector on, in a plane run earlier in the same iteration.
    for (const auto& [p, l, r] : {std::tuple{12, 7, 3}, {30, 8, 0}, {1, 9, 5}, {44, 10, 1}}) {
        SCOPED_TRACE(::testing::Message() << "P=" << p << " L=" << l << " R=" << r);
        TPair pair;
        pair.Markers(p, l, r);
        pair.SolveAndCompare();
    }
}

TEST(FastSolvers, RandomGeometriesChainedAsRepeatedRuns) {
    // Each solve starts from the fields the previous one left, whatever its geometry.
    std::mt19937 random(20261209);
    TPair pair;
    for (int run = 0; run < 6; ++run) {
        const int p = std::uniform_int_distribution<int>(0, 49)(random);
        const int l = std::uniform_int_distribution<int>(0, 60)(random);
        const int r = std::uniform_int_distribution<int>(0, 60 - l)(random);
        SCOPED_TRACE(::testing::Message()
                     << "run " << run << ": P=" << p << " L=" << l << " R=" << r);
        pair.Markers(p, l, r);
        pair.SolveAndCompare();
    }
}

TEST(FastSolvers, ArbitraryStartStates) {
    std::mt19937 random(7);
    std::uniform_int_distribution<std::uint32_t> value(0, FullScale);
    for (int k = 0; k < 2; ++k) {
        CoarseGrid head, stream;
        for (int r = 0; r < CoarseRows; ++r)
            for (int c = 0; c < CoarseCols; ++c) {
                head[r][c] = value(random);
                stream[r][c] = k == 0 ? value(random) : (c % 2 ? FullScale : 0u);
            }
        TPair pair;
        pair.Markers(k == 0 ? 17 : 1, k == 0 ? 9 : 0, k == 0 ? 13 : 0);
        pair.StartFrom(head, stream);
        pair.SolveAndCompare();
    }
}

} // namespace
} // namespace sheetpile::testing
