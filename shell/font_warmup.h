#pragma once

#include <system_error>
#include <thread>

// Reads the desktop's font configuration on another core while Qt connects to the display.
// Reading it (some sixty XML files on a Debian desktop) is most of what the first text of a
// Qt program costs, and the main window needs that text as soon as the application object
// exists. Where Qt reads no such configuration this does nothing.
class FontWarmup
{
public:
    FontWarmup();

    // Before the first widget: Qt must find the configuration read, not read it a second time
    // beside this.
    void wait();

private:
    std::jthread m_reader;
};
