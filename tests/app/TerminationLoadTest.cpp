#include "TestEnv.h"
#include "TestFiles.h"
#include "app/U_Termination.h"
#include "core/U_Glb.h"
#include "core/U_TextCodec.h"
#include "notes/U_NotesPad.h"
#include "notes/U_NotesText.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <csignal>

using TerminationDuringLoad = TarvelleTest;

// A session ending while a large notes file comes in is served between two steps of the load,
// and the closing save then writes the whole file, not the part shown so far.
TEST_F(TerminationDuringLoad, IsServedBetweenStepsAndTheSaveStaysWhole)
{
    Glb().Options.TimeOnRecording = false;
    QStringList lines{NotesText::NewHeader(), NotesText::Rule()};
    for (int i = 0; i < 100000; ++i)
        lines.append(QStringLiteral("Ligne %1 : quarante caractères de texte").arg(i, 6));
    const QByteArray bytes = TextCodec::Encode(TextCodec::JoinLines(lines));
    const QString path = AppFolder() + "Tarvelle.txt";
    ASSERT_TRUE(WriteBytes(path, bytes));

    TNotesPad pad;
    TTerminationWatcher watcher;
    QSignalSpy spy(&watcher, &TTerminationWatcher::TerminationRequested);
    pad.LoadNotes();
    ASSERT_TRUE(pad.Loading());
    pad.AppendLine("dernière copie");
    ASSERT_EQ(std::raise(SIGTERM), 0);
    for (int turns = 0; spy.isEmpty() && pad.Loading() && turns < 1000; ++turns)
        QCoreApplication::processEvents();
    ASSERT_EQ(spy.size(), 1);
    EXPECT_TRUE(pad.Loading());
    ASSERT_TRUE(pad.SaveNotes());
    EXPECT_EQ(ReadBytes(path), bytes + TextCodec::Encode(QStringLiteral("dernière copie\r\n")));
}
