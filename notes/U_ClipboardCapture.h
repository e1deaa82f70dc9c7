#pragma once

#include <QObject>
#include <QString>

class TNotesPad;
struct TClipboardText;

// Takes every text the user copies (Ctrl+C) into the notes pad as new lines, once the editor has
// been shown and while "Presse-papier" is ticked.
class TClipboardCapture : public QObject
{
    Q_OBJECT
public:
    // The largest copy taken into the pad; a larger one leaves a line saying so.
    static constexpr qint64 kMaxCopyBytes = 1 << 20;

    // Watches the clipboard through the platform for as long as it lives.
    explicit TClipboardCapture(TNotesPad& pad, QObject* parent = nullptr);
    ~TClipboardCapture() override;

    // One copy: its text becomes pad lines. Never fails.
    void Capture(const TClipboardText& copy);

    // The last text taken into the pad, without the "Horaire +" suffix.
    QString LastClipboardText() const { return lastClipboardText; }

    // Whether copies can be followed on this display at all.
    bool Watching() const { return watching; }
    // Where they cannot, tells the user so, once, when copies are to be captured.
    void TellIfUnwatched();

private:
    static bool Wanted();

    TNotesPad& pad;
    QString lastClipboardText;
    bool watching = false;
    bool told = false;
};
