#include "app/U_StartupLoader.h"

#include <QDBusConnection>
#include <QFontDatabase>
#include <QStringList>

#include <fontconfig/fontconfig.h>
#include <sys/resource.h>
#include <unistd.h>

TStartupLoader::TStartupLoader()
    : configReader([]() {
          // Lowering one's own priority needs no privilege; a failure only costs speed.
          setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19);
          FcInit();
      })
{
}

TStartupLoader::~TStartupLoader()
{
    Finish();
}

void TStartupLoader::ApplicationReady()
{
    if (listLoader.joinable())
        return;
    listLoader = std::thread([]() {
        // The bus first: the main thread's first control asks for it before any text is measured.
        QDBusConnection::sessionBus();
        QFontDatabase::families();
    });
}

void TStartupLoader::Finish()
{
    if (configReader.joinable())
        configReader.join();
    if (listLoader.joinable())
        listLoader.join();
}
