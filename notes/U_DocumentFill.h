#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTextCursor>
#include <QTimer>

class QTextDocument;

// Brings a file's text into the pad's document a step at a time, one step per event-loop
// turn, so that no file, however large, holds the window for long; what comes in this way is
// the file's, not a change.
class TDocumentFill : public QObject
{
    Q_OBJECT
public:
    explicit TDocumentFill(QTextDocument* document, QObject* parent = nullptr);

    // Starts bringing `text`, then the `tail` lines, in after what the document holds: the
    // first step at once (the whole of a small file), the others queued.
    void Start(QString text, const QStringList& tail);
    // Brings in at once what is still to come.
    void Finish();
    // Drops what has not come in yet.
    void Stop();
    bool Running() const { return running; }
    // True while one of the fill's own insertions is under way.
    bool Inserting() const { return inserting; }
    // The document's raw text (U+2029 between the lines) as it will be once filled, with
    // everything typed or added meanwhile where it would then stand.
    QString FinalRawText() const;

Q_SIGNALS:
    // The whole text and its tail lines are in (not sent when stopped before).
    void Done();

private:
    void Step();
    void Insert(const QString& raw);
    // What is still to come, in raw form, as it would go in if it all went in now.
    QString Remainder() const;

    QTextDocument* document;
    QTimer next;
    // Where the file's text goes on: after the last step, before lines added meanwhile.
    QTextCursor at;
    QString rest;
    qsizetype from = 0;
    QStringList tailLines;
    bool running = false;
    bool inserting = false;
};
