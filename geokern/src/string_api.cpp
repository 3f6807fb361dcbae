// The String family: text handed out by the library.
#include "report.hpp"
#include "string_value.hpp"

using namespace geokern;

void GK_String_destroy(GK_StringHandle string, GK_EH) {
    guarded<void>(handler, [&] { destroy_handle(string); });
}

GK_StringHandle GK_String_create(const char* text, GK_EH) {
    return guarded<GK_StringHandle>(handler, [&] { return new_string(text_argument(text, "string")); });
}

uint64_t GK_String_getSize(GK_StringHandle string, GK_EH) {
    return guarded<uint64_t>(handler, [&] { return uint64_t{value_of(string).text.size()}; });
}

const char* GK_String_cStr(GK_StringHandle string, GK_EH) {
    return guarded<const char*>(handler, [&] { return value_of(string).text.c_str(); });
}

GK_ByteArray GK_String_getByteArray(GK_StringHandle string, GK_EH) {
    return guarded<GK_ByteArray>(handler, [&] {
        const std::string& text = value_of(string).text;
        return GK_ByteArray{reinterpret_cast<const uint8_t*>(text.data()), uint64_t{text.size()}};
    });
}
