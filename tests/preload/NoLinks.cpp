// Preloaded into a test, this makes the file system look like FAT, exFAT or
// many network shares: no hard links, and no rename that refuses to replace.

#include <cerrno>
#include <cstdio>

extern "C" {

int link(const char *from, const char *to)
{
    (void)from;
    (void)to;
    errno = EPERM;
    return -1;
}

int renameat2(int fromFolder, const char *from, int toFolder, const char *to, unsigned int flags)
{
    (void)fromFolder;
    (void)from;
    (void)toFolder;
    (void)to;
    (void)flags;
    errno = EINVAL;
    return -1;
}

__attribute__((constructor)) static void say(void)
{
    std::puts("the preloaded library holds: no hard links");
}
}
