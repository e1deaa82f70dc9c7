#pragma once

#include <QString>

#include <array>

// The seven texts of a grid row, in the file's field order.
using TTraceCells = std::array<QString, 7>;

// The grid's columns.
namespace TraceColumn {
constexpr int procName = 0;
constexpr int winTitle = 1;
constexpr int dateTrace = 2;
constexpr int heureOrigine = 3;
constexpr int heureDEB = 4;
constexpr int heureFIN = 5;
constexpr int duree = 6;
constexpr int count = 7;
} // namespace TraceColumn
