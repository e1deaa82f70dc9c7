#include "notes/U_NotesFiles.h"

#include "core/U_Constantes.h"
#include "core/U_Dialogs.h"
#include "core/U_FileReason.h"
#include "core/U_FileStamp.h"
#include "core/U_Glb.h"
#include "core/U_TextFile.h"
#include "notes/U_NotesText.h"

#include <QFile>

#include <cerrno>
#include <cstdio>

namespace NotesFiles {

QString DefaultPath()
{
    return AppFolder() + Constantes::NotesFileName;
}

void TellUnread(const QString& path, const QString& error)
{
    ShowPlainMessage(QStringLiteral("Lecture de ") + path + QStringLiteral(" impossible : ") +
                     error + QStringLiteral(" KO"));
}

// Another file is shown only when it can be read and is text: one holding NUL bytes is not.
bool ReadShowable(const QString& path, QByteArray& bytes)
{
    QString error;
    if (!TextFile::ReadBytes(path, bytes, &error)) {
        TellUnread(path, error);
        return false;
    }
    if (!NotesText::HoldsNulBytes(bytes))
        return true;
    ShowPlainMessage(path + QStringLiteral(" n'est pas un fichier texte (il contient des octets "
                                           "nuls) : il n'est ni affiché ni modifié."));
    return false;
}

// The files the program keeps up to date itself: a copy of one in the pad would overwrite the
// records the program adds meanwhile.
bool TellOwnDataFile(const QString& path)
{
    for (const QString& name :
         {Constantes::TraceFileName, Constantes::AlarmFileName, Constantes::SettingsFileName}) {
        if (!FileStamp::SameFile(path, AppFolder() + name))
            continue;
        ShowPlainMessage(name + QStringLiteral(" est un fichier que le programme tient à jour "
                                               "lui-même : il ne peut pas être affiché dans les "
                                               "notes."));
        return true;
    }
    return false;
}

bool MoveFile(const QString& from, const QString& to, QString* error)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    if (error)
        *error = FileReason(errno);
    return false;
}

} // namespace NotesFiles
