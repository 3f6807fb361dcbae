// The Error family: errors handed to error handlers, read and released by their receiver.
#include "report.hpp"
#include "string_value.hpp"

using namespace geokern;

void GK_Error_destroy(GK_ErrorHandle error, GK_EH) {
    guarded<void>(handler, [&] { destroy_handle(error); });
}

GK_StringHandle GK_Error_getAdditionalMessage(GK_ErrorHandle error, GK_EH) {
    return guarded<GK_StringHandle>(handler, [&] { return new_string(value_of(error).additional_message); });
}

int32_t GK_Error_getCode(GK_ErrorHandle error, GK_EH) {
    return guarded<int32_t>(handler, [&] { return value_of(error).code; });
}

GK_StringHandle GK_Error_getMessage(GK_ErrorHandle error, GK_EH) {
    return guarded<GK_StringHandle>(handler, [&] { return new_string(value_of(error).message); });
}

// Null when the error has no underlying cause.
GK_ErrorHandle GK_Error_getUnderlyingError(GK_ErrorHandle error, GK_EH) {
    return guarded<GK_ErrorHandle>(handler, [&] {
        const auto& underlying = value_of(error).underlying;
        return underlying ? new_handle<GK_ErrorHandle>(underlying) : nullptr;
    });
}

// Errors of this library carry no user-defined failure; the answer is always null (after checking the
// handle), which is what the interface promises for "none".
GK_ElementHandle GK_Error_getUserDefinedFailure(GK_ErrorHandle error, GK_EH) {
    return guarded<GK_ElementHandle>(handler, [&] {
        value_of(error);
        return GK_ElementHandle{nullptr};
    });
}
