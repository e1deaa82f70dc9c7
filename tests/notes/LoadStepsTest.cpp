#include "TestEnv.h"
#include "TestFiles.h"
#include "core/U_Dialogs.h"
#include "core/U_Glb.h"
#include "core/U_TextCodec.h"
#include "notes/U_NotesPad.h"
#include "notes/U_NotesText.h"

#include <QCoreApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {
// Enough lines for a few steps of the load: about 2.5 million characters.
constexpr int kLines = 50000;

class LoadSteps : public TarvelleTest
{
protected:
    QString NotesPath() const { return AppFolder() + "Tarvelle.txt"; }

    // A notes file of today's (no day lines) in the program's own form; its lines.
    QStringList WriteNotes(const QString& header = NotesText::NewHeader())
    {
        QStringList lines{header, NotesText::Rule()};
        for (int i = 0; i < kLines; ++i)
            lines.append(QStringLiteral("Ligne %1 : quarante-huit caractères de texte.").arg(i, 6));
        bytes = TextCodec::Encode(TextCodec::JoinLines(lines));
        EXPECT_TRUE(WriteBytes(NotesPath(), bytes));
        return lines;
    }

    // The queued steps run until the load ends: a condition, never a time.
    void FinishLoad()
    {
        for (int turns = 0; pad.Loading() && turns < 1000; ++turns)
            QCoreApplication::processEvents();
        ASSERT_FALSE(pad.Loading());
    }

    TNotesPad pad;
    QByteArray bytes;
};
} // namespace

TEST(NotesTextRaw, LineBreaksBecomeTheDocumentsOwnAndLongRunsAreFound)
{
    const QChar p = QChar::ParagraphSeparator;
    EXPECT_EQ(NotesText::RawLines("a\r\nb\nc\rd\r\r\ne"), QString("a%1b%1c%1d%1%1e").arg(p));
    EXPECT_EQ(NotesText::RawLines(QString("x") + QChar(0xFDD0) + "y\r"), QString("x%1y%1").arg(p));
    EXPECT_EQ(NotesText::RawLines(""), "");

    const QString run(10, u'f');
    EXPECT_FALSE(NotesText::HoldsUnbreakableRun(run, 10));
    EXPECT_TRUE(NotesText::HoldsUnbreakableRun(run + "f", 10));
    // A space before a letter or a digit ends a run; a line break too.
    EXPECT_FALSE(NotesText::HoldsUnbreakableRun(run + " a" + run, 11));
    EXPECT_FALSE(NotesText::HoldsUnbreakableRun(run + "\r\n" + run, 10));
    EXPECT_FALSE(NotesText::HoldsUnbreakableRun(run + QChar(p) + run, 10));
    // Spaces before punctuation and non-breaking spaces give no place to wrap.
    EXPECT_TRUE(NotesText::HoldsUnbreakableRun(QString(" ;").repeated(6), 10));
    EXPECT_TRUE(NotesText::HoldsUnbreakableRun(run + QChar(0xA0) + "a", 10));
    EXPECT_FALSE(NotesText::HoldsUnbreakableRun(QString("mot ").repeated(10000)));
}

TEST_F(LoadSteps, ALargeFileComesInStepsThenWholeWithLinesAddedMeanwhileAfterIt)
{
    const QStringList lines = WriteNotes();
    EXPECT_TRUE(pad.LoadNotes());
    ASSERT_TRUE(pad.Loading());
    EXPECT_LT(pad.LineCount(), lines.size());
    EXPECT_EQ(pad.Line(0), lines.at(0));
    EXPECT_FALSE(Glb().Modified);
    EXPECT_TRUE(Glb().DataLoaded);
    // A copy that arrives during the load, and a word typed at the pad's start.
    QCoreApplication::processEvents();
    ASSERT_TRUE(pad.Loading());
    pad.AppendLine("copie pendant le chargement");
    QTextCursor typing(pad.Document());
    typing.insertText("Tapé ");
    FinishLoad();
    QStringList expected = lines;
    expected[0].prepend("Tapé ");
    expected.append("copie pendant le chargement");
    EXPECT_EQ(pad.Lines(), expected);
    EXPECT_TRUE(Glb().Modified);

    // Nothing added during a load: the pad is as its file.
    pad.Clear();
    Glb().DataLoaded = false;
    pad.LoadNotes();
    FinishLoad();
    EXPECT_EQ(pad.Lines(), lines);
    EXPECT_FALSE(Glb().Modified);
}

