#include "notes/U_NotesPad.h"

#include "core/U_Glb.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

TNotesPad::TNotesPad(QObject* parent) : QObject(parent), document(new QTextDocument(this))
{
    // Plain lines only: nothing the pad receives is ever taken as rich text.
    document->setUndoRedoEnabled(false);
    connect(document, &QTextDocument::contentsChanged, this, []() { Glb().Modified = true; });
}

TNotesPad::~TNotesPad() = default;

// The document holds the lines as a memo's text does: each line followed by a line break, so
// that a last empty block is the place after the last line, not a line of its own.
int TNotesPad::LineCount() const
{
    const int blocks = document->blockCount();
    return document->lastBlock().text().isEmpty() ? blocks - 1 : blocks;
}

QString TNotesPad::Line(int index) const
{
    return document->findBlockByNumber(index).text();
}

QStringList TNotesPad::Lines() const
{
    QStringList lines;
    const int count = LineCount();
    lines.reserve(count);
    QTextBlock block = document->begin();
    for (int i = 0; i < count; ++i, block = block.next())
        lines.append(block.text());
    return lines;
}

void TNotesPad::AppendLine(const QString& text)
{
    QTextCursor end(document);
    end.movePosition(QTextCursor::End);
    // A last line typed without its line break gets one first.
    if (!document->lastBlock().text().isEmpty())
        end.insertBlock();
    const QStringList lines = TextCodec::SplitLines(text);
    for (const QString& line : lines.isEmpty() ? QStringList{QString()} : lines) {
        end.insertText(line);
        end.insertBlock();
    }
}

void TNotesPad::AddNotesEntry(const QString& text)
{
    AppendLine(Glb().Options.AddHourOnEntry ? text + QStringLiteral(" - ") + CurrentTimeText()
                                            : text);
}

void TNotesPad::Clear()
{
    document->clear();
}
