#include "app/U_StartupLoader.h"

#include <QDBusConnection>
#include <QFontDatabase>
#include <QStringList>

#include <fontconfig/fontconfig.h>

TStartupLoader::TStartupLoader() : worker(&TStartupLoader::Work, this) {}

TStartupLoader::~TStartupLoader()
{
    Finish();
}

void TStartupLoader::Work()
{
    FcInit();
    std::unique_lock lock(mutex);
    ready.wait(lock, [this]() { return applicationReady || abandoned; });
    if (!applicationReady)
        return;
    lock.unlock();
    // The bus first: the main thread's first control asks for it before any text is measured.
    QDBusConnection::sessionBus();
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
