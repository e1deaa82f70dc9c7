#include "notes/U_NotesPad.h"

#include "core/U_Constantes.h"
#include "core/U_Dialogs.h"
#include "core/U_FileReason.h"
#include "core/U_Glb.h"
#include "core/U_KeepAside.h"
#include "core/U_TextFile.h"
#include "notes/U_DocumentFill.h"
#include "notes/U_NotesFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <utility>

TNotesPad::TNotesPad(QObject* parent)
    : QObject(parent), document(new QTextDocument(this)), fill(new TDocumentFill(document, this))
{
    // Plain lines only: nothing the pad receives is ever taken as rich text.
    document->setUndoRedoEnabled(false);
    connect(document, &QTextDocument::contentsChanged, this, [this]() {
        // The file's own lines coming in are no change.
        if (fill->Inserting())
            return;
        Glb().Modified = true;
        differsFromFile = true;
    });
    // A file that comes in over several turns is loaded once its last line is in, even when
    // that happens while a message of a save is open; a file all in at its first step is told
    // by its load.
    connect(fill, &TDocumentFill::Done, this, [this]() {
        if (!fillStarting)
            Q_EMIT FileLoaded(loadedFirstLine, loadedLineCount);
    });
}

TNotesPad::~TNotesPad() = default;

// The document holds the lines as a memo's text does: each line followed by a line break, so
// that a last empty block is the place after the last line, not a line of its own.
int TNotesPad::LineCount() const
{
    const int blocks = document->blockCount();
    return document->lastBlock().length() <= 1 ? blocks - 1 : blocks;
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
    // One edit, one change notice, however many lines the text holds. The cursor is placed
    // inside it: moved outside, it would lay out the pad's first line on its way.
    end.beginEditBlock();
    end.setPosition(document->characterCount() - 1);
    // A last line typed without its line break gets one first.
    if (document->lastBlock().length() > 1)
        end.insertBlock();
    const QStringList lines = TextCodec::SplitLines(text);
    TellUnbreakable(text);
    end.insertText(lines.join(u'\n') + u'\n');
    end.endEditBlock();
}

void TNotesPad::ReplaceLines(int first, int count, const QStringList& lines)
{
    QString text = lines.isEmpty() ? QString() : lines.join(u'\n') + u'\n';
    TellUnbreakable(text);
    const auto startOf = [this](int line) {
        return line < document->blockCount() ? document->findBlockByNumber(line).position()
                                             : document->characterCount() - 1;
    };
    QTextCursor cursor(document);
    // Placed inside the edit, so that no line is laid out on the way.
    cursor.beginEditBlock();
    cursor.setPosition(startOf(first));
    cursor.setPosition(startOf(first + count), QTextCursor::KeepAnchor);
    // Lines after a kept last line typed without its line break start a line of their own.
    if (first >= document->blockCount() && document->lastBlock().length() > 1 && !text.isEmpty())
        text.prepend(u'\n');
    cursor.insertText(text);
    cursor.endEditBlock();
}

void TNotesPad::AddNotesEntry(const QString& text)
{
    AppendLine(Glb().Options.AddHourOnEntry ? text + QStringLiteral(" - ") + CurrentTimeText()
                                            : text);
}

// Told before the text comes in, so that a view lays it out once, and in the right way.
void TNotesPad::TellUnbreakable(QStringView text)
{
    if (NotesText::HoldsUnbreakableRun(text))
        Q_EMIT UnbreakableLineComing();
}

bool TNotesPad::Loading() const
{
    return fill->Running();
}

void TNotesPad::Clear()
{
    fill->Stop();
    document->clear();
}

QString TNotesPad::NotesFilePath() const
{
    return defaultNotesInUse ? NotesFiles::DefaultPath() : otherNotesPath;
}

bool TNotesPad::UseOtherFile(const QString& path)
{
    QByteArray bytes;
    if (NotesFiles::TellOwnDataFile(path) ||
        (QFileInfo::exists(path) && !NotesFiles::ReadShowable(path, bytes)))
        return false;
    defaultNotesInUse = false;
    otherNotesPath = path;
    original = TOriginal::Kept;
    stamp = TFileStamp();
    return true;
}

void TNotesPad::UseDefaultFile()
{
    defaultNotesInUse = true;
    otherNotesPath.clear();
    otherForm = NotesText::TTextForm();
    stamp = TFileStamp();
}

