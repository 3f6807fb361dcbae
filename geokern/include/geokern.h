/* The C interface of the runtime core library geokern.
 *
 * One list, GK_FUNCTIONS, names all 635 functions in the order of the library's symbol table, with their
 * C signatures. The library defines every function of the list; the binding expands the same list into
 * its function table and resolves each name with dlsym. Nothing is declared twice.
 *
 * Conventions:
 * - Every object is an opaque handle. Every handle a function returns is new and belongs to the caller,
 *   who releases it exactly once with the destroy function of its family (geometries with
 *   GK_Geometry_destroy, builders with GK_GeometryBuilder_destroy, units with GK_Unit_destroy,
 *   transformations with GK_DatumTransformation_destroy). Handles passed as arguments stay with the
 *   caller. A handle owns a shared reference: values read out of containers stay valid after the
 *   container is gone.
 * - The last parameter is always `const GK_ErrorHandler* handler`. On failure the library calls
 *   handler->callback(handler->user, error) once per error with a new GK_ErrorHandle that the callback
 *   owns, and returns zero, null or an empty byte range. A null handler (or one with a null callback)
 *   sends the error to the process-wide callback of GK_VelmorRuntimeEnvironment_setErrorCallback, or
 *   drops it when none is set. No C++ exception ever crosses the interface.
 * - Text goes in as NUL-terminated UTF-8 (`const char*`) and comes out as GK_StringHandle.
 * - Flags are one byte (GK_Bool, 0 or 1). Enumerations and identifiers are int32_t. Coordinates and
 *   measures are double.
 * - Geometry containers (parts, part and point collections) count and index with int64_t; an index
 *   query answers -1 for "none", and a negative or too large index argument is an error.
 * - Element containers (Array, Vector) and strings count and index with uint64_t; indexOf answers
 *   GK_Vector_npos() (UINT64_MAX) for "not found".
 */
#ifndef GEOKERN_H
#define GEOKERN_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef uint8_t GK_Bool;

/* Opaque handles. Every geometry kind (point, envelope, polyline, polygon, multipoint) is a
   GK_GeometryHandle; every builder a GK_GeometryBuilderHandle; every unit a GK_UnitHandle; every datum
   transformation kind a GK_DatumTransformationHandle. */
typedef struct GK_ArrayObject* GK_ArrayHandle;
typedef struct GK_ArrayBuilderObject* GK_ArrayBuilderHandle;
typedef struct GK_BufferObject* GK_BufferHandle;
typedef struct GK_DatumTransformationObject* GK_DatumTransformationHandle;
typedef struct GK_DictionaryObject* GK_DictionaryHandle;
typedef struct GK_DistanceObject* GK_DistanceHandle;
typedef struct GK_ElementObject* GK_ElementHandle;
typedef struct GK_ErrorObject* GK_ErrorHandle;
typedef struct GK_GeodesicEllipseParametersObject* GK_GeodesicEllipseParametersHandle;
typedef struct GK_GeodesicSectorParametersObject* GK_GeodesicSectorParametersHandle;
typedef struct GK_GeodeticDistanceResultObject* GK_GeodeticDistanceResultHandle;
typedef struct GK_GeographicTransformationStepObject* GK_GeographicTransformationStepHandle;
typedef struct GK_GeometryObject* GK_GeometryHandle;
typedef struct GK_GeometryBuilderObject* GK_GeometryBuilderHandle;
typedef struct GK_HorizontalVerticalTransformationStepObject* GK_HorizontalVerticalTransformationStepHandle;
typedef struct GK_ImmutablePartObject* GK_ImmutablePartHandle;
typedef struct GK_ImmutablePartCollectionObject* GK_ImmutablePartCollectionHandle;
typedef struct GK_ImmutablePointCollectionObject* GK_ImmutablePointCollectionHandle;
typedef struct GK_MutablePartObject* GK_MutablePartHandle;
typedef struct GK_MutablePartCollectionObject* GK_MutablePartCollectionHandle;
typedef struct GK_MutablePointCollectionObject* GK_MutablePointCollectionHandle;
typedef struct GK_ProximityResultObject* GK_ProximityResultHandle;
typedef struct GK_SegmentObject* GK_SegmentHandle;
typedef struct GK_SpatialReferenceObject* GK_SpatialReferenceHandle;
typedef struct GK_SpatialReferenceBuilderObject* GK_SpatialReferenceBuilderHandle;
typedef struct GK_StringObject* GK_StringHandle;
typedef struct GK_UnitObject* GK_UnitHandle;
typedef struct GK_VectorObject* GK_VectorHandle;

/* Error handler record: the library calls callback(user, error); the callback owns `error`. */
typedef void (*GK_ErrorCallback)(void* user, GK_ErrorHandle error);
typedef struct GK_ErrorHandler {
    GK_ErrorCallback callback;
    void* user;
} GK_ErrorHandler;

/* Bytes owned by a string handle; valid until the handle is destroyed. */
typedef struct GK_ByteArray {
    const uint8_t* data;
    uint64_t size;
} GK_ByteArray;

/* Enumerations, all int32_t. */
typedef int32_t GK_GeometryType;     /* 1 point, 2 envelope, 3 polyline, 4 polygon, 5 multipoint, -1 unknown */
typedef int32_t GK_SegmentType;      /* 1 line, 2 cubic Bezier, 3 elliptic arc */
typedef int32_t GK_DatumTransformationType; /* 1 geographic, 2 horizontal-vertical */
typedef int32_t GK_UnitType;         /* 1 linear, 2 angular, 3 area */
typedef int32_t GK_LinearUnitId;
typedef int32_t GK_AngularUnitId;
typedef int32_t GK_AreaUnitId;
typedef int32_t GK_GeodeticCurveType;
typedef int32_t GK_GeometryExtendOptions; /* bit flags: 1 relocate ends, 2 keep end attributes, 4 no end attributes,
                                            8 do not extend from the start point, 16 nor from the end point */
typedef int32_t GK_OffsetType;       /* joins of an offset: 0 mitered, 1 bevelled, 2 rounded, 3 squared */
typedef int32_t GK_CoordinateConversionMode; /* GK_COORDINATE_CONVERSION_MODE_*, below */
typedef int32_t GK_LatitudeLongitudeFormat;  /* GK_LATITUDE_LONGITUDE_FORMAT_*, below */
typedef int32_t GK_ObjectType;       /* kind of a container object: GK_OBJECT_TYPE_* */
typedef int32_t GK_ElementType;      /* kind of value an element holds: GK_ELEMENT_TYPE_* */

enum {
    GK_OBJECT_TYPE_ARRAY = 1,
    GK_OBJECT_TYPE_VECTOR = 2
};

enum {
    GK_ELEMENT_TYPE_NONE = 0,
    GK_ELEMENT_TYPE_ARRAY = 1,
    GK_ELEMENT_TYPE_BUFFER = 2,
    GK_ELEMENT_TYPE_DATUM_TRANSFORMATION = 3,
    GK_ELEMENT_TYPE_DICTIONARY = 4,
    GK_ELEMENT_TYPE_ERROR = 5,
    GK_ELEMENT_TYPE_VECTOR = 6,
    GK_ELEMENT_TYPE_INT8 = 30,
    GK_ELEMENT_TYPE_INT16 = 31,
    GK_ELEMENT_TYPE_INT32 = 32,
    GK_ELEMENT_TYPE_INT64 = 33,
    GK_ELEMENT_TYPE_UINT8 = 34,
    GK_ELEMENT_TYPE_UINT16 = 35,
    GK_ELEMENT_TYPE_UINT32 = 36,
    GK_ELEMENT_TYPE_UINT64 = 37,
    GK_ELEMENT_TYPE_STRING = 40,
    GK_ELEMENT_TYPE_FLOAT32 = 42,
    GK_ELEMENT_TYPE_FLOAT64 = 43,
    GK_ELEMENT_TYPE_GEOMETRY = 50,
    GK_ELEMENT_TYPE_SPATIAL_REFERENCE = 51,
    GK_ELEMENT_TYPE_GEOGRAPHIC_TRANSFORMATION_STEP = 52,
    GK_ELEMENT_TYPE_HORIZONTAL_VERTICAL_TRANSFORMATION_STEP = 53
};

/* Coordinate texts (GK_CoordinateFormatter_). Texts are read and written as WGS84 latitude and longitude:
   a `to` function converts its point from its spatial reference to WGS84 first (a point without one is
   WGS84 longitude x and latitude y already), a `from` function returns a point in the spatial reference
   it is given (none: WGS84 longitude and latitude). Reading ignores case and leading or trailing blanks.
   - MGRS and USNG: "33UXP0500444998"; with spaces "33U XP 05004 44998" (zone and band, 100 km square,
     easting and northing digits; polar squares "ZGC..." without a zone). Precision 0 to 11 digits per
     coordinate (5: 1 m, 0: the square alone); digits are truncated, and a text is read as the centre of
     the square it names. USNG is MGRS with the current lettering.
   - UTM: "33U 500000 5500000", or "33N 500000 5500000" by hemisphere; without spaces
     "33U5000005500000" (two-digit zone, easting in 6 and northing in 7 whole metres, rounded). Latitudes
     from 80S to 84N; Norway's and Svalbard's wider zones are used.
   - GARS: "381NH45" (5 minute cell, its highest precision); read at the precision written, 30, 15 or
     5 minutes.
   - Georef: "NKLN2444638946"; precision -1 (15 degrees), 0 (1 degree), 2 to 11 (1 minute down to 1e-9
     minute; 1 writes as 2). Read as the centre of the cell it names.
   - Latitude and longitude, `decimal_places` 0 to 12 of the last component, latitude first:
     decimal degrees "55.500N 004.250W", degrees and decimal minutes "55 30.000N 004 15.000W", degrees,
     minutes and seconds "55 30 00.000N 004 15 00.000W". Reading takes any of these, also with d ' "
     or : as separators, hemisphere letters before or after, longitude first when its letter says so,
     or two signed decimal numbers (latitude first) separated by a comma or blanks. */
enum {
    GK_COORDINATE_CONVERSION_MODE_DEFAULT = 0,           /* each format's first mode below */
    GK_COORDINATE_CONVERSION_MODE_MGRS_NEW_LETTERING = 1, /* MGRS: 100 km rows lettered from A (odd zones)
                                                             and F (even zones), as with WGS84 */
    GK_COORDINATE_CONVERSION_MODE_MGRS_OLD_LETTERING = 2, /* MGRS: rows lettered from L and R, as with the
                                                             older Clarke and Bessel datums */
    GK_COORDINATE_CONVERSION_MODE_UTM_LATITUDE_BAND = 3,  /* UTM: zone and latitude band, "33U" */
    GK_COORDINATE_CONVERSION_MODE_UTM_NORTH_SOUTH = 4,    /* UTM: zone and hemisphere, "33N", "33S" */
    GK_COORDINATE_CONVERSION_MODE_GARS_CENTER = 5,        /* GARS read as the centre of its cell */
    GK_COORDINATE_CONVERSION_MODE_GARS_LOWER_LEFT = 6     /* GARS read as its cell's south-west corner */
};

enum {
    GK_LATITUDE_LONGITUDE_FORMAT_DECIMAL_DEGREES = 0,
    GK_LATITUDE_LONGITUDE_FORMAT_DEGREES_DECIMAL_MINUTES = 1,
    GK_LATITUDE_LONGITUDE_FORMAT_DEGREES_MINUTES_SECONDS = 2
};

