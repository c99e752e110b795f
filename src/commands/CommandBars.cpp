#include "app/Form1.h"

namespace corvanta {

void Form1::CreateToolbar() {}
void Form1::CreateMenu() {}
void Form1::CommandBars_Execute(int) {}

} // namespace corvanta
