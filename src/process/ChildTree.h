#pragma once

#include <QtGlobal>

#include <memory>

class QProcess;

namespace corvanta {

// Window styles for a started program: 0 hidden, 1 normal with focus,
// 2 minimised with focus, 3 maximised with focus, 4 normal without focus,
// 5 shown as it is, 6 minimised without focus. They matter on Windows only.
inline constexpr int kHiddenWindow = 0;
inline constexpr int kDefaultWindowStyle = 6;
// Styles outside 0 to 6 become 6.
int normalizeWindowStyle(int style);
// The Windows show command (SW_…) for a normalised style.
int showWindowCommand(int style);

// Keeps a child process together with everything it starts, so that all of
// it ends as one, and binds it to this program, so that none of it outlives
// the program however the program ends. On POSIX systems the child leads a
// process group of its own and is killed when this program dies; on Windows
// it runs in a job that ends with this program. This is the only place where
// the platforms differ in running a child.
class ChildTree
{
public:
    ChildTree();
    ~ChildTree();
    ChildTree(const ChildTree &) = delete;
    ChildTree &operator=(const ChildTree &) = delete;

    // Before the process starts: how its window shows (a window style, see
    // above; it matters on Windows only) and the most memory it may
    // take, in bytes (0 for no limit); at low priority, it gets the CPU only
    // when nothing else wants it.
    void prepare(QProcess &process, int windowStyle, qint64 memoryLimit = 0, bool lowPriority = false);
    // Right after the process has started.
    void started(QProcess &process);
    // Ends the child and everything it started, and waits until they are gone.
    void end(QProcess &process);

private:
    struct Platform;
    std::unique_ptr<Platform> m_platform;
};

} // namespace corvanta
