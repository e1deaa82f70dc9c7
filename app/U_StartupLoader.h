#pragma once

#include <thread>

// The work of a start that needs no window, done on worker threads while the main thread builds
// the windows. From the first instant, a thread of the lowest priority reads the font
// configuration (the longest single step of a start): it takes only the processor time that the
// start leaves unused, so that it never slows the application object's own set-up. Once the
// application object exists (`ApplicationReady`), a second thread of normal priority opens the
// session bus connection that accessibility and the tray icon ask for at the first control, then
// loads the font list. Qt guards its font database and its bus connections with its own locks:
// the main thread asking for either waits for that thread instead of doing the work twice. It
// never waits for the low-priority one: fontconfig lets a caller that finds no configuration yet
// read one itself.
class TStartupLoader
{
public:
    TStartupLoader();
    ~TStartupLoader(); // Finish
    TStartupLoader(const TStartupLoader&) = delete;
    TStartupLoader& operator=(const TStartupLoader&) = delete;

    void ApplicationReady();
    // Waits for both threads. Call it while the application object still exists. A second call
    // does nothing.
    void Finish();

private:
    std::thread configReader;
    std::thread listLoader;
};
