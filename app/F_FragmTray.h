#pragma once

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>

#include <memory>

// The program's icon in the notification area: a left click and a right click, nothing else.
class TFragmTray : public QObject
{
    Q_OBJECT
public:
    explicit TFragmTray(const QIcon& icon, QObject* parent = nullptr);
    ~TFragmTray() override;

    // The icon appears one event-loop turn later: making it asks the desktop about its
    // notification area (a D-Bus round trip on most desktops), which would otherwise delay the
    // first showing of the main window. A `Remove` before that turn cancels it.
    void Add();
    void Remove();
    bool IsShown() const;

Q_SIGNALS:
    void LeftClick();
    void RightClick();

private:
    void Show();
    void Activated(QSystemTrayIcon::ActivationReason reason);

    QIcon image;
    std::unique_ptr<QSystemTrayIcon> icon;
    bool addPending = false;
};