TEST_F(LoadSteps, ASaveDuringTheLoadWritesTheWholeFileAndOnlyOnce)
{
    Glb().Options.TimeOnRecording = false;
    const QStringList lines = WriteNotes();
    pad.LoadNotes();
    ASSERT_TRUE(pad.Loading());
    ASSERT_TRUE(pad.SaveNotes());
    EXPECT_EQ(ReadBytes(NotesPath()), bytes);

    pad.AppendLine("ajout");
    QTextCursor typing(pad.Document());
    typing.insertText(">");
    ASSERT_TRUE(pad.Loading());
    ASSERT_TRUE(pad.SaveNotes());
    EXPECT_EQ(ReadBytes(NotesPath()), ">" + bytes + "ajout\r\n");
    FinishLoad();
    EXPECT_EQ(pad.LineCount(), lines.size() + 1);
    ASSERT_TRUE(pad.SaveNotes());
    EXPECT_EQ(ReadBytes(NotesPath()), ">" + bytes + "ajout\r\n");
}

// The day lines belong to the load: they come after the file's lines, before any copy taken
// meanwhile, and a pad emptied during a load gets nothing more from it.
TEST_F(LoadSteps, DayLinesEndTheLoadAndClearingStopsIt)
{
    const QStringList lines = WriteNotes("Mnemo_06/12/2026 18:00:00");
    pad.LoadNotes();
    ASSERT_TRUE(pad.Loading());
    pad.AppendLine("copie");
    FinishLoad();
    const QStringList all = pad.Lines();
    ASSERT_EQ(all.size(), lines.size() + 4);
    EXPECT_EQ(all.mid(lines.size()),
              QStringList({NotesText::DaySeparator(), "Mnemo_07/12/2026 09:30:00",
                           NotesText::Rule(), "copie"}));

    // A last line without its line end, and no header: the day lines start a line of their own.
    pad.Clear();
    ASSERT_TRUE(WriteBytes(NotesPath(), "f" + QByteArray(3 << 20, 'f')));
    pad.LoadNotes();
    FinishLoad();
    EXPECT_EQ(pad.Lines(), QStringList({QString((3 << 20) + 1, u'f'), NotesText::DaySeparator(),
                                        "Mnemo_07/12/2026 09:30:00", NotesText::Rule()}));

    WriteNotes();
    pad.Clear();
    pad.LoadNotes();
    ASSERT_TRUE(pad.Loading());
    pad.Clear();
    EXPECT_FALSE(pad.Loading());
    QCoreApplication::processEvents();
    EXPECT_EQ(pad.LineCount(), 0);
}

// Counted as the document makes its lines: a last line without its break counts, the empty
// place after a last break does not, CR LF is one break and a lone CR one.
TEST(NotesTextRaw, LinesAreCountedAsThePadHoldsThem)
{
    const QString p(QChar::ParagraphSeparator);
    const QList<std::pair<QString, qsizetype>> cases{
        {"", 0},       {"a", 1},         {"a\n", 1},         {"\n", 1},
        {"a\r\nb", 2}, {"a\r\n", 1},     {"\r\n\r\n", 2},    {"a\r\rb", 3},
        {"a\rb\r", 2}, {"a\n\rb", 3},    {"a" + p + "b", 2}, {p, 1},
        {"a" + p, 1},  {p + p + "c", 3}, {"a\u2028b", 1},    {"x\uFDD0y", 2},
        {"\r", 1},     {"\r\r\n", 2},    {"a\n\n", 2},       {"\r\n" + p + "\r", 3}};
    for (const auto& [text, count] : cases) {
        EXPECT_EQ(NotesText::CountLines(text), count) << text.toStdString();
        // The same text brought into a document as a load does.
        QTextDocument document;
        QTextCursor(&document).insertText(NotesText::RawLines(text));
        const int blocks = document.blockCount();
        EXPECT_EQ(document.lastBlock().length() <= 1 ? blocks - 1 : blocks, count)
            << text.toStdString();
    }
}

