#pragma once

#include <QString>

// A file the program could not read whole is kept aside under a dated name before it is
// rewritten, so that nothing the user had in it is lost.
namespace KeepAside {

// Puts the file `from` at the free path `to`; false, with `error` set, when it could not.
using TPut = bool (*)(const QString& from, const QString& to, QString* error);

// The dated name a file is kept under (AppFolder + prefix + date + extension) and how.
struct TKeptAs
{
    QString prefix;
    QString extension;
    // A copy when null.
    TPut put = nullptr;
    // An earlier kept file with the same bytes stands for a new one: a file left unread at
    // every start is kept once, not once a start.
    bool once = false;
};

// The path `path` is now kept under; empty when it is missing or could not be kept, `error`
// then saying why.
QString Keep(const QString& path, const TKeptAs& as, QString* error = nullptr);

// Keeps an existing `path` and tells the user `message` followed by where. True also when
// there is no file; false when it could not be kept: the file must then stay as it is.
bool KeepAndTell(const QString& path, const TKeptAs& as, const QString& message,
                 QString* error = nullptr);

} // namespace KeepAside
