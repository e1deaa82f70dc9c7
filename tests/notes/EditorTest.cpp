#include "TestEnv.h"
#include "TestFiles.h"
#include "core/U_Glb.h"
#include "core/U_TextCodec.h"
#include "notes/F_ScdNiv.h"
#include "notes/U_NotesPad.h"
#include "notes/U_NotesText.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {
class Editor : public TarvelleTest
{
protected:
    QString NotesPath() const { return AppFolder() + "Tarvelle.txt"; }

    void FinishLoad()
    {
        for (int turns = 0; pad.Loading() && turns < 1000; ++turns)
            QCoreApplication::processEvents();
        ASSERT_FALSE(pad.Loading());
    }

    QTextOption::WrapMode Wrap() const { return editor.memMnemo->wordWrapMode(); }

    TNotesPad pad;
    TfrmMnememo editor{pad};
};

// A hex dump: no place to wrap between words from one end to the other.
QString HexLine(qsizetype size)
{
    return QString("0123456789abcdef").repeated(size / 16);
}
} // namespace

// Laid out between words, such a line takes time that grows with the square of its length
// (minutes at a few megabytes); the editor wraps it anywhere, and the file keeps it whole.
TEST_F(Editor, AMultiMegabyteLineIsShownWholeAndSavedByteForByte)
{
    Glb().Options.TimeOnRecording = false;
    Glb().Options.PageToDown = true;
    QStringList lines{NotesText::NewHeader(), NotesText::Rule(), HexLine(2 << 20)};
    for (int i = 0; i < 30000; ++i)
        lines.append(QStringLiteral("Ligne %1 d'après la longue ligne").arg(i));
    const QByteArray bytes = TextCodec::Encode(TextCodec::JoinLines(lines));
    ASSERT_TRUE(WriteBytes(NotesPath(), bytes));

    editor.show();
    EXPECT_EQ(Wrap(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    pad.LoadNotes();
    ASSERT_EQ(Wrap(), QTextOption::WrapAnywhere);
    EXPECT_TRUE(pad.Loading());
    editor.grab();
    FinishLoad();
    editor.grab();
    EXPECT_EQ(pad.Lines(), lines);
    ASSERT_TRUE(pad.SaveNotes());
    EXPECT_EQ(ReadBytes(NotesPath()), bytes);

    // Emptied, the pad wraps its next notes between words again.
    pad.Clear();
    EXPECT_EQ(Wrap(), QTextOption::WrapAtWordBoundaryOrAnywhere);
}

TEST_F(Editor, OnlyLinesWithoutAPlaceToWrapAreWrappedAnywhere)
{
    editor.show();
    // A long paragraph of words, copied or pasted, keeps its words whole.
    pad.AppendLine(QString("un mot puis un autre, ").repeated(2000));
    editor.memMnemo->insertPlainText(QString("(entre parenthèses) ").repeated(2000));
    editor.grab();
    EXPECT_EQ(Wrap(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    // A long run pasted into the editor itself does not go through the pad.
    editor.memMnemo->insertPlainText(HexLine(20000));
    EXPECT_EQ(Wrap(), QTextOption::WrapAnywhere);
    editor.grab();
    pad.Clear();
    pad.AddNotesEntry(HexLine(20000));
    EXPECT_EQ(Wrap(), QTextOption::WrapAnywhere);
}

// A cursor moved outside an edit lays out every block it passes: a first line of megabytes
// would be laid out again at each line added.
TEST_F(Editor, AddingLinesLaysOutNoLineAlreadyThere)
{
    const QString words = QString("mot ").repeated(5000);
    pad.AppendLine(words);
    pad.AppendLine("b");
    pad.AddNotesEntry("c");
    EXPECT_EQ(pad.Document()->firstBlock().layout()->lineCount(), 0);
    EXPECT_EQ(pad.Lines(), QStringList({words, "b", "c"}));
}