bool TNotesPad::LoadNotes()
{
    const QScopedValueRollback<bool> busyNow(busy, true);
    const QString header = NotesText::NewHeader();
    const QString path = NotesFilePath();
    QString text;
    bool shown = true;
    if (!QFileInfo::exists(path)) {
        CreateNotesFile(path, header, text);
    } else if (defaultNotesInUse) {
        shown = ReadNotesFile(path, text);
    } else if (!ReadOtherFile(path, text)) {
        // Rather than an empty pad bound to a file it does not show, the default file.
        UseDefaultFile();
        LoadNotes();
        return false;
    }
    Q_EMIT FileNameChanged(QFileInfo(path).fileName());
    // A load still coming in ends (and is told) first: this one's lines come after it.
    fill->Finish();
    const bool appended = LineCount() > 0;
    QStringList dayLines;
    if (defaultNotesInUse && NotesText::IsNewDay(NotesText::LastHeader(text), header))
        dayLines = {NotesText::DaySeparator(), header, NotesText::Rule()};
    TellUnbreakable(text);
    loadedFirstLine = LineCount();
    loadedLineCount = static_cast<int>(NotesText::CountLines(text));
    {
        const QScopedValueRollback<bool> starting(fillStarting, true);
        fill->Start(std::move(text), dayLines);
    }
    differsFromFile = appended;
    Glb().Modified = false;
    Glb().DataLoaded = true;
    if (!fill->Running())
        Q_EMIT FileLoaded(loadedFirstLine, loadedLineCount);
    return shown;
}

bool TNotesPad::ReadNotesFile(const QString& path, QString& text)
{
    QByteArray bytes;
    QString error;
    if (!TextFile::ReadBytes(path, bytes, &error)) {
        NotesFiles::TellUnread(path, error);
        original = TOriginal::MoveFirst;
        return false;
    }
    original = NotesText::HoldsNulBytes(bytes) ? TOriginal::CopyFirst : TOriginal::Kept;
    stamp = TFileStamp::Of(path, bytes);
    text = NotesText::DecodeDefault(std::move(bytes));
    return true;
}

bool TNotesPad::ReadOtherFile(const QString& path, QString& text)
{
    QByteArray bytes;
    if (!NotesFiles::ReadShowable(path, bytes))
        return false;
    stamp = TFileStamp::Of(path, bytes);
    text = NotesText::DecodeAsFound(bytes, otherForm);
    return true;
}

bool TNotesPad::CreateNotesFile(const QString& path, const QString& header, QString& text)
{
    text = TextCodec::JoinLines({header, NotesText::Rule()});
    otherForm = NotesText::TTextForm();
    original = TOriginal::Kept;
    QString error;
    const QByteArray bytes = TextCodec::Encode(text);
    if (TextFile::ReplaceBytes(path, bytes, &error)) {
        stamp = TFileStamp::Of(path, bytes);
        return true;
    }
    // The pad shows the two lines all the same: the next save writes them.
    ShowPlainMessage(QStringLiteral("Création de ") + path + QStringLiteral(" impossible : ") +
                     error + QStringLiteral(" KO"));
    return false;
}

bool TNotesPad::SaveNotes()
{
    const QScopedValueRollback<bool> busyNow(busy, true);
    const QString saveStamp =
        QStringLiteral(" [Dernier enreg. à ") + CurrentTimeText() + QStringLiteral("]");
    if (!Glb().DataLoaded) {
        // Lines that reached the pad before the file was read must not replace the file's.
        const bool modified = Glb().Modified;
        LoadNotes();
        Glb().Modified = modified;
    }
    const QString path = NotesFilePath();
    if (!defaultNotesInUse && !differsFromFile && QFileInfo::exists(path))
        return true;
    const bool stamped = defaultNotesInUse && Glb().Options.TimeOnRecording;
    bool written = false;
    QString error;
    if (defaultNotesInUse) {
        QString text = PadText(u"\r\n", true);
        if (stamped)
            text += saveStamp + QStringLiteral("\r\n");
        written = KeepOriginal(path, &error) && WriteFile(path, TextCodec::Encode(text), &error);
    } else {
        NotesText::TTextForm form = otherForm;
        // From the whole text, not the blocks shown so far: the file may still be coming in.
        QStringList lines = fill->FinalRawText().split(QChar::ParagraphSeparator);
        const bool endsWithBreak = lines.last().isEmpty();
        if (endsWithBreak)
            lines.removeLast();
        const QString text = NotesText::JoinInOwnForm(lines, endsWithBreak, form);
        written = WriteFile(path, NotesText::EncodeAsFound(text, form), &error);
        if (written)
            otherForm = std::move(form);
    }
    if (!written) {
        ShowPlainMessage(WithReason(path + QStringLiteral(" est-il ouvert ?"), error));
        return false;
    }
    if (stamped)
        AppendLine(saveStamp);
    differsFromFile = false;
    // Saved while the file still comes in: once it is all in, every line of the pad is the
    // file's.
    if (fill->Running()) {
        loadedFirstLine = 0;
        loadedLineCount = static_cast<int>(NotesText::CountLines(fill->FinalRawText()));
    }
    return true;
}

