#include "core/U_FileReason.h"

#include <QFile>

#include <cerrno>
#include <sys/stat.h>

QString FileReason(int errnum)
{
    switch (errnum) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("disque plein");
    case EFBIG:
        return QStringLiteral("taille de fichier maximale atteinte");
    case EACCES:
    case EPERM:
        return QStringLiteral("accès refusé");
    case EROFS:
        return QStringLiteral("disque en lecture seule");
    case ENOENT:
        return QStringLiteral("fichier ou dossier introuvable");
    case ENOTDIR:
        return QStringLiteral("un fichier est à la place d'un dossier");
    case EISDIR:
        return QStringLiteral("c'est un dossier");
    case ELOOP:
        return QStringLiteral("lien symbolique sans fin");
    case ENAMETOOLONG:
        return QStringLiteral("nom trop long");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("trop de fichiers ouverts");
    case EIO:
        return QStringLiteral("erreur de lecture ou d'écriture du disque");
    case ETXTBSY:
    case EBUSY:
        return QStringLiteral("fichier occupé");
    default:
        return QStringLiteral("erreur système n° %1").arg(errnum);
    }
}

QString AccessReason(const QString& path)
{
    struct stat info = {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? kReadOnlyFile
                                                                    : kReadOnlyFolder;
}

QString WithReason(const QString& text, const QString& reason)
{
    return reason.isEmpty() ? text : text + QStringLiteral(" (") + reason + u')';
}
