#include "core/U_KeepAside.h"

#include "core/U_Dialogs.h"
#include "core/U_Glb.h"
#include "core/U_TextFile.h"

#include <QDir>
#include <QFileInfo>

namespace KeepAside {

namespace {
QString KeepOnce(const QString& path, const TKeptAs& as, QString* error)
{
    QByteArray bytes;
    if (!QFileInfo(path).isFile() || !TextFile::ReadBytes(path, bytes, error))
        return {};
    const QDir folder(AppFolder());
    for (const QString& name : folder.entryList({as.prefix + u'*' + as.extension}, QDir::Files)) {
        QByteArray keptBytes;
        if (TextFile::ReadBytes(folder.filePath(name), keptBytes) && keptBytes == bytes)
            return folder.filePath(name);
    }
    const QString kept = FreeDatedPath(as.prefix, as.extension);
    return TextFile::ReplaceBytes(kept, bytes, error) ? kept : QString();
}
} // namespace

QString Keep(const QString& path, const TKeptAs& as, QString* error)
{
    if (as.once)
        return KeepOnce(path, as, error);
    const QString kept = FreeDatedPath(as.prefix, as.extension);
    const TPut put = as.put ? as.put : &TextFile::Copy;
    return put(path, kept, error) ? kept : QString();
}

bool KeepAndTell(const QString& path, const TKeptAs& as, const QString& message, QString* error)
{
    if (!QFileInfo::exists(path))
        return true;
    const QString kept = Keep(path, as, error);
    if (kept.isEmpty())
        return false;
    ShowPlainMessage(message + kept);
    return true;
}

} // namespace KeepAside
