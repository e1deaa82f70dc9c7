#include "notes/U_NotesPad.h"

#include "core/U_Constantes.h"
#include "core/U_Dialogs.h"
#include "core/U_Glb.h"
#include "core/U_TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

TNotesPad::TNotesPad(QObject* parent) : QObject(parent), document(new QTextDocument(this))
{
    // Plain lines only: nothing the pad receives is ever taken as rich text.
    document->setUndoRedoEnabled(false);
    connect(document, &QTextDocument::contentsChanged, this, [this]() {
        Glb().Modified = true;
        differsFromFile = true;
    });
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
    // One edit, one change notice, however many lines the text holds.
    end.beginEditBlock();
    // A last line typed without its line break gets one first.
    if (!document->lastBlock().text().isEmpty())
        end.insertBlock();
    const QStringList lines = TextCodec::SplitLines(text);
    end.insertText(lines.join(u'\n') + u'\n');
    end.endEditBlock();
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

namespace {
QString DefaultNotesPath()
{
    return AppFolder() + Constantes::NotesFileName;
}

void TellUnread(const QString& path, const QString& error)
{
    ShowPlainMessage(QStringLiteral("Lecture de ") + path + QStringLiteral(" impossible : ") +
                     error + QStringLiteral(" KO"));
}

// Another file is shown only when it can be read and is text: one holding NUL bytes is not.
bool ReadShowable(const QString& path, QByteArray& bytes)
{
    QString error;
    if (!TextFile::ReadBytes(path, bytes, &error)) {
        TellUnread(path, error);
        return false;
    }
    if (!NotesText::HoldsNulBytes(bytes))
        return true;
    ShowPlainMessage(path + QStringLiteral(" n'est pas un fichier texte (il contient des octets "
                                           "nuls) : il n'est ni affiché ni modifié."));
    return false;
}
} // namespace

QString TNotesPad::NotesFilePath() const
{
    return defaultNotesInUse ? DefaultNotesPath() : otherNotesPath;
}

bool TNotesPad::UseOtherFile(const QString& path)
{
    QByteArray bytes;
    if (QFileInfo::exists(path) && !ReadShowable(path, bytes))
        return false;
    defaultNotesInUse = false;
    otherNotesPath = path;
    original = TOriginal::Kept;
    return true;
}

void TNotesPad::UseDefaultFile()
{
    defaultNotesInUse = true;
    otherNotesPath.clear();
    otherForm = NotesText::TTextForm();
}

bool TNotesPad::LoadNotes()
{
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
    const int firstLine = LineCount();
    const bool appended = firstLine > 0;
    InsertText(text);
    const int fileLines = LineCount() - firstLine;
    if (defaultNotesInUse && NotesText::IsNewDay(NotesText::LastHeader(text), header)) {
        AppendLine(NotesText::DaySeparator());
        AppendLine(header);
        AppendLine(NotesText::Rule());
    }
    differsFromFile = appended;
    Glb().Modified = false;
    Glb().DataLoaded = true;
    Q_EMIT FileLoaded(firstLine, fileLines);
    return shown;
}

bool TNotesPad::ReadNotesFile(const QString& path, QString& text)
{
    QByteArray bytes;
    QString error;
    if (!TextFile::ReadBytes(path, bytes, &error)) {
        TellUnread(path, error);
        original = TOriginal::MoveFirst;
        return false;
    }
    original = NotesText::HoldsNulBytes(bytes) ? TOriginal::CopyFirst : TOriginal::Kept;
    text = NotesText::DecodeDefault(std::move(bytes));
    return true;
}

bool TNotesPad::ReadOtherFile(const QString& path, QString& text)
{
    QByteArray bytes;
    if (!ReadShowable(path, bytes))
        return false;
    text = NotesText::DecodeAsFound(bytes, otherForm);
    return true;
}

bool TNotesPad::CreateNotesFile(const QString& path, const QString& header, QString& text)
{
    text = TextCodec::JoinLines({header, NotesText::Rule()});
    otherForm = NotesText::TTextForm();
    original = TOriginal::Kept;
    QString error;
    if (TextFile::Replace(path, text, &error))
        return true;
    // The pad shows the two lines all the same: the next save writes them.
    ShowPlainMessage(QStringLiteral("Création de ") + path + QStringLiteral(" impossible : ") +
                     error + QStringLiteral(" KO"));
    return false;
}

void TNotesPad::InsertText(const QString& text)
{
    if (text.isEmpty())
        return;
    QTextCursor end(document);
    end.movePosition(QTextCursor::End);
    if (document->lastBlock().length() > 1)
        end.insertBlock();
    // The whole file in one insertion: the document cuts it into blocks at its line ends.
    end.insertText(text);
}

bool TNotesPad::SaveNotes()
{
    const QString stamp =
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
    if (defaultNotesInUse) {
        QString text = PadText(u"\r\n", true);
        if (stamped)
            text += stamp + QStringLiteral("\r\n");
        written = KeepOriginal(path) && TextFile::Replace(path, text);
    } else {
        const QString text = PadText(otherForm.lineEnd, false);
        written = TextFile::ReplaceBytes(path, NotesText::EncodeAsFound(text, otherForm));
    }
    if (!written) {
        ShowPlainMessage(path + QStringLiteral("est-il ouvert ?"));
        return false;
    }
    if (stamped)
        AppendLine(stamp);
    differsFromFile = false;
    return true;
}

QString TNotesPad::PadText(QStringView lineEnd, bool endWithBreak) const
{
    QString text = NotesText::WithLineEnds(document->toRawText(), lineEnd);
    if (endWithBreak && document->lastBlock().length() > 1)
        text += lineEnd;
    return text;
}

// Before the default file is first rewritten, a file read without its NUL bytes is copied and
// one that could not be read is moved aside, under a dated name, and the user told where.
// False when that failed: the file must then stay as it is.
bool TNotesPad::KeepOriginal(const QString& path)
{
    if (original == TOriginal::Kept)
        return true;
    if (QFileInfo::exists(path)) {
        const QString kept =
            FreeDatedPath(QStringLiteral("Tarvelle_original"), QStringLiteral(".txt"));
        const bool copy = original == TOriginal::CopyFirst;
        if (!(copy ? TextFile::Copy(path, kept) : QFile::rename(path, kept)))
            return false;
        ShowPlainMessage(copy
                             ? QStringLiteral("Tarvelle.txt contenait des octets nuls, laissés "
                                              "de côté : le fichier d'origine est conservé sous ") +
                                   kept
                             : QStringLiteral("Tarvelle.txt n'a pas pu être lu : il est "
                                              "conservé sous ") +
                                   kept);
    }
    original = TOriginal::Kept;
    return true;
}

QString TNotesPad::BackupNotesFile()
{
    const QString path = DefaultNotesPath();
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
    const QString path = DefaultNotesPath();
    Clear();
    original = TOriginal::Kept;
    if (!QFileInfo::exists(path) || QFile::remove(path))
        return true;
    ShowPlainMessage(QStringLiteral("Tarvelle.txt n'a pas pu être effacé : il est rechargé tel "
                                    "qu'il est."));
    return false;
}
