// Rewrites the alarm file of $TARVELLE_HOME over and over until it is killed, so that a kill
// always lands in the middle of some work:
//   purge   appends a few records of 2001, then purges them, again and again;
//   remove  appends the first record at the end and removes it from the start, again and again;
//   start   only starts the alarms once (the leftovers of a killed run go).
// It prints "ready" once the start is done. Any message to the user ends it with 3.
#include "alarms/U_AlarmFile.h"
#include "alarms/U_Alarms.h"
#include "core/U_Dialogs.h"
#include "core/U_Glb.h"
#include "core/U_TextFile.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace {
class TFailingDialogs : public TDialogs
{
public:
    void PlainMessage(const QString& text) override { Fail(text); }
    void Message(const TMessageRequest& request) override { Fail(request.text); }
    int Question(const TQuestionRequest& request) override
    {
        Fail(request.text);
        return 2;
    }

private:
    static void Fail(const QString& text)
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        std::_Exit(3);
    }
};

constexpr int kRounds = 1000000;

void PurgeForever(TAlarms& alarms)
{
    for (int round = 0; round < kRounds; ++round) {
        for (int j = 1; j <= 5; ++j)
            alarms.AppendAlarm("01/01/2001", "10:00:00", {QStringLiteral("vieux %1").arg(j)});
        alarms.PurgePastAlarms();
    }
}

// Each step follows from the file alone, so that a run killed between two steps goes on from
// there: the first record is appended at the end, then removed from the start.
void RotateForever(TAlarms& alarms)
{
    for (int round = 0; round < kRounds; ++round) {
        QStringList lines;
        if (!TextFile::ReadLines(alarms.FilePath(), lines) || lines.isEmpty())
            std::_Exit(4);
        if (lines.size() > 1 && lines.first() == lines.last()) {
            if (!alarms.RemoveAlarmRecord(0))
                std::_Exit(5);
            continue;
        }
        const QStringList fields = SplitFields(lines.first(), ";", 3);
        alarms.AppendAlarm(fields.at(0), fields.at(1), {fields.at(2)});
    }
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString mode = app.arguments().value(1);
    SetDialogs(std::make_shared<TFailingDialogs>());
    TAlarms alarms;
    alarms.StartAlarms();
    std::printf("ready\n");
    std::fflush(stdout);
    if (mode == "purge")
        PurgeForever(alarms);
    else if (mode == "remove")
        RotateForever(alarms);
    return mode == "start" ? 0 : 6;
}
