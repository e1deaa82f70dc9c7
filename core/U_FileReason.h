#pragma once

#include <QString>

// The reason a file operation failed, in French, and the one form a message gives it.

// The reason of the system error `errnum`: "disque plein", "fichier en lecture seule" …
QString FileReason(int errnum);
// The reason of an access refused (EACCES, EPERM) where `path` was to be written: the file's
// when it exists, else its folder's.
QString AccessReason(const QString& path);
// `text` and the reason in brackets: "/…/Traceur.csv est-il ouvert ? (disque plein)".
QString WithReason(const QString& text, const QString& reason);

inline const QString kReadOnlyFile = QStringLiteral("fichier en lecture seule");
inline const QString kReadOnlyFolder = QStringLiteral("dossier en lecture seule");
inline const QString kNotRegularFile = QStringLiteral("pas un fichier ordinaire");
