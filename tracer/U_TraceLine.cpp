#include "tracer/U_TraceLine.h"

#include <algorithm>

namespace TraceLine {

namespace {
bool IsFormulaStart(QChar c)
{
    return c == u'=' || c == u'+' || c == u'-' || c == u'@';
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

qsizetype RowSizeAtMost(const TTraceCells& cells)
{
    qsizetype size = 2 * TraceColumn::count + 1;
    for (const QString& cell : cells)
        size += cell.size();
    return size;
}
} // namespace TraceLine
