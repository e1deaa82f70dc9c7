#include "notes/U_DocumentFill.h"

#include "notes/U_NotesText.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <utility>

namespace {
// About a million characters a step: a few hundredths of a second of the document's work.
constexpr qsizetype kStep = qsizetype(1) << 20;
constexpr QChar kBreak = QChar::ParagraphSeparator;
} // namespace

TDocumentFill::TDocumentFill(QTextDocument* document, QObject* parent)
    : QObject(parent), document(document)
{
    next.setSingleShot(true);
    next.setInterval(0);
    connect(&next, &QTimer::timeout, this, &TDocumentFill::Step);
}

void TDocumentFill::Start(QString text, const QStringList& tail)
{
    // A file loaded over one still coming in: all of the first goes in before.
    Finish();
    // Made raw in place: a large file is not held twice.
    rest = NotesText::RawLines(std::move(text));
    from = 0;
    tailLines = tail;
    running = true;
    at = QTextCursor(document);
    // Lines added while the file comes in go after it, not into it.
    at.setKeepPositionOnInsert(true);
    // Placed inside an edit: a cursor placed or moved outside one lays out the block it lands
    // in or leaves, all of a line of megabytes at once.
    at.beginEditBlock();
    at.setPosition(document->characterCount() - 1);
    at.endEditBlock();
    // A last line typed without its line break gets one before the file's first line.
    if (!rest.isEmpty() && document->lastBlock().length() > 1)
        Insert(QString(kBreak));
    Step();
}

void TDocumentFill::Finish()
{
    while (running)
        Step();
}

void TDocumentFill::Stop()
{
    next.stop();
    running = false;
    rest.clear();
    tailLines.clear();
    at = QTextCursor();
}

void TDocumentFill::Step()
{
    if (!running)
        return;
    // Whole lines a step, so that no line is laid out again for each of its parts.
    qsizetype end = rest.size();
    if (from + kStep < rest.size()) {
        end = rest.indexOf(kBreak, from + kStep - 1);
        end = end < 0 ? rest.size() : end + 1;
    }
    if (end < rest.size()) {
        Insert(rest.sliced(from, end - from));
        from = end;
        next.start();
        return;
    }
    // The last lines and what closes the load in one edit: a last line without its line end
    // then comes in with other lines, and is laid out only when shown.
    Insert(Remainder());
    Stop();
    Q_EMIT Done();
}

void TDocumentFill::Insert(const QString& raw)
{
    if (raw.isEmpty())
        return;
    QTextCursor cursor(at);
    cursor.setKeepPositionOnInsert(false);
    // Text added at the place where the file goes on moves the place's anchor, not the place.
    cursor.clearSelection();
    inserting = true;
    cursor.beginEditBlock();
    cursor.insertText(raw);
    at.setPosition(cursor.position());
    cursor.endEditBlock();
    inserting = false;
}

QString TDocumentFill::Remainder() const
{
    QString raw = rest.sliced(from);
    const bool lineOpen = raw.isEmpty() ? !at.atBlockStart() : !raw.endsWith(kBreak);
    const bool followed = !tailLines.isEmpty() || !at.atEnd();
    if (lineOpen && followed)
        raw += kBreak;
    if (!tailLines.isEmpty())
        raw += tailLines.join(kBreak) + kBreak;
    return raw;
}

QString TDocumentFill::FinalRawText() const
{
    const QString raw = document->toRawText();
    if (!running)
        return raw;
    const qsizetype split = at.position();
    return raw.left(split) + Remainder() + raw.sliced(split);
}
