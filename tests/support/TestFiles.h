#pragma once

#include <QByteArray>
#include <QString>

// A file's bytes as they are on disk; empty when it cannot be read.
QByteArray ReadBytes(const QString& path);
// Writes `bytes` as the whole file; false when it cannot be written.
bool WriteBytes(const QString& path, const QByteArray& bytes);
