#pragma once

#include <cstdint>

namespace geokern {

// The newest identifier of the system that `wkid` names, or 0 when `wkid` is already the newest: a
// deprecated code gives the code that replaced it, a code of PROJ's second authority gives the EPSG
// code of the same system where EPSG has one. Answers are kept per identifier.
int32_t latest_wkid(int32_t wkid);

}  // namespace geokern
