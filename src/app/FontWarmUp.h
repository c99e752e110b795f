#pragma once

#include <thread>

namespace corvanta {

// Reads the system's font configuration on a thread of its own, from the
// moment it is made until wait(). The first text the window measures would
// otherwise read it then, on the GUI thread: fontconfig's dozens of files
// are the largest part of Corvanta's start-up. Meanwhile the application
// connects to the display, which needs no fonts. Elsewhere than on Linux
// (where there is no fontconfig) it does nothing.
class FontWarmUp
{
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

    // Waits until the configuration has been read; call before the first widget.
    void wait();

private:
    std::thread m_reader;
};

} // namespace corvanta
