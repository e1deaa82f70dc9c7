#pragma once

#include "TestEnv.h"
#include "app/U_Glb.h"
#include "tracer/U_TraceFile.h"

#include <QDir>
#include <QFile>

// A trace and its files in the test's own program folder, on 7 December 2026 at 09:30:00.
class TraceFileTest : public TarvelleTest
{
protected:
    static TDateTime T(const char* text) { return TextToTime(QString::fromLatin1(text)).value(); }

    static QByteArray ReadBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void WriteTraceFile(const QByteArray& bytes) const
    {
        QFile file(TraceFilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QStringList RowTexts(int row) const
    {
        const TTraceCells& cells = data.grid.Row(row);
        return QStringList(cells.begin(), cells.end());
    }
    // The files of the program folder other than the trace file.
    QStringList OtherFiles() const
    {
        QStringList names = QDir(AppFolder()).entryList(QDir::Files, QDir::Name);
        names.removeAll(QStringLiteral("Traceur.csv"));
        return names;
    }
    void AddRow(const QString& name, const QString& title, TDateTime day, const char* origine,
                const char* fin, const char* duree)
    {
        data.AddRow({name, title, day, T(origine), T(origine), fin ? T(fin) : 0, T(duree)});
    }

    TTraceData data;
    const TDateTime today = ToDateTime(QDate(2026, 12, 7));
    const TDateTime yesterday = today - 1;
};
