#include "app/Form1.h"

#include <QMimeData>

namespace corvanta {

void Form1::AddFiles() {}
void Form1::AddFolder() {}
void Form1::LoadSampleFiles() {}
bool Form1::ListView1_OLEDragOver(const QMimeData *) const { return false; }
void Form1::ListView1_OLEDragDrop(const QMimeData *) {}
void Form1::AddStartupPaths(const QStringList &) {}

} // namespace corvanta
