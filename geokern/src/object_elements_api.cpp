// Elements holding geometries, buffers and dictionaries.
#include "element_objects.hpp"
#include "geometry/geometry_value.hpp"
#include "object_elements.hpp"

using namespace geokern;

GEOKERN_OBJECT_ELEMENT_KIND(Buffer, GK_BufferHandle, GK_ELEMENT_TYPE_BUFFER)
GEOKERN_OBJECT_ELEMENT_KIND(Dictionary, GK_DictionaryHandle, GK_ELEMENT_TYPE_DICTIONARY)
GEOKERN_OBJECT_ELEMENT_KIND(Geometry, GK_GeometryHandle, GK_ELEMENT_TYPE_GEOMETRY)
