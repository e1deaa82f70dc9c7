#include "app/F_FragmTray.h"

#include "core/U_Constantes.h"

TFragmTray::TFragmTray(const QIcon& picture, QObject* parent) : QObject(parent), image(picture) {}

TFragmTray::~TFragmTray() = default;

void TFragmTray::Add()
{
    if (!icon) {
        icon = std::make_unique<QSystemTrayIcon>(image);
        icon->setToolTip(Constantes::AppTitle);
        // Queued: closing from the icon removes it, which must not happen inside its own event.
        connect(icon.get(), &QSystemTrayIcon::activated, this, &TFragmTray::Activated,
                Qt::QueuedConnection);
    }
    icon->show();
}

void TFragmTray::Remove()
{
    if (icon)
        icon->hide();
}

bool TFragmTray::IsShown() const
{
    return icon && icon->isVisible();
}

void TFragmTray::Activated(QSystemTrayIcon::ActivationReason reason)
{
    // A double click also starts with a single one; the second press is not a new click.
    if (reason == QSystemTrayIcon::Trigger)
        Q_EMIT LeftClick();
    else if (reason == QSystemTrayIcon::Context)
        Q_EMIT RightClick();
}
