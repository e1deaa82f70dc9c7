#pragma once

#include "core/U_FileStamp.h"
#include "notes/U_NotesText.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QStringView>

class QTextDocument;
class TDocumentFill;

// The notes as one component: the pad's lines, the file they come from and go back to, and
// the entries added to them. The editor window shows and edits its document; the main window
// adds entries through it. Every change of the pad sets `Modified`.
class TNotesPad : public QObject
{
    Q_OBJECT
public:
    explicit TNotesPad(QObject* parent = nullptr);
    ~TNotesPad() override;

    // The pad's text as the editor shows it: plain text, one block a line, the last block (the
    // place after the last line break) empty unless a last line was typed without a break.
    QTextDocument* Document() const { return document; }
    int LineCount() const;
    QString Line(int index) const;
    QStringList Lines() const;

    // Appends `text` as a new last line; line breaks in it (CR LF, LF, CR) start further lines.
    void AppendLine(const QString& text);
    // An entry: `text`, followed by " - " and the time when "Horaire +" is ticked.
    void AddNotesEntry(const QString& text);
    // Replaces the `count` lines from line `first` on by `lines`, each with its line break, in
    // one edit that leaves the other lines as they are.
    void ReplaceLines(int first, int count, const QStringList& lines);
    // Empties the pad; a load under way ends there.
    void Clear();

    // The file the pad belongs to: AppFolder + "Tarvelle.txt", or the other file shown.
    bool DefaultNotesInUse() const { return defaultNotesInUse; }
    QString OtherNotesPath() const { return otherNotesPath; }
    QString NotesFilePath() const;
    // The pad shows another file from the next load on (the pad is not emptied here). A file
    // that cannot be read or holds NUL bytes (not text) is refused, told in French: false,
    // and the default file stays in use.
    bool UseOtherFile(const QString& path);
    void UseDefaultFile();

    // The notes half of the common load: appends the file's lines to the pad (the file made
    // with a header and a rule when missing), the day lines for a new day in the default
    // file; `Modified` false, `DataLoaded` true. Errors are told (text + " KO"). False when
    // the file could not be shown: another file is then left for the default file, loaded
    // instead; the default file's unread original is set aside before its first rewrite.
    // A large file comes in over several event-loop turns, lines added meanwhile after it.
    bool LoadNotes();
    // True while the file's lines are still coming into the pad.
    bool Loading() const;
    // The notes half of the common save: the pad into its file, replaced as a whole, with the
    // save stamp for the default file when "Time sur enregistrement" is ticked. False, told
    // (path + " est-il ouvert ?" and the reason), and nothing changed when the file could not be
    // written. Another file keeps its own encoding and line ends, and is not rewritten while
    // unchanged. During a load the file is written whole, with what was added meanwhile.
    bool SaveNotes();
    // Moves the default file to its dated backup name in the program's folder; the backup's
    // path, or empty (told in French) when it could not be made: then nothing is removed.
    QString BackupNotesFile();
    // Removes the default file and empties the pad; the load that follows starts it anew.
    bool RemoveDefaultFile();

    // The pad's file changed on disk: when it holds something else than what the pad was
    // loaded from or saved to, a pad without unsaved change is loaded again (and the user told
    // "<name> rechargé"); a pad with unsaved changes is saved, that version of the file kept
    // aside under a dated name first. A change made by the pad's own save is no change. False
    // when the pad cannot look now (a message of a load or a save is open): to be tried later.
    bool DiskFileChanged();

Q_SIGNALS:
    // The file-name part of the file the pad belongs to, at every load.
    void FileNameChanged(const QString& name);
    // A line with a long run of characters and no place to wrap between words is about to
    // come into the pad (see NotesText::HoldsUnbreakableRun).
    void UnbreakableLineComing();
    // A load put the file's `lineCount` lines into the pad from line `firstLine` on; sent once
    // they are all in (after a save during the load, the file's lines are all the pad's).
    void FileLoaded(int firstLine, int lineCount);

private:
    // What must become of the default file as it was before its first rewrite.
    enum class TOriginal
    {
        Kept,
        CopyFirst, // read without its NUL bytes
        MoveFirst  // could not be read at all
    };

    bool ReadNotesFile(const QString& path, QString& text);
    bool ReadOtherFile(const QString& path, QString& text);
    bool CreateNotesFile(const QString& path, const QString& header, QString& text);
    QString PadText(QStringView lineEnd, bool endWithBreak) const;
    bool KeepOriginal(const QString& path, QString* error);
    bool WriteFile(const QString& path, const QByteArray& bytes, QString* error);
    void TellUnbreakable(QStringView text);

    QTextDocument* document;
    TDocumentFill* fill;
    bool defaultNotesInUse = true;
    QString otherNotesPath;
    // How the other file shown was written, so that saving it keeps its bytes' form.
    NotesText::TTextForm otherForm;
    // The pad may differ from its file: changed since loaded or saved.
    bool differsFromFile = false;
    TOriginal original = TOriginal::Kept;
    // What the file held when the pad was last loaded from or saved to it.
    TFileStamp stamp;
    // A load or a save is under way (it may be showing a message).
    bool busy = false;
    // Where the file's lines of the load under way go, and how many they are.
    int loadedFirstLine = 0;
    int loadedLineCount = 0;
    // The fill's first step is under way, inside the load.
    bool fillStarting = false;
};
