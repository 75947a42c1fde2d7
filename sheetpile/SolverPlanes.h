// Working storage of the fast solvers: a coarse grid split into four planes by column modulo 4
// (head loss) or into two planes by row parity, transposed (stream function), so that the
// nodes which the passes in flight update at one time lie side by side in memory.
//
// Fixed size, part of the model: no solve allocates. The storage is left unwritten when the
// model is made; each solve writes what it reads before reading it. Padding takes the loads and
// stores of lanes that are still ramping in or already done; no node's update reads it.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

namespace sheetpile {

inline constexpr int SolverLanes = 8; // 32-bit lanes of one vector
inline constexpr int HeadLanes = 16;  // head-loss passes in flight: two vectors

// Head loss: node (r, c) lives in plane c mod 4, row r, slot c div 4 + ColumnPad.
struct TColumnPlanes {
    static constexpr int Stagger = 4;           // columns between consecutive passes in flight
    static constexpr int ColumnPad = HeadLanes; // slots left of column 0: the last lane starts
                                                // 4 x (HeadLanes - 1) columns back, reads one more
    // Slots of a row: the pad, 502 columns, the last lane's reach beyond column 501, rounded up
    // to whole cache lines.
    static constexpr int Width = (ColumnPad + (501 + Stagger * HeadLanes) / 4 + 1 + 15) / 16 * 16;
    static constexpr int Rows = 51;
    alignas(64) std::array<std::uint32_t, 4 * Rows * Width> Cells;

    std::uint32_t& At(int r, int c) {
        return Cells[static_cast<std::size_t>(((c & 3) * Rows + r) * Width + (c >> 2) + ColumnPad)];
    }
    // The first of consecutive slots in plane m, row r, from slot k on.
    std::uint32_t* Slots(int m, int r, int k) {
        return &Cells[static_cast<std::size_t>((m * Rows + r) * Width + k)];
    }
};

// Stream function: column c's block holds its even rows in plane 0 (row r in slot r / 2 + 7) and
// its odd rows in plane 1 (row r in slot (r - 1) / 2 + 8). A sweep step updates all rows of one
// parity; rows 2..48 and 1..47 then fill three aligned vectors of eight slots each (slots 8..31),
// and the rows above and below them load from the other plane at the same slots or one off.
// Slots of no row are written as 0 when the planes are filled and are never read by an update.
struct TRowPlanes {
    static constexpr int Cols = 502;
    static constexpr int PlaneSlots = 40; // 7 + 26 slots for rows 0..50, rounded to whole vectors
    static constexpr int ColumnStride = 2 * PlaneSlots; // 320 bytes: five whole cache lines
    alignas(64) std::array<std::uint32_t, Cols * ColumnStride> Cells;

    static constexpr int Offset(int r) {
        return (r & 1) ? PlaneSlots + (r - 1) / 2 + 8 : r / 2 + 7;
    }
    std::uint32_t& At(int r, int c) {
        return Cells[static_cast<std::size_t>(c * ColumnStride + Offset(r))];
    }
    std::uint32_t* Column(int c) { return &Cells[static_cast<std::size_t>(c * ColumnStride)]; }
};

// Runs groups of Lanes passes (runGroup(lanes) returns bit j set when pass j of the group
// changed an interior node) until a group holds a quiet pass; then goes back to the last
// checkpoint and runs the passes up to the first quiet one again, the last group with only as
// many lanes as are still wanted. Returns the number of passes, the quiet one included; the
// planes then hold the state after it. Checkpoints are taken every GroupsPerCheckpoint groups,
// so at most that many groups are run twice.
template <int Lanes, typename TPlanes, typename TRunGroup>
std::uint64_t RunToFirstQuietPass(TPlanes& planes, TPlanes& checkpoint, TRunGroup runGroup) {
    static_assert(Lanes <= 32, "a group's marks fit one unsigned");
    constexpr int GroupsPerCheckpoint = 128 / Lanes;
    constexpr unsigned AllLanes = Lanes == 32 ? ~0u : (1u << Lanes) - 1;
    std::uint64_t passes = 0, checkpointPasses = 0;
    checkpoint = planes;
    for (int groups = 0;; ++groups) {
        if (groups == GroupsPerCheckpoint) {
            checkpoint = planes;
            checkpointPasses = passes;
            groups = 0;
        }
        const unsigned quiet = ~runGroup(Lanes) & AllLanes;
        if (quiet == 0) {
            passes += Lanes;
            continue;
        }
        int first = 0;
        while (!(quiet & (1u << first))) ++first;
        const std::uint64_t total = passes + static_cast<std::uint64_t>(first) + 1;
        planes = checkpoint;
        for (std::uint64_t done = checkpointPasses; done < total;) {
            const auto lanes = static_cast<int>(std::min<std::uint64_t>(Lanes, total - done));
            runGroup(lanes);
            done += static_cast<std::uint64_t>(lanes);
        }
        return total;
    }
}

} // namespace sheetpile
