#include "app/F_FragmTray.h"

#include "app/U_Constantes.h"

TFragmTray::TFragmTray(const QIcon& image, QObject* parent) : QObject(parent), icon(image)
{
    icon.setToolTip(Constantes::AppTitle);
    // Queued: closing from the icon removes it, which must not happen inside its own event.
    connect(&icon, &QSystemTrayIcon::activated, this, &TFragmTray::Activated, Qt::QueuedConnection);
}

void TFragmTray::Add()
{
    icon.show();
}

void TFragmTray::Remove()
{
    icon.hide();
}

bool TFragmTray::IsShown() const
{
    return icon.isVisible();
}

void TFragmTray::Activated(QSystemTrayIcon::ActivationReason reason)
{
    // A double click also starts with a single one; the second press is not a new click.
    if (reason == QSystemTrayIcon::Trigger)
        Q_EMIT LeftClick();
    else if (reason == QSystemTrayIcon::Context)
        Q_EMIT RightClick();
}
