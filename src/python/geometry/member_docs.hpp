#pragma once

// Descriptions of the members that several geometry classes share, written once so that help() says
// the same thing on every class.
namespace velmor::py::member_docs {

inline constexpr char has_z[] = "Whether the geometry carries z values (bool, read-only).";
inline constexpr char has_m[] = "Whether the geometry carries m values (bool, read-only).";
inline constexpr char is_empty[] = "Whether the geometry has no coordinates (bool).";
inline constexpr char spatial_reference[] =
    "The spatial reference as a new SpatialReference, or None. Assign its dict form, such as {\"wkid\": 4326}; "
    "anything else raises Exception.";
inline constexpr char geometry_type[] =
    "The class name as a str: \"Point\", \"Envelope\", \"MultiPoint\", \"Polyline\" or \"Polygon\".";
inline constexpr char json[] =
    "OvraJSON text of the geometry as the runtime core writes it (str); raises Exception when the runtime "
    "core "
    "refuses the geometry.";
inline constexpr char geo_interface[] =
    "The GeoJSON geometry mapping (dict) that shapely.geometry.shape() and other readers take; curves become "
    "chords within 1e-4 of each curve's size.";
inline constexpr char wkt[] =
    "The geometry as WKT text (str), curves as SQL/MM curve types; raises Exception when it cannot be written.";
inline constexpr char wkb[] =
    "The geometry as ISO WKB (bytes, little-endian), curves as SQL/MM curve types; raises Exception when it "
    "cannot be written.";
inline constexpr char ewkb[] =
    "The geometry as EWKB (bytes), the spatial reference's wkid as its SRID; raises Exception when it cannot "
    "be written.";
inline constexpr char ids[] = "Always None: vertex identifiers are not kept.";

}  // namespace velmor::py::member_docs
