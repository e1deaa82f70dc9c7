#pragma once

#include <QByteArray>
#include <QString>

// A PDF written beside its final name and given that name only once it is whole on the disk,
// so that a full disk never leaves a truncated file announced as printed.
namespace PdfFile {

// The temporary the PDF `path` is written to: beside it, named recognisably as the program's.
QString TemporaryFor(const QString& path);
// Removes the temporaries prints ended before their end left in `folder`; nothing else.
void RemoveLeftovers(const QString& folder);
// Whether these are a whole PDF: the trailer is there and the cross-reference table stands at
// the offset it gives, which a file that lost bytes on the way no longer has.
bool IsWhole(const QByteArray& bytes);
// Gives the written `temporary` the name `path`, readable by the user alone, once it is whole
// and on the disk; otherwise, or when that fails, removes it. False then.
bool Commit(const QString& temporary, const QString& path);

} // namespace PdfFile
