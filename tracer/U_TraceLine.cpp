#include "tracer/U_TraceLine.h"

#include "app/U_Glb.h"

namespace TraceLine {

namespace {
bool IsFormulaStart(QChar c)
{
    return c == u'=' || c == u'+' || c == u'-' || c == u'@';
}

void AppendRow(QString& text, const TTraceCells& cells)
{
    for (int column = 0; column < TraceColumn::count; ++column) {
        const QString& cell = cells[static_cast<std::size_t>(column)];
        if (column > 0)
            text += u';';
        if (NeedsApostrophe(cell))
            text += u'\'';
        text += cell;
    }
    text += QLatin1String("\r\n");
}

qsizetype TextSize(const TTraceGrid& grid)
{
    qsizetype size = 0;
    for (int row = 0; row < grid.rowCount(); ++row)
        for (const QString& cell : grid.Row(row))
            size += cell.size() + 2;
    return size + 2 * grid.rowCount();
}
} // namespace

bool NeedsApostrophe(const QString& cell)
{
    for (const QChar c : cell)
        if (c != u'\'')
            return IsFormulaStart(c);
    return false;
}

QString Protect(const QString& cell)
{
    return NeedsApostrophe(cell) ? u'\'' + cell : cell;
}

QString Unprotect(const QString& cell)
{
    return cell.startsWith(u'\'') && NeedsApostrophe(cell) ? cell.mid(1) : cell;
}

QString GridText(const TTraceGrid& grid, bool newestFirst)
{
    QString text;
    text.reserve(TextSize(grid));
    const int count = grid.rowCount();
    for (int i = 0; i < count; ++i)
        AppendRow(text, grid.Row(newestFirst ? count - 1 - i : i));
    return text;
}

std::optional<TTraceProc> Parse(const QString& line, TTraceCells& cells)
{
    const QStringList fields = SplitFields(line, QStringLiteral(";"), TraceColumn::count);
    for (int column = 0; column < TraceColumn::count; ++column)
        cells[static_cast<std::size_t>(column)] = Unprotect(fields.at(column));
    const auto date = TextToDate(cells[TraceColumn::dateTrace]);
    const auto origine = TextToTime(cells[TraceColumn::heureOrigine]);
    const auto deb = TextToTime(cells[TraceColumn::heureDEB]);
    const auto fin = TextToTime(cells[TraceColumn::heureFIN]);
    const auto duree = TextToTime(cells[TraceColumn::duree]);
    if (!date || !origine || !deb || !fin || !duree)
        return std::nullopt;
    return TTraceProc{cells[TraceColumn::procName],
                      cells[TraceColumn::winTitle],
                      *date,
                      *origine,
                      *deb,
                      *fin,
                      *duree};
}

} // namespace TraceLine