/* Codes of the errors the library reports (GK_Error_getCode). */
enum {
    GK_ERROR_INVALID_ARGUMENT = 1,
    GK_ERROR_OUT_OF_RANGE = 2,
    GK_ERROR_TYPE_MISMATCH = 3,
    GK_ERROR_INVALID_STATE = 4,
    GK_ERROR_NOT_IMPLEMENTED = 5,
    GK_ERROR_OUT_OF_MEMORY = 6,
    GK_ERROR_INTERNAL = 7
};

#define GK_EH const GK_ErrorHandler* handler

/* The three Element operations per value kind, each expanded into X(return, family, operation, params). */
#define GK_ELEMENT_FROM_(X, Name, CType) X(GK_ElementHandle, Element, from##Name, (CType value, GK_EH))
#define GK_ELEMENT_GET_(X, Name, CType) X(CType, Element, getValueAs##Name, (GK_ElementHandle element, GK_EH))
#define GK_ELEMENT_SET_(X, Name, CType) X(void, Element, setValueFrom##Name, (GK_ElementHandle element, CType value, GK_EH))

/* The value kinds an element can hold, in symbol-table order, as OP(X, Name, C type of the value).
   X is handed through so that one list serves every expansion of GK_FUNCTIONS. */
#define GK_ELEMENT_VALUE_KINDS(X, OP)                                                          \
    OP(X, Array, GK_ArrayHandle) OP(X, Buffer, GK_BufferHandle)                               \
    OP(X, DatumTransformation, GK_DatumTransformationHandle) OP(X, Dictionary, GK_DictionaryHandle) \
    OP(X, Error, GK_ErrorHandle) OP(X, Float32, float) OP(X, Float64, double)                  \
    OP(X, GeographicTransformationStep, GK_GeographicTransformationStepHandle)                \
    OP(X, Geometry, GK_GeometryHandle)                                                        \
    OP(X, HorizontalVerticalTransformationStep, GK_HorizontalVerticalTransformationStepHandle) \
    OP(X, Int16, int16_t) OP(X, Int32, int32_t) OP(X, Int64, int64_t) OP(X, Int8, int8_t)      \
    OP(X, SpatialReference, GK_SpatialReferenceHandle) OP(X, String, GK_StringHandle)         \
    OP(X, UInt16, uint16_t) OP(X, UInt32, uint32_t) OP(X, UInt64, uint64_t) OP(X, UInt8, uint8_t) \
    OP(X, Vector, GK_VectorHandle)

