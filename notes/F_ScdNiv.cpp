#include "notes/F_ScdNiv.h"

#include "core/U_Constantes.h"

TfrmMnememo::TfrmMnememo(QWidget* parent) : TfrmModWindowPos(parent)
{
    setObjectName(QStringLiteral("frmMnememo"));
    setWindowTitle(Constantes::NotesCaption);
    resize(277, 182);
}
