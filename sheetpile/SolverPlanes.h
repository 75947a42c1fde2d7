// Working storage of the fast solvers: a coarse grid split into four planes by column modulo 4
// (head loss) or into two planes by row parity, transposed (stream function), so that the
// nodes which the passes in flight update at one time lie side by side in memory.
//
// Fixed size, part of the model: no solve allocates. The storage is left unwritten when the
// model is made; each solve writes what it reads before reading it. Padding takes the loads and
// stores of lanes that are still ramping in or already done; no node's update reads it.
#pragma once

#include <array>
#include <cstdint>

namespace sheetpile {

inline constexpr int SolverLanes = 8; // 32-bit lanes of one vector

// Head loss: node (r, c) lives in plane c mod 4, row r, slot c div 4 + ColumnPad. One step updates
// the columns of one plane, eight slots to a vector; a vector's lanes beyond the grid's columns
// load their slots and store them back unchanged.
struct TColumnPlanes {
    static constexpr int ColumnPad = SolverLanes; // one vector left of column 0's: its left
                                                  // neighbours' loads reach one slot back
    // Slots of a row: the pad, the vectors holding columns 0..501 and the slot right of them that
    // the last vector's right neighbours load, rounded up to whole cache lines.
    static constexpr int Width =
        (ColumnPad + (501 / 4 / SolverLanes + 1) * SolverLanes + 1 + 15) / 16 * 16;
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

// Stream function: column c's block of four cache lines holds its even rows 0..48 in slots
// 7..31 (row r in slot r / 2 + 7), its odd rows in slots 32..56 (row r in slot 32 + (r - 1) / 2)
// and row 50 in slot 0. A sweep step updates all rows of one parity; rows 2..48 and 1..47 then
// fill three aligned vectors of eight slots each, and the rows above and below them load from
// the other parity's slots at the same place or one off (row 0 just before row 2). Slots of no
// row are written as 0 when the planes are filled and are never read by an update.
struct TRowPlanes {
    static constexpr int Cols = 502;
    static constexpr int ColumnStride = 64; // 256 bytes: four whole cache lines
    alignas(64) std::array<std::uint32_t, Cols * ColumnStride> Cells;

    static constexpr int Offset(int r) {
        return r == 50 ? 0 : (r & 1) ? 32 + (r - 1) / 2 : r / 2 + 7;
    }
    std::uint32_t& At(int r, int c) {
        return Cells[static_cast<std::size_t>(c * ColumnStride + Offset(r))];
    }
    std::uint32_t* Column(int c) { return &Cells[static_cast<std::size_t>(c * ColumnStride)]; }
};

} // namespace sheetpile