/* X(return type, family, operation, (parameters)) for all 635 functions, in symbol-table order. */
#define GK_FUNCTIONS(X) \
    /* 1 Segment (9) */ \
    X(void, Segment, destroy, (GK_SegmentHandle segment, GK_EH)) \
    X(GK_GeometryHandle, Segment, getEndPoint, (GK_SegmentHandle segment, GK_EH)) \
    X(GK_Bool, Segment, getIsClosed, (GK_SegmentHandle segment, GK_EH)) \
    X(GK_Bool, Segment, getIsCurve, (GK_SegmentHandle segment, GK_EH)) \
    X(GK_SegmentType, Segment, getObjectType, (GK_SegmentHandle segment, GK_EH)) \
    X(GK_SpatialReferenceHandle, Segment, getSpatialReference, (GK_SegmentHandle segment, GK_EH)) \
    X(GK_GeometryHandle, Segment, getStartPoint, (GK_SegmentHandle segment, GK_EH)) \
    X(GK_Bool, Segment, equals, (GK_SegmentHandle segment, GK_SegmentHandle other, GK_EH)) \
    X(uint64_t, Segment, getHash, (GK_SegmentHandle segment, GK_EH)) \
    /* 2 Point (12) */ \
    X(GK_GeometryHandle, Point, createWithXY, (double x, double y, GK_EH)) \
    X(GK_GeometryHandle, Point, createWithXYSpatialReference, (double x, double y, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_GeometryHandle, Point, createWithXYZ, (double x, double y, double z, GK_EH)) \
    X(GK_GeometryHandle, Point, createWithXYZSpatialReference, (double x, double y, double z, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(double, Point, getM, (GK_GeometryHandle point, GK_EH)) \
    X(double, Point, getX, (GK_GeometryHandle point, GK_EH)) \
    X(double, Point, getY, (GK_GeometryHandle point, GK_EH)) \
    X(double, Point, getZ, (GK_GeometryHandle point, GK_EH)) \
    X(GK_GeometryHandle, Point, createWithM, (double x, double y, double m, GK_EH)) \
    X(GK_GeometryHandle, Point, createWithMSpatialReference, (double x, double y, double m, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_GeometryHandle, Point, createWithZM, (double x, double y, double z, double m, GK_EH)) \
    X(GK_GeometryHandle, Point, createWithZMSpatialReference, (double x, double y, double z, double m, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    /* 3 MutablePart (30) */ \
    X(void, MutablePart, destroy, (GK_MutablePartHandle part, GK_EH)) \
    X(GK_MutablePartHandle, MutablePart, createWithSpatialReference, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_GeometryHandle, MutablePart, getEndPoint, (GK_MutablePartHandle part, GK_EH)) \
    X(GK_Bool, MutablePart, getHasCurves, (GK_MutablePartHandle part, GK_EH)) \
    X(GK_Bool, MutablePart, getIsEmpty, (GK_MutablePartHandle part, GK_EH)) \
    X(int64_t, MutablePart, getPointCount, (GK_MutablePartHandle part, GK_EH)) \
    X(int64_t, MutablePart, getSegmentCount, (GK_MutablePartHandle part, GK_EH)) \
    X(GK_SpatialReferenceHandle, MutablePart, getSpatialReference, (GK_MutablePartHandle part, GK_EH)) \
    X(GK_GeometryHandle, MutablePart, getStartPoint, (GK_MutablePartHandle part, GK_EH)) \
    X(void, MutablePart, addPoint, (GK_MutablePartHandle part, GK_GeometryHandle point, GK_EH)) \
    X(void, MutablePart, addPointXY, (GK_MutablePartHandle part, double x, double y, GK_EH)) \
    X(void, MutablePart, addPointXYZ, (GK_MutablePartHandle part, double x, double y, double z, GK_EH)) \
    X(void, MutablePart, addSegment, (GK_MutablePartHandle part, GK_SegmentHandle segment, GK_EH)) \
    X(int64_t, MutablePart, getEndPointIndexFromSegmentIndex, (GK_MutablePartHandle part, int64_t segment_index, GK_EH)) \
    X(GK_GeometryHandle, MutablePart, getPoint, (GK_MutablePartHandle part, int64_t point_index, GK_EH)) \
    X(GK_ImmutablePointCollectionHandle, MutablePart, getPoints, (GK_MutablePartHandle part, GK_EH)) \
    X(GK_SegmentHandle, MutablePart, getSegment, (GK_MutablePartHandle part, int64_t segment_index, GK_EH)) \
    X(int64_t, MutablePart, getSegmentIndexFromEndPointIndex, (GK_MutablePartHandle part, int64_t point_index, GK_EH)) \
    X(int64_t, MutablePart, getSegmentIndexFromPointIndex, (GK_MutablePartHandle part, int64_t point_index, GK_EH)) \
    X(int64_t, MutablePart, getSegmentIndexFromStartPointIndex, (GK_MutablePartHandle part, int64_t point_index, GK_EH)) \
    X(int64_t, MutablePart, getStartPointIndexFromSegmentIndex, (GK_MutablePartHandle part, int64_t segment_index, GK_EH)) \
    X(void, MutablePart, insertPoint, (GK_MutablePartHandle part, int64_t point_index, GK_GeometryHandle point, GK_EH)) \
    X(void, MutablePart, insertPointXY, (GK_MutablePartHandle part, int64_t point_index, double x, double y, GK_EH)) \
    X(void, MutablePart, insertPointXYZ, (GK_MutablePartHandle part, int64_t point_index, double x, double y, double z, GK_EH)) \
    X(void, MutablePart, insertSegment, (GK_MutablePartHandle part, int64_t segment_index, GK_SegmentHandle segment, GK_EH)) \
    X(void, MutablePart, removeAll, (GK_MutablePartHandle part, GK_EH)) \
    X(void, MutablePart, removePoint, (GK_MutablePartHandle part, int64_t point_index, GK_EH)) \
    X(void, MutablePart, removeSegment, (GK_MutablePartHandle part, int64_t segment_index, GK_Bool preserve_adjacent_segments, GK_EH)) \
    X(void, MutablePart, setPoint, (GK_MutablePartHandle part, int64_t point_index, GK_GeometryHandle point, GK_EH)) \
    X(void, MutablePart, setSegment, (GK_MutablePartHandle part, int64_t segment_index, GK_SegmentHandle segment, GK_EH)) \
    /* 4 PointBuilder (15) */ \
    X(GK_GeometryBuilderHandle, PointBuilder, createFromPoint, (GK_GeometryHandle point, GK_EH)) \
    X(GK_GeometryBuilderHandle, PointBuilder, createFromSpatialReference, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(double, PointBuilder, getM, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(double, PointBuilder, getX, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(double, PointBuilder, getY, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(double, PointBuilder, getZ, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(void, PointBuilder, setM, (GK_GeometryBuilderHandle builder, double m, GK_EH)) \
    X(void, PointBuilder, setX, (GK_GeometryBuilderHandle builder, double x, GK_EH)) \
    X(void, PointBuilder, setY, (GK_GeometryBuilderHandle builder, double y, GK_EH)) \
    X(void, PointBuilder, setZ, (GK_GeometryBuilderHandle builder, double z, GK_EH)) \
    X(void, PointBuilder, normalize, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(void, PointBuilder, normalizeToEnvelope, (GK_GeometryBuilderHandle builder, GK_GeometryHandle envelope, GK_EH)) \
    X(void, PointBuilder, normalizeToPointClosestTo, (GK_GeometryBuilderHandle builder, double x, GK_EH)) \
    X(void, PointBuilder, offsetBy, (GK_GeometryBuilderHandle builder, double delta_x, double delta_y, GK_EH)) \
    X(void, PointBuilder, setXY, (GK_GeometryBuilderHandle builder, double x, double y, GK_EH)) \
    /* 5 AngularUnit (6) */ \
    X(GK_UnitHandle, AngularUnit, create, (GK_AngularUnitId unit_id, GK_EH)) \
    X(GK_AngularUnitId, AngularUnit, getAngularUnitId, (GK_UnitHandle unit, GK_EH)) \
    X(double, AngularUnit, convertFrom, (GK_UnitHandle unit, GK_UnitHandle from_unit, double value, GK_EH)) \
    X(double, AngularUnit, convertTo, (GK_UnitHandle unit, GK_UnitHandle to_unit, double value, GK_EH)) \
    X(double, AngularUnit, fromRadians, (GK_UnitHandle unit, double radians, GK_EH)) \
    X(double, AngularUnit, toRadians, (GK_UnitHandle unit, double value, GK_EH)) \
    /* 6 AreaUnit (7) */ \
    X(GK_UnitHandle, AreaUnit, create, (GK_AreaUnitId unit_id, GK_EH)) \
    X(GK_UnitHandle, AreaUnit, createFromLinearUnit, (GK_UnitHandle linear_unit, GK_EH)) \
    X(GK_AreaUnitId, AreaUnit, getAreaUnitId, (GK_UnitHandle unit, GK_EH)) \
    X(double, AreaUnit, convertFrom, (GK_UnitHandle unit, GK_UnitHandle from_unit, double area, GK_EH)) \
    X(double, AreaUnit, convertTo, (GK_UnitHandle unit, GK_UnitHandle to_unit, double area, GK_EH)) \
    X(double, AreaUnit, fromSquareMeters, (GK_UnitHandle unit, double square_meters, GK_EH)) \
    X(double, AreaUnit, toSquareMeters, (GK_UnitHandle unit, double area, GK_EH)) \
    /* 7 CoordinateFormatter (12) */ \
    X(GK_GeometryHandle, CoordinateFormatter, fromGARS, (const char* coordinates, GK_SpatialReferenceHandle spatial_reference, GK_CoordinateConversionMode mode, GK_EH)) \
    X(GK_GeometryHandle, CoordinateFormatter, fromGeoRef, (const char* coordinates, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_GeometryHandle, CoordinateFormatter, fromLatitudeLongitude, (const char* coordinates, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_GeometryHandle, CoordinateFormatter, fromMGRS, (const char* coordinates, GK_SpatialReferenceHandle spatial_reference, GK_CoordinateConversionMode mode, GK_EH)) \
    X(GK_GeometryHandle, CoordinateFormatter, fromUSNG, (const char* coordinates, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_GeometryHandle, CoordinateFormatter, fromUTM, (const char* coordinates, GK_SpatialReferenceHandle spatial_reference, GK_CoordinateConversionMode mode, GK_EH)) \
    X(GK_StringHandle, CoordinateFormatter, toGARS, (GK_GeometryHandle point, GK_EH)) \
    X(GK_StringHandle, CoordinateFormatter, toGeoRef, (GK_GeometryHandle point, int32_t precision, GK_EH)) \
    X(GK_StringHandle, CoordinateFormatter, toLatitudeLongitude, (GK_GeometryHandle point, GK_LatitudeLongitudeFormat format, int32_t decimal_places, GK_EH)) \
    X(GK_StringHandle, CoordinateFormatter, toMGRS, (GK_GeometryHandle point, GK_CoordinateConversionMode mode, int32_t precision, GK_Bool add_spaces, GK_EH)) \
    X(GK_StringHandle, CoordinateFormatter, toUSNG, (GK_GeometryHandle point, int32_t precision, GK_Bool add_spaces, GK_EH)) \
    X(GK_StringHandle, CoordinateFormatter, toUTM, (GK_GeometryHandle point, GK_CoordinateConversionMode mode, GK_Bool add_spaces, GK_EH)) \
    /* 8 CubicBezierSegment (3) */ \
    X(GK_SegmentHandle, CubicBezierSegment, create, (GK_GeometryHandle start_point, GK_GeometryHandle control_point1, GK_GeometryHandle control_point2, GK_GeometryHandle end_point, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_GeometryHandle, CubicBezierSegment, getControlPoint1, (GK_SegmentHandle segment, GK_EH)) \
    X(GK_GeometryHandle, CubicBezierSegment, getControlPoint2, (GK_SegmentHandle segment, GK_EH)) \
    /* 9 DatumTransformation (9) */ \
    X(void, DatumTransformation, destroy, (GK_DatumTransformationHandle transformation, GK_EH)) \
    X(GK_SpatialReferenceHandle, DatumTransformation, getInputSpatialReference, (GK_DatumTransformationHandle transformation, GK_EH)) \
    X(GK_Bool, DatumTransformation, getIsMissingProjectionEngineFiles, (GK_DatumTransformationHandle transformation, GK_EH)) \
    X(GK_StringHandle, DatumTransformation, getName, (GK_DatumTransformationHandle transformation, GK_EH)) \
    X(GK_DatumTransformationType, DatumTransformation, getObjectType, (GK_DatumTransformationHandle transformation, GK_EH)) \
    X(GK_SpatialReferenceHandle, DatumTransformation, getOutputSpatialReference, (GK_DatumTransformationHandle transformation, GK_EH)) \
    X(GK_Bool, DatumTransformation, equals, (GK_DatumTransformationHandle transformation, GK_DatumTransformationHandle other, GK_EH)) \
    X(uint64_t, DatumTransformation, getHash, (GK_DatumTransformationHandle transformation, GK_EH)) \
    X(GK_DatumTransformationHandle, DatumTransformation, getInverse, (GK_DatumTransformationHandle transformation, GK_EH)) \
    /* 10 Distance (3) */ \
    X(void, Distance, destroy, (GK_DistanceHandle distance, GK_EH)) \
    X(GK_UnitHandle, Distance, getUnit, (GK_DistanceHandle distance, GK_EH)) \
    X(double, Distance, getValue, (GK_DistanceHandle distance, GK_EH)) \
    /* 11 EllipticArcSegment (15) */ \
    X(GK_SegmentHandle, EllipticArcSegment, createWithCenter, (GK_GeometryHandle center, double rotation_angle, double semi_major_axis, double minor_major_ratio, double start_angle, double central_angle, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_SegmentHandle, EllipticArcSegment, createWithStartAndEndpoints, (GK_GeometryHandle start_point, GK_GeometryHandle end_point, double rotation_angle, GK_Bool is_minor, GK_Bool is_counter_clockwise, double semi_major_axis, double minor_major_ratio, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_GeometryHandle, EllipticArcSegment, getCenterPoint, (GK_SegmentHandle segment, GK_EH)) \
    X(double, EllipticArcSegment, getCentralAngle, (GK_SegmentHandle segment, GK_EH)) \
    X(double, EllipticArcSegment, getEndAngle, (GK_SegmentHandle segment, GK_EH)) \
    X(GK_Bool, EllipticArcSegment, getIsCircular, (GK_SegmentHandle segment, GK_EH)) \
    X(GK_Bool, EllipticArcSegment, getIsCounterClockwise, (GK_SegmentHandle segment, GK_EH)) \
    X(double, EllipticArcSegment, getMinorMajorRatio, (GK_SegmentHandle segment, GK_EH)) \
    X(double, EllipticArcSegment, getRotationAngle, (GK_SegmentHandle segment, GK_EH)) \
    X(double, EllipticArcSegment, getSemiMajorAxis, (GK_SegmentHandle segment, GK_EH)) \
    X(double, EllipticArcSegment, getSemiMinorAxis, (GK_SegmentHandle segment, GK_EH)) \
    X(double, EllipticArcSegment, getStartAngle, (GK_SegmentHandle segment, GK_EH)) \
    X(GK_SegmentHandle, EllipticArcSegment, createCircularEllipticArcWithCenter, (GK_GeometryHandle start_point, GK_GeometryHandle end_point, GK_GeometryHandle center, GK_Bool is_minor, GK_Bool is_counter_clockwise, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_SegmentHandle, EllipticArcSegment, createCircularEllipticArcWithCenterRadiusAndAngles, (GK_GeometryHandle center, double radius, double start_angle, double central_angle, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_SegmentHandle, EllipticArcSegment, createCircularEllipticArcWithStartEndAndInterior, (GK_GeometryHandle start_point, GK_GeometryHandle end_point, GK_GeometryHandle interior_point, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    /* 12 Envelope (23) */ \
    X(GK_GeometryHandle, Envelope, createWithCenterPoint, (GK_GeometryHandle center, double width, double height, GK_EH)) \
    X(GK_GeometryHandle, Envelope, createWithCenterPointAndDepth, (GK_GeometryHandle center, double width, double height, double depth, GK_EH)) \
    X(GK_GeometryHandle, Envelope, createWithPoints, (GK_GeometryHandle min_point, GK_GeometryHandle max_point, GK_EH)) \
    X(GK_GeometryHandle, Envelope, createWithXY, (double xmin, double ymin, double xmax, double ymax, GK_EH)) \
    X(GK_GeometryHandle, Envelope, createWithXYSpatialReference, (double xmin, double ymin, double xmax, double ymax, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_GeometryHandle, Envelope, createWithXYZ, (double xmin, double ymin, double xmax, double ymax, double zmin, double zmax, GK_EH)) \
    X(GK_GeometryHandle, Envelope, createWithXYZSpatialReference, (double xmin, double ymin, double xmax, double ymax, double zmin, double zmax, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_GeometryHandle, Envelope, getCenter, (GK_GeometryHandle envelope, GK_EH)) \
    X(double, Envelope, getDepth, (GK_GeometryHandle envelope, GK_EH)) \
    X(double, Envelope, getHeight, (GK_GeometryHandle envelope, GK_EH)) \
    X(double, Envelope, getMMax, (GK_GeometryHandle envelope, GK_EH)) \
    X(double, Envelope, getMMin, (GK_GeometryHandle envelope, GK_EH)) \
    X(double, Envelope, getWidth, (GK_GeometryHandle envelope, GK_EH)) \
    X(double, Envelope, getXMax, (GK_GeometryHandle envelope, GK_EH)) \
    X(double, Envelope, getXMin, (GK_GeometryHandle envelope, GK_EH)) \
    X(double, Envelope, getYMax, (GK_GeometryHandle envelope, GK_EH)) \
    X(double, Envelope, getYMin, (GK_GeometryHandle envelope, GK_EH)) \
    X(double, Envelope, getZMax, (GK_GeometryHandle envelope, GK_EH)) \
    X(double, Envelope, getZMin, (GK_GeometryHandle envelope, GK_EH)) \
    X(GK_GeometryHandle, Envelope, createWithM, (double xmin, double ymin, double xmax, double ymax, double mmin, double mmax, GK_EH)) \
    X(GK_GeometryHandle, Envelope, createWithMSpatialReference, (double xmin, double ymin, double xmax, double ymax, double mmin, double mmax, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_GeometryHandle, Envelope, createWithZM, (double xmin, double ymin, double xmax, double ymax, double zmin, double zmax, double mmin, double mmax, GK_EH)) \
    X(GK_GeometryHandle, Envelope, createWithZMSpatialReference, (double xmin, double ymin, double xmax, double ymax, double zmin, double zmax, double mmin, double mmax, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    /* 13 EnvelopeBuilder (37) */ \
    X(GK_GeometryBuilderHandle, EnvelopeBuilder, createFromCenterPoint, (GK_GeometryHandle center, double width, double height, GK_EH)) \
    X(GK_GeometryBuilderHandle, EnvelopeBuilder, createFromCenterPointAndDepth, (GK_GeometryHandle center, double width, double height, double depth, GK_EH)) \
    X(GK_GeometryBuilderHandle, EnvelopeBuilder, createFromEnvelope, (GK_GeometryHandle envelope, GK_EH)) \
    X(GK_GeometryBuilderHandle, EnvelopeBuilder, createFromSpatialReference, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_GeometryHandle, EnvelopeBuilder, getCenter, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(double, EnvelopeBuilder, getDepth, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(double, EnvelopeBuilder, getHeight, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(double, EnvelopeBuilder, getMMax, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(double, EnvelopeBuilder, getMMin, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(double, EnvelopeBuilder, getWidth, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(double, EnvelopeBuilder, getXMax, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(double, EnvelopeBuilder, getXMin, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(double, EnvelopeBuilder, getYMax, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(double, EnvelopeBuilder, getYMin, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(double, EnvelopeBuilder, getZMax, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(double, EnvelopeBuilder, getZMin, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(void, EnvelopeBuilder, setMMax, (GK_GeometryBuilderHandle builder, double value, GK_EH)) \
    X(void, EnvelopeBuilder, setMMin, (GK_GeometryBuilderHandle builder, double value, GK_EH)) \
    X(void, EnvelopeBuilder, setXMax, (GK_GeometryBuilderHandle builder, double value, GK_EH)) \
    X(void, EnvelopeBuilder, setXMin, (GK_GeometryBuilderHandle builder, double value, GK_EH)) \
    X(void, EnvelopeBuilder, setYMax, (GK_GeometryBuilderHandle builder, double value, GK_EH)) \
    X(void, EnvelopeBuilder, setYMin, (GK_GeometryBuilderHandle builder, double value, GK_EH)) \
    X(void, EnvelopeBuilder, setZMax, (GK_GeometryBuilderHandle builder, double value, GK_EH)) \
    X(void, EnvelopeBuilder, setZMin, (GK_GeometryBuilderHandle builder, double value, GK_EH)) \
    X(void, EnvelopeBuilder, adjustForWrapAround, (GK_GeometryBuilderHandle builder, GK_GeometryHandle reference_envelope, GK_EH)) \
    X(void, EnvelopeBuilder, centerAt, (GK_GeometryBuilderHandle builder, GK_GeometryHandle center, GK_EH)) \
    X(void, EnvelopeBuilder, changeAspectRatio, (GK_GeometryBuilderHandle builder, double aspect_ratio, GK_Bool expand, GK_EH)) \
    X(void, EnvelopeBuilder, expand, (GK_GeometryBuilderHandle builder, double factor, GK_EH)) \
    X(void, EnvelopeBuilder, expandAtAnchor, (GK_GeometryBuilderHandle builder, GK_GeometryHandle anchor, double factor, GK_EH)) \
    X(void, EnvelopeBuilder, normalize, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(void, EnvelopeBuilder, normalizeToEnvelope, (GK_GeometryBuilderHandle builder, GK_GeometryHandle envelope, GK_EH)) \
    X(void, EnvelopeBuilder, offsetBy, (GK_GeometryBuilderHandle builder, double delta_x, double delta_y, GK_EH)) \
    X(void, EnvelopeBuilder, setM, (GK_GeometryBuilderHandle builder, double mmin, double mmax, GK_EH)) \
    X(void, EnvelopeBuilder, setXY, (GK_GeometryBuilderHandle builder, double xmin, double ymin, double xmax, double ymax, GK_EH)) \
    X(void, EnvelopeBuilder, setZ, (GK_GeometryBuilderHandle builder, double zmin, double zmax, GK_EH)) \
    X(void, EnvelopeBuilder, unionWithEnvelope, (GK_GeometryBuilderHandle builder, GK_GeometryHandle envelope, GK_EH)) \
    X(void, EnvelopeBuilder, unionWithPoint, (GK_GeometryBuilderHandle builder, GK_GeometryHandle point, GK_EH)) \
    /* 14 GeodesicEllipseParameters (22) */ \
    X(void, GeodesicEllipseParameters, destroy, (GK_GeodesicEllipseParametersHandle parameters, GK_EH)) \
    X(GK_GeodesicEllipseParametersHandle, GeodesicEllipseParameters, create, (GK_EH)) \
    X(GK_GeodesicEllipseParametersHandle, GeodesicEllipseParameters, createWith, (GK_UnitHandle angular_unit, double axis_direction, GK_GeometryHandle center, GK_GeometryType geometry_type, GK_UnitHandle linear_unit, int64_t max_point_count, double max_segment_length, double semi_axis1_length, double semi_axis2_length, GK_EH)) \
    X(GK_GeodesicEllipseParametersHandle, GeodesicEllipseParameters, createWithCenterAndAxisLengths, (GK_GeometryHandle center, double semi_axis1_length, double semi_axis2_length, GK_EH)) \
    X(GK_UnitHandle, GeodesicEllipseParameters, getAngularUnit, (GK_GeodesicEllipseParametersHandle parameters, GK_EH)) \
    X(double, GeodesicEllipseParameters, getAxisDirection, (GK_GeodesicEllipseParametersHandle parameters, GK_EH)) \
    X(GK_GeometryHandle, GeodesicEllipseParameters, getCenter, (GK_GeodesicEllipseParametersHandle parameters, GK_EH)) \
    X(GK_GeometryType, GeodesicEllipseParameters, getGeometryType, (GK_GeodesicEllipseParametersHandle parameters, GK_EH)) \
    X(GK_UnitHandle, GeodesicEllipseParameters, getLinearUnit, (GK_GeodesicEllipseParametersHandle parameters, GK_EH)) \
    X(int64_t, GeodesicEllipseParameters, getMaxPointCount, (GK_GeodesicEllipseParametersHandle parameters, GK_EH)) \
    X(double, GeodesicEllipseParameters, getMaxSegmentLength, (GK_GeodesicEllipseParametersHandle parameters, GK_EH)) \
    X(double, GeodesicEllipseParameters, getSemiAxis1Length, (GK_GeodesicEllipseParametersHandle parameters, GK_EH)) \
    X(double, GeodesicEllipseParameters, getSemiAxis2Length, (GK_GeodesicEllipseParametersHandle parameters, GK_EH)) \
    X(void, GeodesicEllipseParameters, setAngularUnit, (GK_GeodesicEllipseParametersHandle parameters, GK_UnitHandle angular_unit, GK_EH)) \
    X(void, GeodesicEllipseParameters, setAxisDirection, (GK_GeodesicEllipseParametersHandle parameters, double axis_direction, GK_EH)) \
    X(void, GeodesicEllipseParameters, setCenter, (GK_GeodesicEllipseParametersHandle parameters, GK_GeometryHandle center, GK_EH)) \
    X(void, GeodesicEllipseParameters, setGeometryType, (GK_GeodesicEllipseParametersHandle parameters, GK_GeometryType geometry_type, GK_EH)) \
    X(void, GeodesicEllipseParameters, setLinearUnit, (GK_GeodesicEllipseParametersHandle parameters, GK_UnitHandle linear_unit, GK_EH)) \
    X(void, GeodesicEllipseParameters, setMaxPointCount, (GK_GeodesicEllipseParametersHandle parameters, int64_t max_point_count, GK_EH)) \
    X(void, GeodesicEllipseParameters, setMaxSegmentLength, (GK_GeodesicEllipseParametersHandle parameters, double max_segment_length, GK_EH)) \
    X(void, GeodesicEllipseParameters, setSemiAxis1Length, (GK_GeodesicEllipseParametersHandle parameters, double length, GK_EH)) \
    X(void, GeodesicEllipseParameters, setSemiAxis2Length, (GK_GeodesicEllipseParametersHandle parameters, double length, GK_EH)) \
    /* 15 GeodesicSectorParameters (26) */ \
    X(void, GeodesicSectorParameters, destroy, (GK_GeodesicSectorParametersHandle parameters, GK_EH)) \
    X(GK_GeodesicSectorParametersHandle, GeodesicSectorParameters, create, (GK_EH)) \
    X(GK_GeodesicSectorParametersHandle, GeodesicSectorParameters, createWith, (GK_UnitHandle angular_unit, double axis_direction, GK_GeometryHandle center, GK_GeometryType geometry_type, GK_UnitHandle linear_unit, int64_t max_point_count, double max_segment_length, double sector_angle, double semi_axis1_length, double semi_axis2_length, double start_direction, GK_EH)) \
    X(GK_GeodesicSectorParametersHandle, GeodesicSectorParameters, createWithCenterAndAxisLengthsAndSectorAngleAndStartDirection, (GK_GeometryHandle center, double semi_axis1_length, double semi_axis2_length, double sector_angle, double start_direction, GK_EH)) \
    X(GK_UnitHandle, GeodesicSectorParameters, getAngularUnit, (GK_GeodesicSectorParametersHandle parameters, GK_EH)) \
    X(double, GeodesicSectorParameters, getAxisDirection, (GK_GeodesicSectorParametersHandle parameters, GK_EH)) \
    X(GK_GeometryHandle, GeodesicSectorParameters, getCenter, (GK_GeodesicSectorParametersHandle parameters, GK_EH)) \
    X(GK_GeometryType, GeodesicSectorParameters, getGeometryType, (GK_GeodesicSectorParametersHandle parameters, GK_EH)) \
    X(GK_UnitHandle, GeodesicSectorParameters, getLinearUnit, (GK_GeodesicSectorParametersHandle parameters, GK_EH)) \
    X(int64_t, GeodesicSectorParameters, getMaxPointCount, (GK_GeodesicSectorParametersHandle parameters, GK_EH)) \
    X(double, GeodesicSectorParameters, getMaxSegmentLength, (GK_GeodesicSectorParametersHandle parameters, GK_EH)) \
    X(double, GeodesicSectorParameters, getSectorAngle, (GK_GeodesicSectorParametersHandle parameters, GK_EH)) \
    X(double, GeodesicSectorParameters, getSemiAxis1Length, (GK_GeodesicSectorParametersHandle parameters, GK_EH)) \
    X(double, GeodesicSectorParameters, getSemiAxis2Length, (GK_GeodesicSectorParametersHandle parameters, GK_EH)) \
    X(double, GeodesicSectorParameters, getStartDirection, (GK_GeodesicSectorParametersHandle parameters, GK_EH)) \
    X(void, GeodesicSectorParameters, setAngularUnit, (GK_GeodesicSectorParametersHandle parameters, GK_UnitHandle angular_unit, GK_EH)) \
    X(void, GeodesicSectorParameters, setAxisDirection, (GK_GeodesicSectorParametersHandle parameters, double axis_direction, GK_EH)) \
    X(void, GeodesicSectorParameters, setCenter, (GK_GeodesicSectorParametersHandle parameters, GK_GeometryHandle center, GK_EH)) \
    X(void, GeodesicSectorParameters, setGeometryType, (GK_GeodesicSectorParametersHandle parameters, GK_GeometryType geometry_type, GK_EH)) \
    X(void, GeodesicSectorParameters, setLinearUnit, (GK_GeodesicSectorParametersHandle parameters, GK_UnitHandle linear_unit, GK_EH)) \
    X(void, GeodesicSectorParameters, setMaxPointCount, (GK_GeodesicSectorParametersHandle parameters, int64_t max_point_count, GK_EH)) \
    X(void, GeodesicSectorParameters, setMaxSegmentLength, (GK_GeodesicSectorParametersHandle parameters, double max_segment_length, GK_EH)) \
    X(void, GeodesicSectorParameters, setSectorAngle, (GK_GeodesicSectorParametersHandle parameters, double sector_angle, GK_EH)) \
    X(void, GeodesicSectorParameters, setSemiAxis1Length, (GK_GeodesicSectorParametersHandle parameters, double length, GK_EH)) \
    X(void, GeodesicSectorParameters, setSemiAxis2Length, (GK_GeodesicSectorParametersHandle parameters, double length, GK_EH)) \
    X(void, GeodesicSectorParameters, setStartDirection, (GK_GeodesicSectorParametersHandle parameters, double start_direction, GK_EH)) \
    /* 16 GeodeticDistanceResult (6) */ \
    X(void, GeodeticDistanceResult, destroy, (GK_GeodeticDistanceResultHandle result, GK_EH)) \
    X(double, GeodeticDistanceResult, getAzimuth1, (GK_GeodeticDistanceResultHandle result, GK_EH)) \
    X(double, GeodeticDistanceResult, getAzimuth2, (GK_GeodeticDistanceResultHandle result, GK_EH)) \
    X(GK_UnitHandle, GeodeticDistanceResult, getAzimuthUnit, (GK_GeodeticDistanceResultHandle result, GK_EH)) \
    X(double, GeodeticDistanceResult, getDistance, (GK_GeodeticDistanceResultHandle result, GK_EH)) \
    X(GK_UnitHandle, GeodeticDistanceResult, getDistanceUnit, (GK_GeodeticDistanceResultHandle result, GK_EH)) \
    /* 17 GeographicTransformation (3) */ \
    X(GK_DatumTransformationHandle, GeographicTransformation, createWithStep, (GK_GeographicTransformationStepHandle step, GK_EH)) \
    X(GK_DatumTransformationHandle, GeographicTransformation, createWithSteps, (GK_VectorHandle steps, GK_EH)) \
    X(GK_ArrayHandle, GeographicTransformation, getSteps, (GK_DatumTransformationHandle transformation, GK_EH)) \
    /* 18 GeographicTransformationStep (12) */ \
    X(void, GeographicTransformationStep, destroy, (GK_GeographicTransformationStepHandle step, GK_EH)) \
    X(GK_GeographicTransformationStepHandle, GeographicTransformationStep, createWithWKID, (int32_t wkid, GK_EH)) \
    X(GK_GeographicTransformationStepHandle, GeographicTransformationStep, createWithWKText, (const char* wk_text, GK_EH)) \
    X(GK_Bool, GeographicTransformationStep, getIsInverse, (GK_GeographicTransformationStepHandle step, GK_EH)) \
    X(GK_Bool, GeographicTransformationStep, getIsMissingProjectionEngineFiles, (GK_GeographicTransformationStepHandle step, GK_EH)) \
    X(GK_ArrayHandle, GeographicTransformationStep, getProjectionEngineFilenames, (GK_GeographicTransformationStepHandle step, GK_EH)) \
    X(int32_t, GeographicTransformationStep, getWKID, (GK_GeographicTransformationStepHandle step, GK_EH)) \
    X(GK_StringHandle, GeographicTransformationStep, getWKText, (GK_GeographicTransformationStepHandle step, GK_EH)) \
    X(GK_StringHandle, GeographicTransformationStep, getWKText2, (GK_GeographicTransformationStepHandle step, GK_EH)) \
    X(GK_Bool, GeographicTransformationStep, equals, (GK_GeographicTransformationStepHandle step, GK_GeographicTransformationStepHandle other, GK_EH)) \
    X(uint64_t, GeographicTransformationStep, getHash, (GK_GeographicTransformationStepHandle step, GK_EH)) \
    X(GK_GeographicTransformationStepHandle, GeographicTransformationStep, getInverse, (GK_GeographicTransformationStepHandle step, GK_EH)) \
    /* 19 Geometry (15) */ \
    X(void, Geometry, destroy, (GK_GeometryHandle geometry, GK_EH)) \
    X(int32_t, Geometry, getDimension, (GK_GeometryHandle geometry, GK_EH)) \
    X(GK_GeometryHandle, Geometry, getExtent, (GK_GeometryHandle geometry, GK_EH)) \
    X(GK_Bool, Geometry, getHasCurves, (GK_GeometryHandle geometry, GK_EH)) \
    X(GK_Bool, Geometry, getHasM, (GK_GeometryHandle geometry, GK_EH)) \
    X(GK_Bool, Geometry, getHasZ, (GK_GeometryHandle geometry, GK_EH)) \
    X(GK_Bool, Geometry, getIsEmpty, (GK_GeometryHandle geometry, GK_EH)) \
    X(GK_GeometryType, Geometry, getObjectType, (GK_GeometryHandle geometry, GK_EH)) \
    X(GK_SpatialReferenceHandle, Geometry, getSpatialReference, (GK_GeometryHandle geometry, GK_EH)) \
    X(GK_Bool, Geometry, equals, (GK_GeometryHandle geometry, GK_GeometryHandle other, GK_EH)) \
    X(GK_Bool, Geometry, equalsWithTolerance, (GK_GeometryHandle geometry, GK_GeometryHandle other, double tolerance, GK_EH)) \
    X(GK_GeometryHandle, Geometry, fromJSON, (const char* json, GK_EH)) \
    X(GK_GeometryHandle, Geometry, fromJSONWithSpatialReference, (const char* json, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(uint64_t, Geometry, getHash, (GK_GeometryHandle geometry, GK_EH)) \
    X(GK_StringHandle, Geometry, toJSON, (GK_GeometryHandle geometry, GK_EH)) \
    /* 20 GeometryBuilder (13) */ \
    X(void, GeometryBuilder, destroy, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(GK_GeometryHandle, GeometryBuilder, getExtent, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(GK_Bool, GeometryBuilder, getHasCurves, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(GK_Bool, GeometryBuilder, getHasM, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(GK_Bool, GeometryBuilder, getHasZ, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(GK_Bool, GeometryBuilder, getIsEmpty, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(GK_Bool, GeometryBuilder, getIsSketchValid, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(GK_GeometryType, GeometryBuilder, getObjectType, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(GK_SpatialReferenceHandle, GeometryBuilder, getSpatialReference, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(GK_GeometryBuilderHandle, GeometryBuilder, createFromGeometry, (GK_GeometryHandle geometry, GK_EH)) \
    X(GK_GeometryBuilderHandle, GeometryBuilder, createFromGeometryTypeAndSpatialReference, (GK_GeometryType geometry_type, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(void, GeometryBuilder, replaceGeometry, (GK_GeometryBuilderHandle builder, GK_GeometryHandle geometry, GK_EH)) \
    X(GK_GeometryHandle, GeometryBuilder, toGeometry, (GK_GeometryBuilderHandle builder, GK_EH)) \
    /* 21 GeometryEngine (62) */ \
    X(double, GeometryEngine, area, (GK_GeometryHandle geometry, GK_EH)) \
    X(double, GeometryEngine, areaGeodetic, (GK_GeometryHandle geometry, GK_UnitHandle area_unit, GK_GeodeticCurveType curve_type, GK_EH)) \
    X(GK_ArrayHandle, GeometryEngine, autoComplete, (GK_VectorHandle existing_boundaries, GK_VectorHandle new_boundaries, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, boundary, (GK_GeometryHandle geometry, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, buffer, (GK_GeometryHandle geometry, double distance, GK_EH)) \
    X(GK_ArrayHandle, GeometryEngine, bufferCollection, (GK_VectorHandle geometries, GK_VectorHandle distances, GK_Bool union_result, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, bufferGeodetic, (GK_GeometryHandle geometry, double distance, GK_UnitHandle distance_unit, double max_deviation, GK_GeodeticCurveType curve_type, GK_EH)) \
    X(GK_ArrayHandle, GeometryEngine, bufferGeodeticCollection, (GK_VectorHandle geometries, GK_VectorHandle distances, GK_UnitHandle distance_unit, double max_deviation, GK_GeodeticCurveType curve_type, GK_Bool union_result, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, clip, (GK_GeometryHandle geometry, GK_GeometryHandle envelope, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, combineExtents, (GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, combineExtentsCollection, (GK_VectorHandle geometries, GK_EH)) \
    X(GK_Bool, GeometryEngine, contains, (GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, convexHull, (GK_GeometryHandle geometry, GK_EH)) \
    X(GK_ArrayHandle, GeometryEngine, convexHullCollection, (GK_VectorHandle geometries, GK_Bool merge, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, createPointAlong, (GK_GeometryHandle polyline, double distance, GK_EH)) \
    X(GK_Bool, GeometryEngine, crosses, (GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH)) \
    X(GK_ArrayHandle, GeometryEngine, cut, (GK_GeometryHandle geometry, GK_GeometryHandle cutter, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, densify, (GK_GeometryHandle geometry, double max_segment_length, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, densifyGeodetic, (GK_GeometryHandle geometry, double max_segment_length, GK_UnitHandle length_unit, GK_GeodeticCurveType curve_type, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, difference, (GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH)) \
    X(GK_Bool, GeometryEngine, disjoint, (GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH)) \
    X(double, GeometryEngine, distance, (GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH)) \
    X(GK_GeodeticDistanceResultHandle, GeometryEngine, distanceGeodetic, (GK_GeometryHandle point1, GK_GeometryHandle point2, GK_UnitHandle distance_unit, GK_UnitHandle azimuth_unit, GK_GeodeticCurveType curve_type, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, ellipseGeodesic, (GK_GeodesicEllipseParametersHandle parameters, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_Bool, GeometryEngine, equals, (GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, extend, (GK_GeometryHandle polyline, GK_GeometryHandle extender, GK_GeometryExtendOptions options, GK_EH)) \
    X(double, GeometryEngine, fractionAlong, (GK_GeometryHandle polyline, GK_GeometryHandle point, double tolerance, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, generalize, (GK_GeometryHandle geometry, double max_deviation, GK_Bool remove_degenerate_parts, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, intersection, (GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH)) \
    X(GK_ArrayHandle, GeometryEngine, intersections, (GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH)) \
    X(GK_Bool, GeometryEngine, intersects, (GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH)) \
    X(GK_Bool, GeometryEngine, isSimple, (GK_GeometryHandle geometry, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, labelPoint, (GK_GeometryHandle polygon, GK_EH)) \
    X(double, GeometryEngine, length, (GK_GeometryHandle geometry, GK_EH)) \
    X(double, GeometryEngine, lengthGeodetic, (GK_GeometryHandle geometry, GK_UnitHandle length_unit, GK_GeodeticCurveType curve_type, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, move, (GK_GeometryHandle geometry, double delta_x, double delta_y, GK_EH)) \
    X(GK_ArrayHandle, GeometryEngine, moveGeodetic, (GK_VectorHandle points, double distance, GK_UnitHandle distance_unit, double azimuth, GK_UnitHandle azimuth_unit, GK_GeodeticCurveType curve_type, GK_EH)) \
    X(GK_ProximityResultHandle, GeometryEngine, nearestCoordinate, (GK_GeometryHandle geometry, GK_GeometryHandle point, GK_EH)) \
    X(GK_ProximityResultHandle, GeometryEngine, nearestCoordinateGeodetic, (GK_GeometryHandle geometry, GK_GeometryHandle point, double max_deviation, GK_UnitHandle deviation_unit, GK_EH)) \
    X(GK_ProximityResultHandle, GeometryEngine, nearestVertex, (GK_GeometryHandle geometry, GK_GeometryHandle point, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, normalizeCentralMeridian, (GK_GeometryHandle geometry, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, offset, (GK_GeometryHandle geometry, double distance, GK_OffsetType offset_type, double bevel_ratio, double flatten_error, GK_EH)) \
    X(GK_Bool, GeometryEngine, overlaps, (GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, project, (GK_GeometryHandle geometry, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, projectWithTransformation, (GK_GeometryHandle geometry, GK_SpatialReferenceHandle spatial_reference, GK_DatumTransformationHandle transformation, GK_EH)) \
    X(GK_Bool, GeometryEngine, relate, (GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, const char* relation, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, removeM, (GK_GeometryHandle geometry, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, removeZ, (GK_GeometryHandle geometry, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, removeZAndM, (GK_GeometryHandle geometry, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, reshape, (GK_GeometryHandle geometry, GK_GeometryHandle reshaper, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, rotate, (GK_GeometryHandle geometry, double angle, GK_GeometryHandle origin, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, scale, (GK_GeometryHandle geometry, double scale_x, double scale_y, GK_GeometryHandle origin, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, sectorGeodesic, (GK_GeodesicSectorParametersHandle parameters, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, setM, (GK_GeometryHandle geometry, double m, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, setZ, (GK_GeometryHandle geometry, double z, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, setZAndM, (GK_GeometryHandle geometry, double z, double m, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, simplify, (GK_GeometryHandle geometry, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, symmetricDifference, (GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH)) \
    X(GK_Bool, GeometryEngine, touches, (GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, union, (GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH)) \
    X(GK_GeometryHandle, GeometryEngine, unionCollection, (GK_VectorHandle geometries, GK_EH)) \
    X(GK_Bool, GeometryEngine, within, (GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH)) \
    /* 22 HorizontalVerticalTransformation (3) */ \
    X(GK_DatumTransformationHandle, HorizontalVerticalTransformation, createWithStep, (GK_HorizontalVerticalTransformationStepHandle step, GK_EH)) \
    X(GK_DatumTransformationHandle, HorizontalVerticalTransformation, createWithSteps, (GK_VectorHandle steps, GK_EH)) \
    X(GK_ArrayHandle, HorizontalVerticalTransformation, getSteps, (GK_DatumTransformationHandle transformation, GK_EH)) \
    /* 23 HorizontalVerticalTransformationStep (12) */ \
    X(void, HorizontalVerticalTransformationStep, destroy, (GK_HorizontalVerticalTransformationStepHandle step, GK_EH)) \
    X(GK_HorizontalVerticalTransformationStepHandle, HorizontalVerticalTransformationStep, createWithWKID, (int32_t wkid, GK_EH)) \
    X(GK_HorizontalVerticalTransformationStepHandle, HorizontalVerticalTransformationStep, createWithWKText, (const char* wk_text, GK_EH)) \
    X(GK_Bool, HorizontalVerticalTransformationStep, getIsInverse, (GK_HorizontalVerticalTransformationStepHandle step, GK_EH)) \
    X(GK_Bool, HorizontalVerticalTransformationStep, getIsMissingProjectionEngineFiles, (GK_HorizontalVerticalTransformationStepHandle step, GK_EH)) \
    X(GK_ArrayHandle, HorizontalVerticalTransformationStep, getProjectionEngineFilenames, (GK_HorizontalVerticalTransformationStepHandle step, GK_EH)) \
    X(int32_t, HorizontalVerticalTransformationStep, getWKID, (GK_HorizontalVerticalTransformationStepHandle step, GK_EH)) \
    X(GK_StringHandle, HorizontalVerticalTransformationStep, getWKText, (GK_HorizontalVerticalTransformationStepHandle step, GK_EH)) \
    X(GK_StringHandle, HorizontalVerticalTransformationStep, getWKText2, (GK_HorizontalVerticalTransformationStepHandle step, GK_EH)) \
    X(GK_Bool, HorizontalVerticalTransformationStep, equals, (GK_HorizontalVerticalTransformationStepHandle step, GK_HorizontalVerticalTransformationStepHandle other, GK_EH)) \
    X(uint64_t, HorizontalVerticalTransformationStep, getHash, (GK_HorizontalVerticalTransformationStepHandle step, GK_EH)) \
    X(GK_HorizontalVerticalTransformationStepHandle, HorizontalVerticalTransformationStep, getInverse, (GK_HorizontalVerticalTransformationStepHandle step, GK_EH)) \
    /* 24 ImmutablePart (16) */ \
    X(void, ImmutablePart, destroy, (GK_ImmutablePartHandle part, GK_EH)) \
    X(GK_GeometryHandle, ImmutablePart, getEndPoint, (GK_ImmutablePartHandle part, GK_EH)) \
    X(GK_Bool, ImmutablePart, getHasCurves, (GK_ImmutablePartHandle part, GK_EH)) \
    X(GK_Bool, ImmutablePart, getIsEmpty, (GK_ImmutablePartHandle part, GK_EH)) \
    X(int64_t, ImmutablePart, getPointCount, (GK_ImmutablePartHandle part, GK_EH)) \
    X(int64_t, ImmutablePart, getSegmentCount, (GK_ImmutablePartHandle part, GK_EH)) \
    X(GK_SpatialReferenceHandle, ImmutablePart, getSpatialReference, (GK_ImmutablePartHandle part, GK_EH)) \
    X(GK_GeometryHandle, ImmutablePart, getStartPoint, (GK_ImmutablePartHandle part, GK_EH)) \
    X(int64_t, ImmutablePart, getEndPointIndexFromSegmentIndex, (GK_ImmutablePartHandle part, int64_t segment_index, GK_EH)) \
    X(GK_GeometryHandle, ImmutablePart, getPoint, (GK_ImmutablePartHandle part, int64_t point_index, GK_EH)) \
    X(GK_ImmutablePointCollectionHandle, ImmutablePart, getPoints, (GK_ImmutablePartHandle part, GK_EH)) \
    X(GK_SegmentHandle, ImmutablePart, getSegment, (GK_ImmutablePartHandle part, int64_t segment_index, GK_EH)) \
    X(int64_t, ImmutablePart, getSegmentIndexFromEndPointIndex, (GK_ImmutablePartHandle part, int64_t point_index, GK_EH)) \
    X(int64_t, ImmutablePart, getSegmentIndexFromPointIndex, (GK_ImmutablePartHandle part, int64_t point_index, GK_EH)) \
    X(int64_t, ImmutablePart, getSegmentIndexFromStartPointIndex, (GK_ImmutablePartHandle part, int64_t point_index, GK_EH)) \
    X(int64_t, ImmutablePart, getStartPointIndexFromSegmentIndex, (GK_ImmutablePartHandle part, int64_t segment_index, GK_EH)) \
    /* 25 ImmutablePartCollection (6) */ \
    X(void, ImmutablePartCollection, destroy, (GK_ImmutablePartCollectionHandle collection, GK_EH)) \
    X(GK_Bool, ImmutablePartCollection, getIsEmpty, (GK_ImmutablePartCollectionHandle collection, GK_EH)) \
    X(int64_t, ImmutablePartCollection, getSize, (GK_ImmutablePartCollectionHandle collection, GK_EH)) \
    X(GK_SpatialReferenceHandle, ImmutablePartCollection, getSpatialReference, (GK_ImmutablePartCollectionHandle collection, GK_EH)) \
    X(GK_ImmutablePartHandle, ImmutablePartCollection, getPart, (GK_ImmutablePartCollectionHandle collection, int64_t part_index, GK_EH)) \
    X(int64_t, ImmutablePartCollection, indexOf, (GK_ImmutablePartCollectionHandle collection, GK_ImmutablePartHandle part, GK_EH)) \
    /* 26 ImmutablePointCollection (6) */ \
    X(void, ImmutablePointCollection, destroy, (GK_ImmutablePointCollectionHandle collection, GK_EH)) \
    X(GK_Bool, ImmutablePointCollection, getIsEmpty, (GK_ImmutablePointCollectionHandle collection, GK_EH)) \
    X(int64_t, ImmutablePointCollection, getSize, (GK_ImmutablePointCollectionHandle collection, GK_EH)) \
    X(GK_SpatialReferenceHandle, ImmutablePointCollection, getSpatialReference, (GK_ImmutablePointCollectionHandle collection, GK_EH)) \
    X(GK_GeometryHandle, ImmutablePointCollection, getPoint, (GK_ImmutablePointCollectionHandle collection, int64_t point_index, GK_EH)) \
    X(int64_t, ImmutablePointCollection, indexOf, (GK_ImmutablePointCollectionHandle collection, GK_GeometryHandle point, GK_EH)) \
    /* 27 LineSegment (7) */ \
    X(GK_SegmentHandle, LineSegment, create, (GK_GeometryHandle start_point, GK_GeometryHandle end_point, GK_EH)) \
    X(GK_SegmentHandle, LineSegment, createWithSpatialReference, (GK_GeometryHandle start_point, GK_GeometryHandle end_point, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_SegmentHandle, LineSegment, createWithXY, (double x_start, double y_start, double x_end, double y_end, GK_EH)) \
    X(GK_SegmentHandle, LineSegment, createWithXYSpatialReference, (double x_start, double y_start, double x_end, double y_end, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_SegmentHandle, LineSegment, createWithXYZ, (double x_start, double y_start, double z_start, double x_end, double y_end, double z_end, GK_EH)) \
    X(GK_SegmentHandle, LineSegment, createWithXYZSpatialReference, (double x_start, double y_start, double z_start, double x_end, double y_end, double z_end, GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_SegmentHandle, LineSegment, createLineAtAngleFromStartPoint, (GK_GeometryHandle start_point, double angle, double length, GK_EH)) \
    /* 28 LinearUnit (7) */ \
    X(GK_UnitHandle, LinearUnit, create, (GK_LinearUnitId unit_id, GK_EH)) \
    X(GK_UnitHandle, LinearUnit, createFromAreaUnit, (GK_UnitHandle area_unit, GK_EH)) \
    X(GK_LinearUnitId, LinearUnit, getLinearUnitId, (GK_UnitHandle unit, GK_EH)) \
    X(double, LinearUnit, convertFrom, (GK_UnitHandle unit, GK_UnitHandle from_unit, double value, GK_EH)) \
    X(double, LinearUnit, convertTo, (GK_UnitHandle unit, GK_UnitHandle to_unit, double value, GK_EH)) \
    X(double, LinearUnit, fromMeters, (GK_UnitHandle unit, double meters, GK_EH)) \
    X(double, LinearUnit, toMeters, (GK_UnitHandle unit, double value, GK_EH)) \
    /* 29 Multipart (1) */ \
    X(GK_ImmutablePartCollectionHandle, Multipart, getParts, (GK_GeometryHandle multipart, GK_EH)) \
    /* 30 MultipartBuilder (5) */ \
    X(GK_MutablePartCollectionHandle, MultipartBuilder, getParts, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(void, MultipartBuilder, setParts, (GK_GeometryBuilderHandle builder, GK_MutablePartCollectionHandle parts, GK_EH)) \
    X(void, MultipartBuilder, addPoint, (GK_GeometryBuilderHandle builder, GK_GeometryHandle point, GK_EH)) \
    X(void, MultipartBuilder, addPointXY, (GK_GeometryBuilderHandle builder, double x, double y, GK_EH)) \
    X(void, MultipartBuilder, addPointXYZ, (GK_GeometryBuilderHandle builder, double x, double y, double z, GK_EH)) \
    /* 31 Multipoint (1) */ \
    X(GK_ImmutablePointCollectionHandle, Multipoint, getPoints, (GK_GeometryHandle multipoint, GK_EH)) \
    /* 32 MultipointBuilder (4) */ \
    X(GK_GeometryBuilderHandle, MultipointBuilder, createFromMultipoint, (GK_GeometryHandle multipoint, GK_EH)) \
    X(GK_GeometryBuilderHandle, MultipointBuilder, createFromSpatialReference, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_MutablePointCollectionHandle, MultipointBuilder, getPoints, (GK_GeometryBuilderHandle builder, GK_EH)) \
    X(void, MultipointBuilder, setPoints, (GK_GeometryBuilderHandle builder, GK_MutablePointCollectionHandle points, GK_EH)) \
    /* 33 MutablePartCollection (12) */ \
    X(void, MutablePartCollection, destroy, (GK_MutablePartCollectionHandle collection, GK_EH)) \
    X(GK_MutablePartCollectionHandle, MutablePartCollection, createWithSpatialReference, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_Bool, MutablePartCollection, getIsEmpty, (GK_MutablePartCollectionHandle collection, GK_EH)) \
    X(int64_t, MutablePartCollection, getSize, (GK_MutablePartCollectionHandle collection, GK_EH)) \
    X(GK_SpatialReferenceHandle, MutablePartCollection, getSpatialReference, (GK_MutablePartCollectionHandle collection, GK_EH)) \
    X(void, MutablePartCollection, addPart, (GK_MutablePartCollectionHandle collection, GK_MutablePartHandle part, GK_EH)) \
    X(GK_MutablePartHandle, MutablePartCollection, getPart, (GK_MutablePartCollectionHandle collection, int64_t part_index, GK_EH)) \
    X(int64_t, MutablePartCollection, indexOf, (GK_MutablePartCollectionHandle collection, GK_MutablePartHandle part, GK_EH)) \
    X(void, MutablePartCollection, insertPart, (GK_MutablePartCollectionHandle collection, int64_t part_index, GK_MutablePartHandle part, GK_EH)) \
    X(void, MutablePartCollection, removeAll, (GK_MutablePartCollectionHandle collection, GK_EH)) \
    X(void, MutablePartCollection, removePart, (GK_MutablePartCollectionHandle collection, int64_t part_index, GK_EH)) \
    X(void, MutablePartCollection, setPart, (GK_MutablePartCollectionHandle collection, int64_t part_index, GK_MutablePartHandle part, GK_EH)) \
    /* 34 MutablePointCollection (18) */ \
    X(void, MutablePointCollection, destroy, (GK_MutablePointCollectionHandle collection, GK_EH)) \
    X(GK_MutablePointCollectionHandle, MutablePointCollection, createWithSpatialReference, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_Bool, MutablePointCollection, getIsEmpty, (GK_MutablePointCollectionHandle collection, GK_EH)) \
    X(int64_t, MutablePointCollection, getSize, (GK_MutablePointCollectionHandle collection, GK_EH)) \
    X(GK_SpatialReferenceHandle, MutablePointCollection, getSpatialReference, (GK_MutablePointCollectionHandle collection, GK_EH)) \
    X(void, MutablePointCollection, addPoint, (GK_MutablePointCollectionHandle collection, GK_GeometryHandle point, GK_EH)) \
    X(void, MutablePointCollection, addPointXY, (GK_MutablePointCollectionHandle collection, double x, double y, GK_EH)) \
    X(void, MutablePointCollection, addPointXYZ, (GK_MutablePointCollectionHandle collection, double x, double y, double z, GK_EH)) \
    X(void, MutablePointCollection, addPoints, (GK_MutablePointCollectionHandle collection, GK_VectorHandle points, GK_EH)) \
    X(void, MutablePointCollection, addPointsFromImmutable, (GK_MutablePointCollectionHandle collection, GK_ImmutablePointCollectionHandle points, GK_EH)) \
    X(GK_GeometryHandle, MutablePointCollection, getPoint, (GK_MutablePointCollectionHandle collection, int64_t point_index, GK_EH)) \
    X(int64_t, MutablePointCollection, indexOf, (GK_MutablePointCollectionHandle collection, GK_GeometryHandle point, GK_EH)) \
    X(void, MutablePointCollection, insertPoint, (GK_MutablePointCollectionHandle collection, int64_t point_index, GK_GeometryHandle point, GK_EH)) \
    X(void, MutablePointCollection, insertPointXY, (GK_MutablePointCollectionHandle collection, int64_t point_index, double x, double y, GK_EH)) \
    X(void, MutablePointCollection, insertPointXYZ, (GK_MutablePointCollectionHandle collection, int64_t point_index, double x, double y, double z, GK_EH)) \
    X(void, MutablePointCollection, removeAll, (GK_MutablePointCollectionHandle collection, GK_EH)) \
    X(void, MutablePointCollection, removePoint, (GK_MutablePointCollectionHandle collection, int64_t point_index, GK_EH)) \
    X(void, MutablePointCollection, setPoint, (GK_MutablePointCollectionHandle collection, int64_t point_index, GK_GeometryHandle point, GK_EH)) \
    /* 35 Polygon (1) */ \
    X(GK_GeometryHandle, Polygon, toPolyline, (GK_GeometryHandle polygon, GK_EH)) \
    /* 36 PolygonBuilder (3) */ \
    X(GK_GeometryBuilderHandle, PolygonBuilder, createFromPolygon, (GK_GeometryHandle polygon, GK_EH)) \
    X(GK_GeometryBuilderHandle, PolygonBuilder, createFromSpatialReference, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_GeometryHandle, PolygonBuilder, toPolyline, (GK_GeometryBuilderHandle builder, GK_EH)) \
    /* 37 PolylineBuilder (2) */ \
    X(GK_GeometryBuilderHandle, PolylineBuilder, createFromPolyline, (GK_GeometryHandle polyline, GK_EH)) \
    X(GK_GeometryBuilderHandle, PolylineBuilder, createFromSpatialReference, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    /* 38 ProximityResult (5) */ \
    X(void, ProximityResult, destroy, (GK_ProximityResultHandle result, GK_EH)) \
    X(GK_GeometryHandle, ProximityResult, getCoordinate, (GK_ProximityResultHandle result, GK_EH)) \
    X(double, ProximityResult, getDistance, (GK_ProximityResultHandle result, GK_EH)) \
    X(int64_t, ProximityResult, getPartIndex, (GK_ProximityResultHandle result, GK_EH)) \
    X(int64_t, ProximityResult, getPointIndex, (GK_ProximityResultHandle result, GK_EH)) \
    /* 39 SpatialReference (26) */ \
    X(void, SpatialReference, destroy, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_SpatialReferenceHandle, SpatialReference, create, (int32_t wkid, GK_EH)) \
    X(GK_SpatialReferenceHandle, SpatialReference, createFromWKText, (const char* wk_text, GK_EH)) \
    X(GK_SpatialReferenceHandle, SpatialReference, createVerticalWKID, (int32_t wkid, int32_t vertical_wkid, GK_EH)) \
    X(GK_SpatialReferenceHandle, SpatialReference, getBaseGeographic, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_Bool, SpatialReference, getHasVertical, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_Bool, SpatialReference, getIsGeographic, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_Bool, SpatialReference, getIsPannable, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_Bool, SpatialReference, getIsProjected, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(double, SpatialReference, getResolution, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(double, SpatialReference, getTolerance, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_UnitHandle, SpatialReference, getUnit, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(double, SpatialReference, getVerticalResolution, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(double, SpatialReference, getVerticalTolerance, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_UnitHandle, SpatialReference, getVerticalUnit, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(int32_t, SpatialReference, getVerticalWKID, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(int32_t, SpatialReference, getWKID, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_StringHandle, SpatialReference, getWKText, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_StringHandle, SpatialReference, getWKText2, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_SpatialReferenceHandle, SpatialReference, WGS84, (GK_EH)) \
    X(GK_Bool, SpatialReference, equals, (GK_SpatialReferenceHandle spatial_reference, GK_SpatialReferenceHandle other, GK_EH)) \
    X(GK_SpatialReferenceHandle, SpatialReference, fromJSON, (const char* json, GK_EH)) \
    X(double, SpatialReference, getConvergenceAngle, (GK_SpatialReferenceHandle spatial_reference, GK_GeometryHandle point, GK_EH)) \
    X(uint64_t, SpatialReference, getHash, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_StringHandle, SpatialReference, toJSON, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_SpatialReferenceHandle, SpatialReference, webMercator, (GK_EH)) \
    /* 40 SpatialReferenceBuilder (21) */ \
    X(void, SpatialReferenceBuilder, destroy, (GK_SpatialReferenceBuilderHandle builder, GK_EH)) \
    X(GK_SpatialReferenceBuilderHandle, SpatialReferenceBuilder, create, (int32_t wkid, GK_EH)) \
    X(GK_SpatialReferenceBuilderHandle, SpatialReferenceBuilder, createFromSpatialReference, (GK_SpatialReferenceHandle spatial_reference, GK_EH)) \
    X(GK_SpatialReferenceBuilderHandle, SpatialReferenceBuilder, createFromWKText, (const char* wk_text, GK_EH)) \
    X(GK_SpatialReferenceBuilderHandle, SpatialReferenceBuilder, createVerticalWKID, (int32_t wkid, int32_t vertical_wkid, GK_EH)) \
    X(GK_Bool, SpatialReferenceBuilder, getIsValid, (GK_SpatialReferenceBuilderHandle builder, GK_EH)) \
    X(double, SpatialReferenceBuilder, getResolution, (GK_SpatialReferenceBuilderHandle builder, GK_EH)) \
    X(double, SpatialReferenceBuilder, getTolerance, (GK_SpatialReferenceBuilderHandle builder, GK_EH)) \
    X(GK_UnitHandle, SpatialReferenceBuilder, getUnit, (GK_SpatialReferenceBuilderHandle builder, GK_EH)) \
    X(double, SpatialReferenceBuilder, getVerticalResolution, (GK_SpatialReferenceBuilderHandle builder, GK_EH)) \
    X(double, SpatialReferenceBuilder, getVerticalTolerance, (GK_SpatialReferenceBuilderHandle builder, GK_EH)) \
    X(GK_UnitHandle, SpatialReferenceBuilder, getVerticalUnit, (GK_SpatialReferenceBuilderHandle builder, GK_EH)) \
    X(int32_t, SpatialReferenceBuilder, getVerticalWKID, (GK_SpatialReferenceBuilderHandle builder, GK_EH)) \
    X(int32_t, SpatialReferenceBuilder, getWKID, (GK_SpatialReferenceBuilderHandle builder, GK_EH)) \
    X(GK_StringHandle, SpatialReferenceBuilder, getWKText, (GK_SpatialReferenceBuilderHandle builder, GK_EH)) \
    X(GK_StringHandle, SpatialReferenceBuilder, getWKText2, (GK_SpatialReferenceBuilderHandle builder, GK_EH)) \
    X(void, SpatialReferenceBuilder, setResolution, (GK_SpatialReferenceBuilderHandle builder, double resolution, GK_EH)) \
    X(void, SpatialReferenceBuilder, setTolerance, (GK_SpatialReferenceBuilderHandle builder, double tolerance, GK_EH)) \
    X(void, SpatialReferenceBuilder, setVerticalResolution, (GK_SpatialReferenceBuilderHandle builder, double resolution, GK_EH)) \
    X(void, SpatialReferenceBuilder, setVerticalTolerance, (GK_SpatialReferenceBuilderHandle builder, double tolerance, GK_EH)) \
    X(GK_SpatialReferenceHandle, SpatialReferenceBuilder, toSpatialReference, (GK_SpatialReferenceBuilderHandle builder, GK_EH)) \
    /* 41 TransformationCatalog (8) */ \
    X(GK_StringHandle, TransformationCatalog, getProjectionEngineDirectory, (GK_EH)) \
    X(void, TransformationCatalog, setProjectionEngineDirectory, (const char* path, GK_EH)) \
    X(GK_DatumTransformationHandle, TransformationCatalog, getTransformation, (GK_SpatialReferenceHandle input_spatial_reference, GK_SpatialReferenceHandle output_spatial_reference, GK_EH)) \
    X(GK_DatumTransformationHandle, TransformationCatalog, getTransformationWithAreaOfInterest, (GK_SpatialReferenceHandle input_spatial_reference, GK_SpatialReferenceHandle output_spatial_reference, GK_GeometryHandle area_of_interest, GK_EH)) \
    X(GK_DatumTransformationHandle, TransformationCatalog, getTransformationWithAreaOfInterestAndIgnoreVertical, (GK_SpatialReferenceHandle input_spatial_reference, GK_SpatialReferenceHandle output_spatial_reference, GK_GeometryHandle area_of_interest, GK_Bool ignore_vertical, GK_EH)) \
    X(GK_ArrayHandle, TransformationCatalog, getTransformationsBySuitability, (GK_SpatialReferenceHandle input_spatial_reference, GK_SpatialReferenceHandle output_spatial_reference, GK_EH)) \
    X(GK_ArrayHandle, TransformationCatalog, getTransformationsBySuitabilityWithAreaOfInterest, (GK_SpatialReferenceHandle input_spatial_reference, GK_SpatialReferenceHandle output_spatial_reference, GK_GeometryHandle area_of_interest, GK_EH)) \
    X(GK_ArrayHandle, TransformationCatalog, getTransformationsBySuitabilityWithAreaOfInterestAndIgnoreVertical, (GK_SpatialReferenceHandle input_spatial_reference, GK_SpatialReferenceHandle output_spatial_reference, GK_GeometryHandle area_of_interest, GK_Bool ignore_vertical, GK_EH)) \
    /* 42 Unit (8) */ \
    X(void, Unit, destroy, (GK_UnitHandle unit, GK_EH)) \
    X(GK_StringHandle, Unit, getAbbreviation, (GK_UnitHandle unit, GK_EH)) \
    X(GK_StringHandle, Unit, getDisplayName, (GK_UnitHandle unit, GK_EH)) \
    X(GK_StringHandle, Unit, getName, (GK_UnitHandle unit, GK_EH)) \
    X(GK_UnitType, Unit, getObjectType, (GK_UnitHandle unit, GK_EH)) \
    X(GK_StringHandle, Unit, getPluralDisplayName, (GK_UnitHandle unit, GK_EH)) \
    X(int32_t, Unit, getWKID, (GK_UnitHandle unit, GK_EH)) \
    X(GK_UnitHandle, Unit, fromWKID, (int32_t wkid, GK_EH)) \
    /* 43 VelmorRuntimeEnvironment (10) */ \
    X(void, VelmorRuntimeEnvironment, enableLeakDetection, (GK_Bool enable, GK_EH)) \
    X(void, VelmorRuntimeEnvironment, enableRaiseAssertion, (GK_Bool enable, GK_EH)) \
    X(GK_StringHandle, VelmorRuntimeEnvironment, getFeatureToggleDirectory, (GK_EH)) \
    X(GK_StringHandle, VelmorRuntimeEnvironment, getInstallDirectory, (GK_EH)) \
    X(GK_Bool, VelmorRuntimeEnvironment, isFeatureEnabled, (const char* feature, GK_EH)) \
    X(void, VelmorRuntimeEnvironment, setFeatureToggleDirectory, (const char* path, GK_EH)) \
    X(void, VelmorRuntimeEnvironment, setFeatureToggles, (const char* toggles, GK_EH)) \
    X(void, VelmorRuntimeEnvironment, setResourcesDirectory, (const char* path, GK_EH)) \
    X(void, VelmorRuntimeEnvironment, setTempDirectory, (const char* path, GK_EH)) \
    X(void, VelmorRuntimeEnvironment, setErrorCallback, (GK_ErrorCallback callback, void* user, GK_EH)) \
    /* 44 Error (6) */ \
    X(void, Error, destroy, (GK_ErrorHandle error, GK_EH)) \
    X(GK_StringHandle, Error, getAdditionalMessage, (GK_ErrorHandle error, GK_EH)) \
    X(int32_t, Error, getCode, (GK_ErrorHandle error, GK_EH)) \
    X(GK_StringHandle, Error, getMessage, (GK_ErrorHandle error, GK_EH)) \
    X(GK_ErrorHandle, Error, getUnderlyingError, (GK_ErrorHandle error, GK_EH)) \
    X(GK_ElementHandle, Error, getUserDefinedFailure, (GK_ErrorHandle error, GK_EH)) \
    /* 45 String (5) */ \
    X(void, String, destroy, (GK_StringHandle string, GK_EH)) \
    X(GK_StringHandle, String, create, (const char* text, GK_EH)) \
    X(uint64_t, String, getSize, (GK_StringHandle string, GK_EH)) \
    X(const char*, String, cStr, (GK_StringHandle string, GK_EH)) \
    X(GK_ByteArray, String, getByteArray, (GK_StringHandle string, GK_EH)) \
    /* 46 Array (12) */ \
    X(void, Array, destroy, (GK_ArrayHandle array, GK_EH)) \
    X(GK_ObjectType, Array, getObjectType, (GK_ArrayHandle array, GK_EH)) \
    X(uint64_t, Array, getSize, (GK_ArrayHandle array, GK_EH)) \
    X(GK_ElementType, Array, getValueType, (GK_ArrayHandle array, GK_EH)) \
    X(GK_ElementHandle, Array, at, (GK_ArrayHandle array, uint64_t position, GK_EH)) \
    X(GK_Bool, Array, contains, (GK_ArrayHandle array, GK_ElementHandle element, GK_EH)) \
    X(GK_ArrayBuilderHandle, Array, createBuilder, (GK_ElementType value_type, GK_EH)) \
    X(GK_Bool, Array, equals, (GK_ArrayHandle array, GK_ArrayHandle other, GK_EH)) \
    X(GK_ElementHandle, Array, first, (GK_ArrayHandle array, GK_EH)) \
    X(uint64_t, Array, indexOf, (GK_ArrayHandle array, GK_ElementHandle element, GK_EH)) \
    X(GK_Bool, Array, isEmpty, (GK_ArrayHandle array, GK_EH)) \
    X(GK_ElementHandle, Array, last, (GK_ArrayHandle array, GK_EH)) \
    /* 47 ArrayBuilder (4) */ \
    X(void, ArrayBuilder, destroy, (GK_ArrayBuilderHandle builder, GK_EH)) \
    X(GK_ElementType, ArrayBuilder, getValueType, (GK_ArrayBuilderHandle builder, GK_EH)) \
    X(void, ArrayBuilder, add, (GK_ArrayBuilderHandle builder, GK_ElementHandle element, GK_EH)) \
    X(GK_ArrayHandle, ArrayBuilder, moveToArray, (GK_ArrayBuilderHandle builder, GK_EH)) \
    /* 48 Element (68) */ \
    X(void, Element, destroy, (GK_ElementHandle element, GK_EH)) \
    X(GK_ElementHandle, Element, create, (GK_EH)) \
    X(GK_ElementType, Element, getObjectType, (GK_ElementHandle element, GK_EH)) \
    X(void, Element, clear, (GK_ElementHandle element, GK_EH)) \
    X(GK_Bool, Element, equals, (GK_ElementHandle element, GK_ElementHandle other, GK_EH)) \
    GK_ELEMENT_VALUE_KINDS(X, GK_ELEMENT_FROM_) \
    GK_ELEMENT_VALUE_KINDS(X, GK_ELEMENT_GET_) \
    GK_ELEMENT_VALUE_KINDS(X, GK_ELEMENT_SET_) \
    /* 49 Vector (18) */ \
    X(void, Vector, destroy, (GK_VectorHandle vector, GK_EH)) \
    X(GK_VectorHandle, Vector, create, (GK_ElementType value_type, GK_EH)) \
    X(uint64_t, Vector, getSize, (GK_VectorHandle vector, GK_EH)) \
    X(GK_ElementType, Vector, getValueType, (GK_VectorHandle vector, GK_EH)) \
    X(void, Vector, add, (GK_VectorHandle vector, GK_ElementHandle element, GK_EH)) \
    X(void, Vector, addArray, (GK_VectorHandle vector, GK_ArrayHandle array, GK_EH)) \
    X(GK_ElementHandle, Vector, at, (GK_VectorHandle vector, uint64_t position, GK_EH)) \
    X(GK_Bool, Vector, contains, (GK_VectorHandle vector, GK_ElementHandle element, GK_EH)) \
    X(GK_Bool, Vector, equals, (GK_VectorHandle vector, GK_VectorHandle other, GK_EH)) \
    X(GK_ElementHandle, Vector, first, (GK_VectorHandle vector, GK_EH)) \
    X(uint64_t, Vector, indexOf, (GK_VectorHandle vector, GK_ElementHandle element, GK_EH)) \
    X(void, Vector, insert, (GK_VectorHandle vector, uint64_t position, GK_ElementHandle element, GK_EH)) \
    X(GK_Bool, Vector, isEmpty, (GK_VectorHandle vector, GK_EH)) \
    X(GK_ElementHandle, Vector, last, (GK_VectorHandle vector, GK_EH)) \
    X(void, Vector, move, (GK_VectorHandle vector, uint64_t from_position, uint64_t to_position, GK_EH)) \
    X(uint64_t, Vector, npos, (GK_EH)) \
    X(void, Vector, remove, (GK_VectorHandle vector, uint64_t position, GK_EH)) \
    X(void, Vector, removeAll, (GK_VectorHandle vector, GK_EH))

/* Geometries, parts and segments.
 * - Geometries are immutable values shared by every handle to them; parts and point collections read
 *   out of a geometry share its values. Builders, mutable parts and mutable collections are edited in
 *   place; a part collection shares the parts added to it, a builder the collection handed to it.
 * - Object types: 1 point, 2 envelope, 3 polyline, 4 polygon, 5 multipoint; dimensions 0 (point,
 *   multipoint), 1 (polyline), 2 (polygon, envelope). Segment types: 1 line, 2 cubic Bezier, 3 elliptic
 *   arc. A missing z or m reads NaN; z and m awareness is part-wide and geometry-wide.
 * - A part is a list of points; segment i runs from point i to point i + 1 and is straight unless a
 *   curve is set for it. A polyline's path of n points has n - 1 segments. A polygon's ring is closed:
 *   the first point is not repeated at its end (a repeated last point is dropped when the polygon is
 *   built, its segment becoming the closing one), and the closing segment n - 1 runs from the last point
 *   to point 0, so the segment ending at point 0 is the closing segment. Index queries answer -1 for
 *   "none" (getSegmentIndexFromPointIndex: the segment starting at the point, else the one ending there).
 * - Mutable part edits: addPoint appends a straight segment; addSegment appends the segment, joining
 *   it to the part's end by a straight line when it starts elsewhere; insertPoint splits a segment into
 *   two straight ones; insertSegment splits the point where the segment at that index starts, so both
 *   neighbours keep their shapes; setPoint and setSegment refit neighbouring elliptic arcs (rotation,
 *   axes, direction and minor/major choice kept) and keep Bezier control points; removePoint joins its
 *   neighbours by one straight segment; removeSegment drops the first or last segment with its outer
 *   point, replaces an inner one by a straight line with preserve_adjacent_segments, and otherwise
 *   merges its two ends at their midpoint.
 * - Elliptic arcs: centre, rotation of the major axis, semi-major axis, minor/major ratio in (0, 1] (a
 *   ratio above 1 swaps the axes), polar start angle (counter-clockwise from the x axis, in (-pi, pi]
 *   when derived) and signed central angle (positive counter-clockwise, at most a full turn). From two
 *   end points, an axis too short to reach both is enlarged to the least length that does (a half
 *   ellipse). A circular arc through three collinear points is a line segment when the interior point
 *   lies between the ends and an error otherwise; coinciding ends give the full circle.
 * - Extents include the bulge of arcs and Bezier curves exactly. */

#define GK_DECLARE_FUNCTION_(ret, family, operation, params) ret GK_##family##_##operation params;
GK_FUNCTIONS(GK_DECLARE_FUNCTION_)
#undef GK_DECLARE_FUNCTION_

#ifdef __cplusplus
}
#endif

#endif /* GEOKERN_H */
