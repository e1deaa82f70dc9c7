#pragma once

#include <QList>
#include <QUrl>

class QMimeData;
class TNotesPad;

// Files dropped on the notes editor or the main window: their full paths become pad lines.

// Whether a drag carries at least one local file, so that a window accepts it.
bool AcceptsDrop(const QMimeData* data);

// One pad line per local file, in the order given, each with the same time suffix when
// "Horaire +" is ticked; other URLs are left out. Paths are never shortened.
void AddDroppedFiles(TNotesPad& pad, const QList<QUrl>& urls);
