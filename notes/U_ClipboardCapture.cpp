#include "notes/U_ClipboardCapture.h"

#include "core/U_Glb.h"
#include "notes/U_NotesPad.h"

#include <QClipboard>
#include <QMimeData>

namespace {
// Password managers mark what they copy with this type, so that clipboard histories leave it
// out; a password must never land in a plain text file.
bool MarkedSecret(const QMimeData& data)
{
    const QString hint = QStringLiteral("x-kde-passwordManagerHint");
    return data.hasFormat(hint) && data.data(hint) == QByteArrayLiteral("secret");
}

// Plain text proper: Qt also reports copied files (a URL list) as text, and those are not a
// text the user copied.
bool HoldsPlainText(const QMimeData& data)
{
    return data.hasFormat(QStringLiteral("text/plain"));
}
} // namespace

TClipboardCapture::TClipboardCapture(TNotesPad& pad, QClipboard* clipboard, QObject* parent)
    : QObject(parent), pad(pad), clipboard(clipboard)
{
    // Only the Ctrl+C clipboard: dataChanged is not sent for the mouse selection. Nothing is
    // read here, so what the clipboard holds at start is never taken.
    if (clipboard)
        connect(clipboard, &QClipboard::dataChanged, this, &TClipboardCapture::ClipboardChanged);
}

void TClipboardCapture::ClipboardChanged()
{
    // The flags come first, so that a copy that will not be taken is not even fetched from the
    // program that owns it.
    if (Glb().EditorFirstShowPending || !Glb().Options.ClipboardCapture)
        return;
    Capture(clipboard->mimeData(QClipboard::Clipboard));
}

void TClipboardCapture::Capture(const QMimeData* data)
{
    if (!data || Glb().EditorFirstShowPending || !Glb().Options.ClipboardCapture)
        return;
    // Reading the clipboard never troubles the user: whatever fails, the pad stays as it was.
    try {
        CaptureText(*data);
    } catch (...) {
    }
}

void TClipboardCapture::CaptureText(const QMimeData& data)
{
    if (!HoldsPlainText(data) || MarkedSecret(data))
        return;
    QString text = data.text();
    if (text == lastClipboardText && Glb().Options.NoRepeatOnCopy)
        return;
    lastClipboardText = text;
    if (Glb().Options.AddHourOnEntry)
        text += QStringLiteral(" - ") + CurrentTimeText();
    pad.AppendLine(text);
}
