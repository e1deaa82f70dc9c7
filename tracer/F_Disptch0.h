#pragma once

#include "tracer/F_Dispatch.h"

#include <functional>

// The journal window of the tracer's grid, which prints that grid.
class Tfrmdisptch0 : public TfrmDispatch
{
    Q_OBJECT
public:
    // Prints the grid under a title, every day (0) or the day of one tab (its index + 1);
    // false when it failed.
    using TPrint = std::function<bool(const TTraceGrid& grid, const QString& title, int day)>;

    explicit Tfrmdisptch0(const TTraceGrid& grid, QWidget* parent = nullptr);
    // Replaces the printer (the default one, or a PDF without one).
    void SetPrinter(TPrint printer) { print = std::move(printer); }

protected:
    void Impression() override;

private:
    void PrintChoice(bool allPages);

    const TTraceGrid& grid;
    TPrint print;
};
