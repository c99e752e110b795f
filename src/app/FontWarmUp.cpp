#include "app/FontWarmUp.h"

#include <QtGlobal>

#ifdef CORVANTA_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace corvanta {

FontWarmUp::FontWarmUp()
{
#ifdef CORVANTA_FONTCONFIG
    // FcInit makes fontconfig's current configuration, which every later
    // call (Qt's own among them) then shares.
    m_reader = std::thread([] { FcInit(); });
#endif
}

FontWarmUp::~FontWarmUp()
{
    wait();
}

void FontWarmUp::wait()
{
    if (m_reader.joinable())
        m_reader.join();
}

} // namespace corvanta
