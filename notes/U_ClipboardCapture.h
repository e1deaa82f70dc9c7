#pragma once

#include <QObject>
#include <QString>

class QClipboard;
class QMimeData;
class TNotesPad;

// Takes every text the user copies (Ctrl+C) into the notes pad as new lines, once the editor has
// been shown and while "Presse-papier" is ticked.
class TClipboardCapture : public QObject
{
    Q_OBJECT
public:
    // `clipboard` may be null: the copies then come only through Capture.
    TClipboardCapture(TNotesPad& pad, QClipboard* clipboard, QObject* parent = nullptr);

    // One change of the clipboard's content: its text, when it has one, becomes pad lines.
    // Never fails: a copy that cannot be read adds nothing.
    void Capture(const QMimeData* data);

    // The last text taken into the pad, without the "Horaire +" suffix.
    QString LastClipboardText() const { return lastClipboardText; }

private:
    void ClipboardChanged();
    void CaptureText(const QMimeData& data);

    TNotesPad& pad;
    QClipboard* clipboard;
    QString lastClipboardText;
};
