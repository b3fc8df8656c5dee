#include "font_warmup.h"

#ifdef TRALVIK_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

FontWarmup::FontWarmup()
{
#ifdef TRALVIK_FONTCONFIG
    // The configuration fontconfig keeps for the process is set atomically; Qt's own FcInit
    // then finds it. Without a thread to spare the program starts as before.
    try {
        m_reader = std::jthread([] { FcInit(); });
    } catch (const std::system_error &) {
    }
#endif
}

void FontWarmup::wait()
{
    if (m_reader.joinable())
        m_reader.join();
}