// Told once, when the last step is in, with where the file's lines went and how many they are;
// a copy taken meanwhile is not one of them. A small file is told by its load itself.
TEST_F(LoadSteps, TheLoadIsToldOnceItsLastLineIsIn)
{
    pad.AppendLine("avant");
    const QStringList lines = WriteNotes();
    QSignalSpy loaded(&pad, &TNotesPad::FileLoaded);
    pad.LoadNotes();
    ASSERT_TRUE(pad.Loading());
    QCoreApplication::processEvents();
    pad.AppendLine("copie");
    EXPECT_EQ(loaded.count(), 0);
    FinishLoad();
    ASSERT_EQ(loaded.count(), 1);
    EXPECT_EQ(loaded[0], QVariantList({1, int(lines.size())}));
    EXPECT_EQ(pad.Line(int(lines.size())), lines.last());
    EXPECT_EQ(pad.Line(int(lines.size()) + 1), "copie");
    QCoreApplication::processEvents();
    EXPECT_EQ(loaded.count(), 1);

    pad.Clear();
    ASSERT_TRUE(WriteBytes(NotesPath(), "Mnemo_07/12/2026 08:00:00\r\nsans fin"));
    pad.LoadNotes();
    EXPECT_FALSE(pad.Loading());
    ASSERT_EQ(loaded.count(), 2);
    EXPECT_EQ(loaded[1], QVariantList({0, 2}));

    // Loaded again over a load still coming in: the first ends, and is told, before.
    pad.Clear();
    const int count = int(WriteNotes().size());
    pad.LoadNotes();
    pad.LoadNotes();
    FinishLoad();
    ASSERT_EQ(loaded.count(), 4);
    EXPECT_EQ(loaded[2], QVariantList({0, count}));
    EXPECT_EQ(loaded[3], QVariantList({count, count}));
    EXPECT_EQ(pad.LineCount(), 2 * count);
}

namespace {
// A message that lets the event loop run until the pad is all in, as a modal window does.
class TTurningDialogs : public TDialogRecorder
{
public:
    explicit TTurningDialogs(const TNotesPad& pad) : pad(pad) {}
    void PlainMessage(const QString& text) override
    {
        TDialogRecorder::PlainMessage(text);
        for (int turns = 0; pad.Loading() && turns < 1000; ++turns)
            QCoreApplication::processEvents();
    }
    const TNotesPad& pad;
};

QByteArray MixedLineEnds()
{
    const QByteArray ends[] = {"\r\n", "\n", "\r", "\r\n\r\n"};
    QByteArray bytes;
    for (int i = 0; i < kLines; ++i)
        bytes +=
            "Ligne " + QByteArray::number(i) + " d'un autre fichier, en attente." + ends[i % 4];
    return bytes + "fin sans saut de ligne";
}
} // namespace

// Another file saved while it comes in is written whole, each line with its own end and the
// last without one; a load that ends during that save's message is still told.
TEST_F(LoadSteps, AnotherFileSavedDuringItsLoadStaysWhole)
{
    const QString other = QDir(home.path()).filePath("autre.txt");
    const QByteArray original = MixedLineEnds();
    ASSERT_TRUE(WriteBytes(other, original));
    ASSERT_TRUE(pad.UseOtherFile(other));
    QSignalSpy loaded(&pad, &TNotesPad::FileLoaded);
    pad.LoadNotes();
    ASSERT_TRUE(pad.Loading());
    QTextCursor(pad.Document()).insertText(">");
    ASSERT_TRUE(pad.SaveNotes());
    EXPECT_TRUE(ReadBytes(other) == ">" + original);
    FinishLoad();
    EXPECT_EQ(loaded.count(), 1);

    // Changed meanwhile by another program: its version is kept aside, told, and the load
    // ends while the message is open.
    pad.Clear();
    const auto turning = std::make_shared<TTurningDialogs>(pad);
    SetDialogs(turning);
    pad.LoadNotes();
    ASSERT_TRUE(pad.Loading());
    ASSERT_TRUE(WriteBytes(other, original));
    QTextCursor(pad.Document()).insertText("<");
    ASSERT_TRUE(pad.SaveNotes());
    EXPECT_EQ(turning->plainMessages.size(), 1);
    EXPECT_FALSE(pad.Loading());
    EXPECT_TRUE(ReadBytes(other) == "<>" + original);
    ASSERT_EQ(loaded.count(), 2);
    EXPECT_EQ(loaded[1],
              QVariantList({0, int(NotesText::CountLines(QString::fromLatin1(original)))}));
}
