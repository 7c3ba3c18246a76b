#include "common/firststart.h"

namespace firststart {
void ensureDatabases() {}
}
