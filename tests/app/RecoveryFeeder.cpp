// Feeds entries, copies and trace rows through the real pad, trace and journal, saving now and
// then, until it is killed; every item is printed with the moment it was added. Each run
// first takes back what the journal of the previous run holds. The runs are forked from a
// process that has loaded the program's code once, so that a run costs no program start.
#include "app/U_NotesAndTrace.h"
#include "app/U_RecoveryOffer.h"
#include "app/U_RecoveryRecorder.h"
#include "core/U_Dialogs.h"
#include "notes/U_NotesPad.h"
#include "tracer/U_TraceData.h"

#include <QCoreApplication>
#include <QTimer>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// Every question is answered yes, as a user taking the recovery would.
class TYes : public TDialogs
{
public:
    void PlainMessage(const QString& text) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    void Message(const TMessageRequest&) override {}
    int Question(const TQuestionRequest&) override { return 1; }
};

long long MonotonicMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int Feed(int argc, char* argv[], const QString& run, int delayMs)
{
    QCoreApplication app(argc, argv);
    SetDialogs(std::make_shared<TYes>());
    TNotesPad notes;
    TTraceData trace;
    TRecoveryRecorder recorder(notes, trace.grid, TRecoveryFile(), delayMs);
    LoadNotesAndTrace(notes, trace);
    OfferRecovery(recorder, notes, trace);
    std::printf("ready\n");
    std::fflush(stdout);
    int n = 0;
    QTimer feed;
    feed.setInterval(1);
    QObject::connect(&feed, &QTimer::timeout, [&]() {
        ++n;
        const QString id = QStringLiteral("%1-%2").arg(run).arg(n);
        if (n % 8 < 5) {
            notes.AddNotesEntry(QStringLiteral("e") + id);
        } else if (n % 8 < 7) {
            notes.AppendLine(QStringLiteral("c") + id);
        } else {
            const TDateTime at = NowDateTime();
            trace.AddRow(
                {"a.exe", QStringLiteral("t") + id, std::floor(at), at - std::floor(at), 0, 0, 0});
        }
        if (n % 37 == 0)
            SaveNotesAndTrace(notes, trace);
        std::printf("%s %lld\n", qPrintable(id), MonotonicMs());
        std::fflush(stdout);
    });
    feed.start();
    return QCoreApplication::exec();
}
} // namespace

// Reads "run delay" lines; for each, forks a run, prints "pid N", and "done" once it ended.
int main(int argc, char* argv[])
{
    char line[64];
    while (std::fgets(line, sizeof line, stdin)) {
        int run = 0;
        int delayMs = 0;
        if (std::sscanf(line, "%d %d", &run, &delayMs) != 2)
            continue;
        const pid_t pid = ::fork();
        if (pid == 0)
            return Feed(argc, argv, QString::number(run), delayMs);
        std::printf("pid %d\n", static_cast<int>(pid));
        std::fflush(stdout);
        int status = 0;
        ::waitpid(pid, &status, 0);
        std::printf("done\n");
        std::fflush(stdout);
    }
    return 0;
}
