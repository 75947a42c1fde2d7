// The embedment search: its answer against the closed forms, its independence of what ran
// before, and that the user's model is left exactly as it was.
#include "checks/EmbedmentSearch.h"
#include "tests/ModelFixtures.h"

#include <gtest/gtest.h>

#include <cmath>

#include <atomic>
#include <memory>

namespace verrask::checks {
namespace {

// EXPECT_NEAR in extended precision (|a - b| <= tolerance).
#define EXPECT_CLOSE(a, b, tolerance)                                                              \
    EXPECT_LE(std::fabs((a) - (b)), (tolerance)) << "got " << (a) << ", want " << (b)

using sheetpile::TModel;
using sheetpile::testing::CoarseHash;
using sheetpile::testing::FineHash;

// A completed run of the default inputs (D = 2 m, d = 1 m, H = 1 m, Y'/Yw = 1), solved from
// `headStart` when given, else from the start-up state.
std::unique_ptr<TModel> DefaultRun(const sheetpile::CoarseGrid* headStart = nullptr) {
    auto m = sheetpile::testing::NewModel();
    if (headStart) m->HeadGrid = *headStart;
    m->HeadDiff = 1;
    m->StratumDepth = 2;
    m->Permeability = 1e-5L;
    m->UnitWeightRatio = 1;
    m->SetupGeometry(2, 1, 0, 0);
    m->SolveHeadLoss();
    m->SolveStreamFunction();
    m->RefineHead();
    m->RefineStream();
    m->ComputeDischarge();
    m->RenderNet(m->Nd, m->Nf);
    m->DrawStructure();
    m->ShowNetPicture();
    return m;
}

// Everything of a run a search could touch: fields, picture, counts, markers.
std::uint64_t Fingerprint(const TModel& m) {
    std::uint64_t h = CoarseHash(m.HeadGrid, m) ^ 3 * CoarseHash(m.StreamGrid, m) ^
                      5 * FineHash(m.FineHead, m) ^ 7 * FineHash(m.FineStream, m);
    for (int y = 0; y < m.ShownPicture.Height(); ++y)
        for (int x = 0; x < m.ShownPicture.Width(); ++x)
            h = h * 1099511628211ull ^ m.ShownPicture.GetPixel(x, y);
    for (long long v : {(long long)m.Nd, (long long)m.Nf, (long long)m.PileRows,
                        (long long)m.PileUpCol, (long long)m.LastCol, (long long)m.HeadPasses})
        h = h * 1099511628211ull ^ static_cast<std::uint64_t>(v);
    return h ^ static_cast<std::uint64_t>(m.ShapeFactor * 80);
}

TEST(EmbedmentSearch, TerzaghiDepthMatchesTheClosedFormAndIgnoresHistory) {
    auto user = DefaultRun();
    const std::uint64_t before = Fingerprint(*user);
    const TCheckSettings s; // FS 1.5
    const TEmbedment e = SearchEmbedment(*user, TCriterion::Terzaghi, s);
    EXPECT_EQ(Fingerprint(*user), before);

    // FS = i_c d / (C_o H) = 1.5 with C_o = 0.3509 at d/D ~ 0.26 (Harr's table: 0.3522 at 0.2,
    // 0.3500 at 0.3) gives d = 0.526 m; grid error as in the design checks' tests, 3 %.
    EXPECT_CLOSE(e.Interpolated, 1.5L * 0.3509L, 0.03L * 0.526L);
    ASSERT_GT(e.Rows, 1);
    EXPECT_EQ(e.FailingRows, e.Rows - 1);
    EXPECT_CLOSE(e.Depth, e.Rows * 0.04L, 1e-15L);
    EXPECT_GE(e.Interpolated, e.FailingDepth);
    EXPECT_LE(e.Interpolated, e.Depth);
    for (std::size_t i = 0; i < e.Trials.size(); ++i) {
        const TEmbedmentTrial& t = e.Trials[i];
        EXPECT_EQ(t.Passes, t.Rows >= e.Rows) << t.Rows;
        if (i) {
            EXPECT_LT(e.Trials[i - 1].Rows, t.Rows);
        }
    }

    // The same inputs after another history (any field a run may have left, here a scrambled
    // one) give the same trials, bit for bit.
    auto again = std::make_unique<TModel>(*user);
    for (int r = 1; r < sheetpile::BaseRow; ++r)
        for (int c = 0; c <= again->LastCol; ++c)
            again->HeadGrid[r][c] =
                static_cast<std::uint32_t>((r * 7919u + c * 104729u) % sheetpile::FullScale);
    const TEmbedment f = SearchEmbedment(*again, TCriterion::Terzaghi, s);
    ASSERT_EQ(f.Trials.size(), e.Trials.size());
    for (std::size_t i = 0; i < e.Trials.size(); ++i) {
        EXPECT_EQ(f.Trials[i].Rows, e.Trials[i].Rows);
        EXPECT_EQ(f.Trials[i].Value, e.Trials[i].Value);
        EXPECT_EQ(f.Trials[i].HeadPasses, e.Trials[i].HeadPasses);
    }
    EXPECT_EQ(f.Interpolated, e.Interpolated);
}

TEST(EmbedmentSearch, ExitGradientDepthMatchesTheClosedForm) {
    // i_E = 0.3140 H / d near d/D = 0.24 (Harr's table: 0.3156 at 0.2, 0.3121 at 0.3), so
    // FS_exit = 1.5 needs d = 1.5 x 0.3140 = 0.471 m; 3 % for the grid error.
    auto user = DefaultRun();
    int progressCalls = 0;
    TSearchControl control;
    control.Progress = [&](const TEmbedmentTrial&) { ++progressCalls; };
    const TEmbedment e = SearchEmbedment(*user, TCriterion::Exit, TCheckSettings{}, control);
    EXPECT_CLOSE(e.Interpolated, 0.471L, 0.03L * 0.471L);
    EXPECT_EQ(progressCalls, static_cast<int>(e.Trials.size()));
}

TEST(EmbedmentSearch, EndsOfTheRangeAndCancel) {
    auto user = DefaultRun();
    TCheckSettings s;
    s.Target = 1000; // no wall in the layer reaches it
    TEmbedment e = SearchEmbedment(*user, TCriterion::Terzaghi, s);
    EXPECT_EQ(e.Rows, 0);
    EXPECT_EQ(e.FailingRows, 49);
    EXPECT_FALSE(Available(e.Interpolated));
    EXPECT_FALSE(e.Note.empty());

    s.Target = 0.01L; // a wall of one row already passes
    e = SearchEmbedment(*user, TCriterion::Column, s);
    EXPECT_EQ(e.Rows, 1);
    EXPECT_EQ(e.FailingRows, 0);
    EXPECT_FALSE(Available(e.FailingDepth));
    EXPECT_FALSE(e.Note.empty());

    const std::atomic<bool> cancel{true};
    TSearchControl control;
    control.Cancel = &cancel;
    e = SearchEmbedment(*user, TCriterion::Terzaghi, TCheckSettings{}, control);
    EXPECT_TRUE(e.Cancelled);
    EXPECT_TRUE(e.Trials.empty());
}

} // namespace
} // namespace verrask::checks
