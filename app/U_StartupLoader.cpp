#include "app/U_StartupLoader.h"

#include "app/U_Fonts.h"

#include <QDBusConnection>
#include <QFontDatabase>
#include <QStringList>
#include <QThread>

TStartupLoader::TStartupLoader()
{
    // Qt takes the first thread that uses it for its main thread. The worker opens the bus at
    // once, so this thread must have been that first one before the worker starts.
    QThread::currentThread();
    worker = std::thread(&TStartupLoader::Work, this);
}

TStartupLoader::~TStartupLoader()
{
    Finish();
}

void TStartupLoader::Work()
{
    // The bus needs no application object: opened now, while the main thread builds it, the
    // connection is there when the first control asks for it. It goes first: opening it is
    // mostly waiting for the bus daemon, which leaves the processor to the main thread.
    QDBusConnection::sessionBus();
    Fonts::LoadSystemConfiguration();
    std::unique_lock lock(mutex);
    ready.wait(lock, [this]() { return applicationReady || abandoned; });
    if (!applicationReady)
        return;
    lock.unlock();
    QFontDatabase::families();
}

void TStartupLoader::ApplicationReady()
{
    {
        const std::lock_guard lock(mutex);
        applicationReady = true;
    }
    ready.notify_one();
}

void TStartupLoader::Finish()
{
    if (!worker.joinable())
        return;
    {
        const std::lock_guard lock(mutex);
        abandoned = true;
    }
    ready.notify_one();
    worker.join();
}
