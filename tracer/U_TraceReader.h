#pragma once

#include "tracer/U_TraceCells.h"
#include "tracer/U_TraceTable.h"

#include <QHash>
#include <QString>
#include <QStringView>

#include <array>
#include <vector>

// Reads the text of a trace file into entries and their grid texts. Texts that repeat from
// line to line (process names, dates, times) share one copy, which keeps a long trace
// small and quick to load.
class TTraceReader
{
public:
    // Reads every line of `text` (CR LF, LF or CR ends); false when some non-empty line
    // could not be read. Such lines add nothing; the others are all read.
    bool Read(QStringView text);

    std::vector<TTraceProc> procs;
    std::vector<TTraceCells> rows;

private:
    // The fields of one non-empty line; false when they do not hold what they should.
    bool ReadFields(std::array<QStringView, TraceColumn::count>& fields);
    QString SharedName(QStringView text);
    QString SharedDate(QStringView text, TDateTime day);
    QString SharedTime(QStringView text, int seconds);

    // Views into the stored names themselves, whose characters never move.
    QHash<QStringView, QString> names;
    QHash<qint64, QString> dates;
    // A time text read strictly is the one text of its second of the day.
    std::vector<QString> times;
};
