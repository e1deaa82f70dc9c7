#include "tracer/U_TraceFile.h"

#include "core/U_Dialogs.h"
#include "core/U_FileReason.h"
#include "core/U_Glb.h"
#include "core/U_KeepAside.h"
#include "core/U_TextCodec.h"
#include "core/U_TextFile.h"
#include "tracer/U_TraceReader.h"

#include <QFileInfo>

namespace {
void ReadTraceRows(TTraceData& data, const QString& path)
{
    QByteArray bytes;
    TTraceReader reader;
    const bool read = TextFile::ReadBytes(path, bytes);
    if (read)
        data.fileStamp = TFileStamp::Of(path, bytes);
    if (!read || !reader.Read(TextCodec::Decode(bytes)))
        data.unreadLinesPending = true;
    data.AddRows(std::move(reader.procs), std::move(reader.rows));
}

// Before the trace file is rewritten, a file with lines the load could not read is copied
// under a dated name, and the user told where, once. False when the copy failed: the
// file must then stay as it is.
bool KeepUnreadOriginal(TTraceData& data, QString* error = nullptr)
{
    if (!data.unreadLinesPending)
        return true;
    if (!KeepAside::KeepAndTell(TraceFilePath(),
                                {QStringLiteral("Traceur_original"), QStringLiteral(".csv")},
                                QStringLiteral("Des lignes de Traceur.csv n'ont pas pu être lues "
                                               ": le fichier d'origine est conservé sous "),
                                error))
        return false;
    data.unreadLinesPending = false;
    return true;
}

// The file as a whole, unless another program's version of it could not be kept aside first.
bool RewriteTrace(TTraceData& data, const QString& text, QString* error)
{
    const QString path = TraceFilePath();
    const QByteArray bytes = TextCodec::Encode(text);
    QString kept;
    if (!FileStamp::KeepOthersVersion(path, data.fileStamp, kept))
        return false;
    const bool written = TextFile::ReplaceBytes(path, bytes, error);
    if (written)
        data.fileStamp = TFileStamp::Of(path, bytes);
    FileStamp::TellKeptVersion(path, kept);
    return written;
}
} // namespace

QString TraceFilePath()
{
    return AppFolder() + QStringLiteral("Traceur.csv");
}

void LoadTrace(TTraceData& data, bool defaultNotesInUse)
{
    const QString path = TraceFilePath();
    const bool used = defaultNotesInUse && Glb().TracerWindowPending && data.lastRow() == -1;
    // Load errors are silent: a file that cannot be created now is created by the next save.
    if (!QFileInfo::exists(path)) {
        if (TextFile::ReplaceBytes(path, QByteArray()))
            data.fileStamp = TFileStamp::Of(path, QByteArray());
    } else if (used)
        ReadTraceRows(data, path);
    Glb().NoRowTodayAtLoad = data.NoRowToday(NowDateTime());
}

bool SaveTrace(TTraceData& data)
{
    const QString path = TraceFilePath();
    QString error;
    const bool saved =
        KeepUnreadOriginal(data, &error) && RewriteTrace(data, GridText(data.grid, false), &error);
    if (!saved)
        ShowPlainMessage(WithReason(path + QStringLiteral(" est-il ouvert ?"), error));
    return saved;
}

QString TraceurFile(const TTraceData& data)
{
    const QString path = FreeDatedPath(QStringLiteral("Traceur"), QStringLiteral(".csv"));
    if (!TextFile::Replace(path, GridText(data.grid, true))) {
        ShowPlainMessage(QStringLiteral("Problème in TraceurFile"));
        return QString();
    }
    return path;
}

void ResetTrace(TTraceData& data)
{
    const QString path = TraceFilePath();
    QString error;
    if (!KeepUnreadOriginal(data, &error) || !RewriteTrace(data, QString(), &error))
        ShowPlainMessage(WithReason(path + QStringLiteral(" est-il ouvert ?"), error));
    data.Clear();
    Glb().TracerWindowPending = true;
    if (data.onReset)
        data.onReset();
}
