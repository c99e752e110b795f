#pragma once

#include <QString>

namespace corvanta::testing {

// PDF files made to hurt whatever opens them, for the checker to refuse.

// One page below `levels` nested page-tree nodes, none stating a /Count.
void writeDeepPageTree(const QString &path, int levels);

// About 1 MB on disk: its page tree sits in an object stream that unpacks
// to `unpackedMegabytes` of memory when anything in it is read.
void writeObjectStreamBomb(const QString &path, int unpackedMegabytes = 1024);

} // namespace corvanta::testing
