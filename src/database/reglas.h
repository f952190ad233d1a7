#pragma once
// The band, mode and exchange rules live in common/reglas_qso.h (namespace
// reglas); this header keeps older includes of this path building.
#include "common/reglas_qso.h"

namespace database {
using namespace reglas;
}  // namespace database
