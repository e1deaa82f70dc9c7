#include "notes/U_DroppedFiles.h"

#include "core/U_Glb.h"
#include "notes/U_NotesPad.h"

#include <QMimeData>

#include <algorithm>

namespace {
// A pad line cannot hold a line break, which a Linux file name may: such a path is written as
// its file URL, which names the file exactly and stays on one line.
QString PathLine(const QUrl& url)
{
    const QString path = url.toLocalFile();
    if (path.contains(u'\n') || path.contains(u'\r'))
        return url.toString(QUrl::FullyEncoded);
    return path;
}
} // namespace

bool AcceptsDrop(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

void AddDroppedFiles(TNotesPad& pad, const QList<QUrl>& urls)
{
    // One time for the whole drop, however long the pad takes to receive it.
    const QString suffix =
        Glb().Options.AddHourOnEntry ? QStringLiteral(" - ") + CurrentTimeText() : QString();
    for (const QUrl& url : urls)
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            pad.AppendLine(PathLine(url) + suffix);
}
