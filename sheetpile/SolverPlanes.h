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

// Stream function: the rows of one pass and two more (the base and a spare) form a ring of 52
// virtual rows through which the passes follow each other without a gap. Node (r, c) lives in
// plane r mod 2, column c, ring slot r div 2 (0..25); slots 26..32 repeat slots 0..6, so that
// eight consecutive slots can always be read in one piece wherever they start in the ring.
struct TRowPlanes {
    static constexpr int Stagger = 2; // rows between consecutive passes in flight
    static constexpr int Period = 52; // virtual rows a pass takes: 0..49, the base, a spare
    static constexpr int RingSlots = Period / 2;
    static constexpr int Mirrored = 7; // slots 0..6 repeated after the ring
    static constexpr int Front = 8;    // room for repeat stores that start below slot 0
    static constexpr int Height = 48;  // 8 + 26 + the 14 slots written past the ring at most
    static constexpr int Cols = 502;
    alignas(64) std::array<std::uint32_t, 2 * Cols * Height> Cells{};

    // Ring slot k (-8..39) of column c in plane m.
    std::uint32_t* Slots(int m, int c, int k) {
        return &Cells[static_cast<std::size_t>((m * Cols + c) * Height + Front + k)];
    }
    std::uint32_t Get(int r, int c) { return *Slots(r & 1, c, r >> 1); }
    void Set(int r, int c, std::uint32_t v) {
        *Slots(r & 1, c, r >> 1) = v;
        if ((r >> 1) < Mirrored) *Slots(r & 1, c, (r >> 1) + RingSlots) = v;
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
