#include "TestEnv.h"
#include "TestFiles.h"
#include "notes/U_NotesPad.h"

#include <QDir>
#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {
class OtherFile : public TarvelleTest
{
protected:
    // Shows `path` as the switch from the default file does.
    bool Show(const QString& path)
    {
        if (!pad.UseOtherFile(path))
            return false;
        pad.Clear();
        return pad.LoadNotes();
    }
    const QString path = home.filePath("other.txt");
    TNotesPad pad;
};
} // namespace

// A file shown is written back as it was found: unchanged it stays byte for byte (mixed line
// ends too), a line added reaches it in the same encoding and with the same line ends, and it
// never gets day lines or save stamps. Only a character Windows-1252 cannot hold turns it to
// UTF-8.
TEST_F(OtherFile, IsWrittenBackInItsOwnForm)
{
    struct TCase
    {
        QByteArray file;
        QByteArray added; // the line "ajouté" in the file's form
    } cases[] = {
        {"Mnemo_01/01/2020 x\ncaf\xC3\xA9\n", "ajout\xC3\xA9\n"},
        {"Mnemo_01/01/2020 x\r\ncaf\xE9\xA0!\r\n", "ajout\xE9\r\n"},
        {"\xEF\xBB\xBF"
         "caf\xC3\xA9\rend\r",
         "ajout\xC3\xA9\r"},
        {"no break at the end\r\nlast", "\r\najout\xE9\r\n"},
        {"caf\xC3\xA9 UTF-8\ncaf\xE9 not\n", "ajout\xE9\n"},
        {"", "ajout\xE9\r\n"},
    };
    for (const TCase& c : cases) {
        ASSERT_TRUE(WriteBytes(path, c.file));
        ASSERT_TRUE(Show(path));
        EXPECT_TRUE(pad.SaveNotes());
        EXPECT_EQ(ReadBytes(path), c.file);
        pad.AppendLine("ajouté");
        EXPECT_TRUE(pad.SaveNotes());
        EXPECT_EQ(ReadBytes(path), c.file + c.added) << c.file.toStdString();
        pad.UseDefaultFile();
    }
    ASSERT_TRUE(WriteBytes(path, "a\r\nb\nc\r"));
    ASSERT_TRUE(Show(path));
    EXPECT_TRUE(pad.SaveNotes());
    EXPECT_EQ(ReadBytes(path), "a\r\nb\nc\r");
    ASSERT_TRUE(WriteBytes(path, "caf\xE9\r\n"));
    ASSERT_TRUE(Show(path));
    pad.AppendLine("→");
    pad.SaveNotes();
    EXPECT_EQ(ReadBytes(path), "caf\xC3\xA9\r\n\xE2\x86\x92\r\n");
    EXPECT_TRUE(dialogs->plainMessages.isEmpty());
}

TEST_F(OtherFile, AFileWithNulBytesIsRefusedAndNeverWritten)
{
    const QByteArray binary("PNG\0\0data", 9);
    ASSERT_TRUE(WriteBytes(path, binary));
    EXPECT_FALSE(Show(path));
    EXPECT_TRUE(pad.DefaultNotesInUse());
    EXPECT_EQ(dialogs->plainMessages.size(), 1);

    // NUL bytes that come between the choice and the load: the default file instead.
    ASSERT_TRUE(WriteBytes(path, "text\r\n"));
    ASSERT_TRUE(pad.UseOtherFile(path));
    ASSERT_TRUE(WriteBytes(path, binary));
    pad.Clear();
    EXPECT_FALSE(pad.LoadNotes());
    EXPECT_TRUE(pad.DefaultNotesInUse());
    EXPECT_EQ(pad.Line(0), "Mnemo_07/12/2026 09:30:00");
    pad.AppendLine("x");
    pad.SaveNotes();
    EXPECT_EQ(ReadBytes(path), binary);
}

// Each line keeps its own line end through an edit: the lines before and after a change keep
// theirs, a changed line the one of the line it replaces, an added line the one before it;
// a file ending with a line end still does, even when the user typed on past it.
TEST_F(OtherFile, EveryLineKeepsItsOwnLineEnd)
{
    ASSERT_TRUE(WriteBytes(path, "x\ry\r\n\r\n"));
    ASSERT_TRUE(Show(path));
    pad.AppendLine("z");
    ASSERT_TRUE(pad.SaveNotes());
    EXPECT_EQ(ReadBytes(path), "x\ry\r\n\r\nz\r\n");

    ASSERT_TRUE(WriteBytes(path, "a\rb\nc\r\nd\n"));
    ASSERT_TRUE(Show(path));
    QTextCursor cursor(pad.Document()->findBlockByNumber(1));
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText("B\nnew"); // "b" becomes "bB", then a new line after it
    ASSERT_TRUE(pad.SaveNotes());
    EXPECT_EQ(ReadBytes(path), "a\rbB\nnew\nc\r\nd\n");

    cursor = QTextCursor(pad.Document()->findBlockByNumber(0));
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, 2);
    cursor.removeSelectedText(); // "a" and "bB" go
    ASSERT_TRUE(pad.SaveNotes());
    EXPECT_EQ(ReadBytes(path), "new\nc\r\nd\n");

    cursor = QTextCursor(pad.Document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText("typed at the end");
    ASSERT_TRUE(pad.SaveNotes());
    EXPECT_EQ(ReadBytes(path), "new\nc\r\nd\ntyped at the end\n");

    // A file without a final line end keeps none when its last line changes.
    ASSERT_TRUE(WriteBytes(path, "p\r\nq"));
    ASSERT_TRUE(Show(path));
    cursor = QTextCursor(pad.Document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText("!");
    ASSERT_TRUE(pad.SaveNotes());
    EXPECT_EQ(ReadBytes(path), "p\r\nq!");
}

// The program's own data files change under it while it runs: none is taken as another
// file, by whatever path it is reached.
TEST_F(OtherFile, TheProgramsOwnDataFilesAreRefused)
{
    ASSERT_TRUE(WriteBytes(AppFolder() + "Traceur.csv", "t\r\n"));
    ASSERT_TRUE(WriteBytes(AppFolder() + "breakPoint.csv", "b\r\n"));
    ASSERT_TRUE(QDir(home.path()).mkpath("elsewhere"));
    const QString link = home.filePath("elsewhere/alarmes.csv");
    ASSERT_TRUE(QFile::link(AppFolder() + "breakPoint.csv", link));
    const struct
    {
        QString path;
        QString name;
    } cases[] = {
        {AppFolder() + "Traceur.csv", "Traceur.csv"},
        {link, "breakPoint.csv"},
        {home.filePath("elsewhere/../Traceur.csv"), "Traceur.csv"},
        {AppFolder() + "ConfigMnemo.ini", "ConfigMnemo.ini"}, // not there yet
    };
    for (const auto& c : cases) {
        dialogs->plainMessages.clear();
        EXPECT_FALSE(pad.UseOtherFile(c.path)) << c.path.toStdString();
        EXPECT_TRUE(pad.DefaultNotesInUse());
        ASSERT_EQ(dialogs->plainMessages.size(), 1);
        EXPECT_TRUE(dialogs->plainMessages.first().startsWith(c.name + " est un fichier"));
    }
    EXPECT_EQ(ReadBytes(AppFolder() + "breakPoint.csv"), "b\r\n");
    ASSERT_TRUE(WriteBytes(home.filePath("elsewhere/Traceur.csv"), "mine\r\n"));
    EXPECT_TRUE(Show(home.filePath("elsewhere/Traceur.csv")));
}
