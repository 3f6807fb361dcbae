// Every function of the interface exists. The families still to come answer through their error
// handler that they are not implemented yet; each real definition elsewhere in the library replaces
// the weak one made here.
#include "report.hpp"

#pragma GCC diagnostic ignored "-Wunused-parameter"

#define GEOKERN_NOT_IMPLEMENTED(ret, family, operation, params)                               \
    extern "C" __attribute__((weak)) ret GK_##family##_##operation params {                   \
        return geokern::not_implemented<ret>("GK_" #family "_" #operation, handler);          \
    }

GK_FUNCTIONS(GEOKERN_NOT_IMPLEMENTED)
