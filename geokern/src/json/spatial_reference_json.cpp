#include "json/spatial_reference_json.hpp"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include "json/json_values.hpp"
#include "spatial/latest_wkid.hpp"

namespace geokern {
namespace {

// An identifier and the newer one that may come with it.
struct Identifiers {
    int32_t given = 0;
    int32_t newest = 0;
    const char* given_key;
    const char* newest_key;

    bool none() const { return given == 0 && newest == 0; }
};

Identifiers read_identifiers(const rapidjson::Value& object, const char* given_key, const char* newest_key,
                             const JsonLocation& where) {
    return Identifiers{read_identifier(object, given_key, where), read_identifier(object, newest_key, where),
                       given_key, newest_key};
}

// The identifier itself when `resolve` accepts it, so that a system written and read back is the same
// one; the newer identifier when the given one is missing or unknown here. A failure names the key.
template <class Resolve>
int32_t first_known(const Identifiers& ids, const JsonLocation& where, Resolve&& resolve) {
    if (ids.given != 0) {
        try {
            resolve(ids.given);
            return ids.given;
        } catch (const Failure& failure) {
            if (ids.newest == 0) refuse_json(where.member(ids.given_key), failure.additional_message);
        }
    }
    try {
        resolve(ids.newest);
        return ids.newest;
    } catch (const Failure& failure) {
        refuse_json(where.member(ids.newest_key), failure.additional_message);
    }
}

SpatialReferencePointer read_text(const rapidjson::Value& object, const JsonLocation& where) {
    for (const char* key : {"wkt", "wkt2"}) {
        const rapidjson::Value* text = find_member(object, key);
        if (text == nullptr || text->IsNull()) continue;
        if (!text->IsString()) refuse_json(where.member(key), std::string("expected a string, got ") + json_type_name(*text));
        if (text->GetStringLength() == 0) continue;
        try {
            return spatial_reference_from_text(std::string(text->GetString(), text->GetStringLength()));
        } catch (const Failure& failure) {
            refuse_json(where.member(key), failure.additional_message);
        }
    }
    refuse_json(where, "a spatial reference needs \"wkid\", \"latestWkid\", \"wkt\" or \"wkt2\"");
}

}  // namespace

SpatialReferencePointer read_spatial_reference(const rapidjson::Value& object, const JsonLocation& where) {
    require_object(object, where, "a spatial reference object");
    Identifiers horizontal = read_identifiers(object, "wkid", "latestWkid", where);
    Identifiers vertical = read_identifiers(object, "vcsWkid", "latestVcsWkid", where);
    if (horizontal.none()) return read_text(object, where);
    int32_t wkid = first_known(horizontal, where, [](int32_t code) { spatial_reference_from_wkid(code); });
    SpatialReferencePointer whole = spatial_reference_from_wkid(wkid);
    if (vertical.none()) return whole;
    // A compound system's own code comes written with its vertical part's code, as it is identified.
    if (whole->has_vertical && (whole->vertical_wkid == vertical.given || whole->vertical_wkid == vertical.newest)) {
        return whole;
    }
    int32_t vcs = first_known(vertical, where, [wkid](int32_t code) { spatial_reference_from_wkids(wkid, code); });
    return spatial_reference_from_wkids(wkid, vcs);
}

void write_spatial_reference(const SpatialReferenceValue& value, std::string& out) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    auto identifier = [&](const char* key, const char* latest_key, int32_t wkid) {
        writer.Key(key);
        writer.Int(wkid);
        if (int32_t latest = latest_wkid(wkid); latest != 0) {
            writer.Key(latest_key);
            writer.Int(latest);
        }
    };
    writer.StartObject();
    if (value.wkid != 0) {
        identifier("wkid", "latestWkid", value.wkid);
    } else {
        const std::string& text = value.text_read.empty() ? value.wkt : value.text_read;
        writer.Key("wkt");
        writer.String(text.c_str(), static_cast<rapidjson::SizeType>(text.size()));
    }
    if (value.vertical_wkid != 0) identifier("vcsWkid", "latestVcsWkid", value.vertical_wkid);
    writer.EndObject();
    out.append(buffer.GetString(), buffer.GetSize());
}

std::string spatial_reference_json(const SpatialReferenceValue& value) {
    std::string out;
    write_spatial_reference(value, out);
    return out;
}

}  // namespace geokern
