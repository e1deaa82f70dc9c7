#include "tracer/U_TraceLine.h"

#include <algorithm>

namespace TraceLine {

namespace {
bool IsFormulaStart(QChar c)
{
    return c == u'=' || c == u'+' || c == u'-' || c == u'@';
}

// The texts go straight into a buffer sized beforehand: a long trace is written in one go.
QChar* WriteRow(QChar* out, const TTraceCells& cells)
{
    for (int column = 0; column < TraceColumn::count; ++column) {
        const QString& cell = cells[static_cast<std::size_t>(column)];
        if (column > 0)
            *out++ = u';';
        if (NeedsApostrophe(cell))
            *out++ = u'\'';
        out = std::copy_n(cell.constData(), cell.size(), out);
    }
    *out++ = u'\r';
    *out++ = u'\n';
    return out;
}

// Room for the row with an apostrophe before every cell, so that only the writing
// looks at the texts themselves.
qsizetype RowSizeAtMost(const TTraceCells& cells)
{
    qsizetype size = 2 * TraceColumn::count + 1;
    for (const QString& cell : cells)
        size += cell.size();
    return size;
}
} // namespace

bool NeedsApostrophe(QStringView cell)
{
    for (const QChar c : cell)
        if (c != u'\'')
            return IsFormulaStart(c);
    return false;
}

QString CleanCell(QString cell)
{
    cell.replace(u'\r', u'_');
    cell.replace(u';', u',');
    cell.replace(u'\n', u' ');
    cell.replace(u'\t', u' ');
    return cell;
}

QString Protect(const QString& cell)
{
    return NeedsApostrophe(cell) ? u'\'' + cell : cell;
}

QStringView Unprotect(QStringView cell)
{
    return cell.startsWith(u'\'') && NeedsApostrophe(cell) ? cell.mid(1) : cell;
}

QString GridText(const TTraceGrid& grid, bool newestFirst)
{
    const int count = grid.rowCount();
    qsizetype size = 0;
    for (int row = 0; row < count; ++row)
        size += RowSizeAtMost(grid.Row(row));
    QString text(size, Qt::Uninitialized);
    QChar* const begin = text.data();
    QChar* out = begin;
    for (int i = 0; i < count; ++i)
        out = WriteRow(out, grid.Row(newestFirst ? count - 1 - i : i));
    text.truncate(out - begin);
    return text;
}

} // namespace TraceLine
