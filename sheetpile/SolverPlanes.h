// Working storage of the fast solvers: a coarse grid split into four planes by column modulo 4
// (head loss) or into two planes by row parity, transposed (stream function), so that the
// nodes which eight passes in flight update at one time lie side by side in memory.
//
// Fixed size, part of the model: no solve allocates. Padding on both sides takes the loads of
// lanes that are still ramping in or already done; those lanes never store a changed value.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

namespace sheetpile {

inline constexpr int SolverLanes = 8; // passes in flight: eight 32-bit lanes of one vector

// Head loss: node (r, c) lives in plane c mod 4, row r, slot c div 4 + ColumnPad.
struct TColumnPlanes {
    static constexpr int Stagger = 4;   // columns between consecutive passes in flight
    static constexpr int ColumnPad = 8; // slots left of column 0: lanes start 28 columns back
    static constexpr int Width = 144;   // 8 + 126 slots for 502 columns + 8 + 2 spare
    static constexpr int Rows = 51;
    alignas(64) std::array<std::uint32_t, 4 * Rows * Width> Cells{};

    std::uint32_t& At(int r, int c) {
        return Cells[static_cast<std::size_t>(((c & 3) * Rows + r) * Width + (c >> 2) + ColumnPad)];
    }
    // The first of eight consecutive slots in plane m, row r, from slot k on.
    std::uint32_t* Slots(int m, int r, int k) {
        return &Cells[static_cast<std::size_t>((m * Rows + r) * Width + k)];
    }
};

// Stream function: node (r, c) lives in plane r mod 2, column c, slot r div 2 + RowPad.
struct TRowPlanes {
    static constexpr int Stagger = 2; // rows between consecutive passes in flight
    static constexpr int RowPad = 8;  // slots above row 0: lanes start 14 rows back
    static constexpr int Height = 48; // 8 + 26 slots for 51 rows + 8 + spare
    static constexpr int Cols = 502;
    alignas(64) std::array<std::uint32_t, 2 * Cols * Height> Cells{};

    std::uint32_t& At(int r, int c) {
        return Cells[static_cast<std::size_t>(((r & 1) * Cols + c) * Height + (r >> 1) + RowPad)];
    }
    std::uint32_t* Slots(int m, int c, int k) {
        return &Cells[static_cast<std::size_t>((m * Cols + c) * Height + k)];
    }
};

// Runs groups of SolverLanes passes (runGroup(lanes) returns bit j set when pass j of the group
// changed an interior node) until a group holds a quiet pass; then goes back to the last
// checkpoint and runs the passes up to the first quiet one again, the last group with only as
// many lanes as are still wanted. Returns the number of passes, the quiet one included; the
// planes then hold the state after it. Checkpoints are taken every GroupsPerCheckpoint groups,
// so at most that many groups are run twice.
template <typename TPlanes, typename TRunGroup>
std::uint64_t RunToFirstQuietPass(TPlanes& planes, TPlanes& checkpoint, TRunGroup runGroup) {
    constexpr int GroupsPerCheckpoint = 16;
    constexpr unsigned AllLanes = (1u << SolverLanes) - 1;
    std::uint64_t passes = 0, checkpointPasses = 0;
    checkpoint = planes;
    for (int groups = 0;; ++groups) {
        if (groups == GroupsPerCheckpoint) {
            checkpoint = planes;
            checkpointPasses = passes;
            groups = 0;
        }
        const unsigned quiet = ~runGroup(SolverLanes) & AllLanes;
        if (quiet == 0) {
            passes += SolverLanes;
            continue;
        }
        int first = 0;
        while (!(quiet & (1u << first))) ++first;
        const std::uint64_t total = passes + static_cast<std::uint64_t>(first) + 1;
        planes = checkpoint;
        for (std::uint64_t done = checkpointPasses; done < total;) {
            const auto lanes = static_cast<int>(std::min<std::uint64_t>(SolverLanes, total - done));
            runGroup(lanes);
            done += static_cast<std::uint64_t>(lanes);
        }
        return total;
    }
}

} // namespace sheetpile