// Another program's version of the file is never replaced unseen: it is kept aside first.
bool TNotesPad::WriteFile(const QString& path, const QByteArray& bytes, QString* error)
{
    QString kept;
    if (!FileStamp::KeepOthersVersion(path, stamp, kept))
        return false;
    const bool written = TextFile::ReplaceBytes(path, bytes, error);
    if (written)
        stamp = TFileStamp::Of(path, bytes);
    FileStamp::TellKeptVersion(path, kept);
    return written;
}

bool TNotesPad::DiskFileChanged()
{
    // A message of a load or a save is open: the file is looked at once it is over.
    if (busy)
        return false;
    const QString path = NotesFilePath();
    if (!Glb().DataLoaded || !stamp.IsKnown() || stamp.LooksCurrent(path))
        return true;
    const TFileStamp now = TFileStamp::Current(path);
    // Gone or unreadable for the moment: the next save writes the pad there again.
    if (!now.IsKnown() || !now.Exists())
        return true;
    if (now.SameContent(stamp)) {
        stamp = now;
        return true;
    }
    if (differsFromFile) {
        SaveNotes();
        return true;
    }
    // The trace's own unsaved changes are still to be asked about.
    const bool modified = Glb().Modified;
    Clear();
    LoadNotes();
    Glb().Modified = modified;
    ShowMessageWindow(QFileInfo(NotesFilePath()).fileName() + QStringLiteral(" rechargé"), 0xFFFFFF,
                      0, 1200, 18, 0, 0);
    return true;
}

QString TNotesPad::PadText(QStringView lineEnd, bool endWithBreak) const
{
    // Whole even while the file is still coming in: a save never cuts the file short.
    const QString raw = fill->FinalRawText();
    QString text = NotesText::WithLineEnds(raw, lineEnd);
    if (endWithBreak && !raw.isEmpty() && !raw.endsWith(QChar::ParagraphSeparator))
        text += lineEnd;
    return text;
}

// Before the default file is first rewritten, a file read without its NUL bytes is copied and
// one that could not be read is moved aside, under a dated name, and the user told where.
// False when that failed: the file must then stay as it is.
bool TNotesPad::KeepOriginal(const QString& path, QString* error)
{
    if (original == TOriginal::Kept)
        return true;
    const bool copy = original == TOriginal::CopyFirst;
    const KeepAside::TKeptAs as{QStringLiteral("Tarvelle_original"), QStringLiteral(".txt"),
                                copy ? nullptr : &NotesFiles::MoveFile};
    const QString message =
        copy ? QStringLiteral("Tarvelle.txt contenait des octets nuls, laissés de côté : le "
                              "fichier d'origine est conservé sous ")
             : QStringLiteral("Tarvelle.txt n'a pas pu être lu : il est conservé sous ");
    if (!KeepAside::KeepAndTell(path, as, message, error))
        return false;
    original = TOriginal::Kept;
    return true;
}

QString TNotesPad::BackupNotesFile()
{
    const QString path = NotesFiles::DefaultPath();
    if (!QFileInfo::exists(path)) {
        ShowPlainMessage(QStringLiteral("Tarvelle.txt est introuvable : aucune copie n'est faite "
                                        "et rien n'est effacé."));
        return QString();
    }
    // A name already taken gets "_2", "_3" …: an earlier backup is never overwritten.
    const QString backup = FreeDatedPath(QStringLiteral("Tarvelle_"), QStringLiteral(".txt"));
    if (!QFile::rename(path, backup)) {
        ShowPlainMessage(QStringLiteral("La copie ") + backup +
                         QStringLiteral(" n'a pas pu être faite : Tarvelle.txt est conservé et "
                                        "rien n'est effacé."));
        return QString();
    }
    // The backup holds the file as it was, NUL bytes and all.
    original = TOriginal::Kept;
    return backup;
}

bool TNotesPad::RemoveDefaultFile()
{
    const QString path = NotesFiles::DefaultPath();
    Clear();
    original = TOriginal::Kept;
    if (!QFileInfo::exists(path) || QFile::remove(path))
        return true;
    ShowPlainMessage(QStringLiteral("Tarvelle.txt n'a pas pu être effacé : il est rechargé tel "
                                    "qu'il est."));
    return false;
}
