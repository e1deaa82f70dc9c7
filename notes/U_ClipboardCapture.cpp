#include "notes/U_ClipboardCapture.h"

#include "core/U_Dialogs.h"
#include "core/U_Glb.h"
#include "notes/U_CopiedText.h"
#include "notes/U_NotesPad.h"
#include "platform/U_Platform.h"

#include <QTimer>

TClipboardCapture::TClipboardCapture(TNotesPad& pad, QObject* parent) : QObject(parent), pad(pad)
{
    // Only the Ctrl+C clipboard, never the mouse selection, and only copies made from now on.
    // The flags are asked first, so that a copy that will not be taken is not even fetched
    // from the program that owns it.
    watching = Platform().WatchClipboard(kMaxCopyBytes, &TClipboardCapture::Wanted,
                                         [this](const TClipboardText& copy) { Capture(copy); });
    // Said once the start-up is done, so that the message holds none of it up.
    if (!watching)
        QTimer::singleShot(0, this, &TClipboardCapture::TellIfUnwatched);
}

TClipboardCapture::~TClipboardCapture()
{
    Platform().StopClipboardWatch();
}

void TClipboardCapture::TellIfUnwatched()
{
    if (watching || told || !Glb().Options.ClipboardCapture)
        return;
    told = true;
    ShowPlainMessage(QStringLiteral("Le presse-papier ne peut pas être suivi sur cet écran : les "
                                    "copies ne seront pas ajoutées aux notes."));
}

bool TClipboardCapture::Wanted()
{
    return !Glb().EditorFirstShowPending && Glb().Options.ClipboardCapture;
}

void TClipboardCapture::Capture(const TClipboardText& copy)
{
    if (!Wanted())
        return;
    // A NUL or a control character in the notes file would make it read as no text at all.
    QString text =
        copy.tooLarge ? CopiedText::TooLargeLine(copy.size) : CopiedText::Cleaned(copy.text);
    if (text == lastClipboardText && Glb().Options.NoRepeatOnCopy)
        return;
    lastClipboardText = text;
    if (Glb().Options.AddHourOnEntry)
        text += QStringLiteral(" - ") + CurrentTimeText();
    pad.AppendLine(text);
}
