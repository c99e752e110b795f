#include "app/Form1.h"

namespace corvanta {

void Form1::Start() {}

} // namespace corvanta
