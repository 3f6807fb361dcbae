// libFuzzer harness of the engine: two geometries read from OvraJSON text and a handful of numbers taken
// from the input go through every planar engine function and the geodetic ones. Whatever the input (NaN, inf, huge,
// empty, degenerate, curved), every call gives a result or exactly one error report: never a crash, an
// out-of-bounds read, a leak, a hang, or (for finite inputs and moderate numbers) a coordinate that is
// not finite.
//
// Input layout: byte 0..7 pick the numbers, then the first geometry's text, a NUL byte, the second's.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "geometry/geometry_value.hpp"
#include "handle.hpp"
#include "interface.hpp"

namespace {

struct Errors {
    int count = 0;
};

void count_error(void* user, GK_ErrorHandle error) {
    ++static_cast<Errors*>(user)->count;
    GK_Error_destroy(error, nullptr);
}

std::string input_text;

[[noreturn]] void stop(const char* why, const char* function) {
    std::fprintf(stderr, "%s in %s for input:\n%s\n", why, function, input_text.c_str());
    std::abort();
}

// Numbers of every kind, most of them relative to the inputs' size so that results stay small.
struct Numbers {
    double scale = 1.0;
    const uint8_t* picks = nullptr;
    bool moderate = true;  // every number handed out so far is finite and not huge

    double at(int index) {
        static constexpr double relative[] = {0.0, 0.1, -0.1, 0.5, 1.0, -1.0, 2.0, 1e-3, 0.25, -0.01, 3.0};
        static constexpr double absolute[] = {NAN, INFINITY, -INFINITY, 1e300, -1e300, 1e-300, 5e-324, -0.0};
        const uint8_t pick = picks[index % 8];
        const size_t relatives = std::size(relative);
        if (pick % 16 < relatives) return relative[pick % 16] * scale;
        moderate = false;
        return absolute[pick % std::size(absolute)];
    }
};

bool moderate_input(const geokern::GeometryValue& value) {
    const geokern::EnvelopeData extent = geokern::extent_of(value);
    if (extent.empty()) return true;
    for (double bound : {extent.xmin, extent.ymin, extent.xmax, extent.ymax}) {
        if (!(std::fabs(bound) < 1e12)) return false;
    }
    return true;
}

class Run {
  public:
    Run(GK_GeometryHandle a, GK_GeometryHandle b, Numbers numbers) : a_(a), b_(b), numbers_(numbers) {
        finite_inputs_ = moderate_input(geokern::value_of(a)) && moderate_input(geokern::value_of(b));
    }

    // One engine call: a result, or exactly one error and a zero result.
    template <class R, class Call>
    R call(const char* function, Call&& body) {
        errors_.count = 0;
        R result = body(&handler_);
        if (errors_.count > 1) stop("more than one error", function);
        if (errors_.count == 1 && !(result == R{})) stop("an error and a result", function);
        return result;
    }

    void geometry(const char* function, GK_GeometryHandle result) {
        if (result != nullptr && errors_.count == 0 && finite_inputs_ && numbers_.moderate) {
            const geokern::EnvelopeData extent = geokern::extent_of(geokern::value_of(result));
            if (!extent.empty() && !(std::isfinite(extent.xmin) && std::isfinite(extent.ymin) &&
                                     std::isfinite(extent.xmax) && std::isfinite(extent.ymax)))
                stop("a coordinate that is not finite", function);
        }
        GK_Geometry_destroy(result, nullptr);
    }

    void all();
    void geodetic();

  private:
    GK_GeometryHandle a_, b_;
    Numbers numbers_;
    bool finite_inputs_ = true;
    Errors errors_;
    GK_ErrorHandler handler_{&count_error, &errors_};

    double n(int index) { return numbers_.at(index); }
};

#define UNARY(name, ...) \
    geometry(#name, call<GK_GeometryHandle>(#name, [&](auto h) { return GK_GeometryEngine_##name(a_ __VA_OPT__(,) __VA_ARGS__, h); }))
#define BINARY(name, ...) \
    geometry(#name, call<GK_GeometryHandle>(#name, [&](auto h) { return GK_GeometryEngine_##name(a_, b_ __VA_OPT__(,) __VA_ARGS__, h); }))
#define TEST(type, name, ...) call<type>(#name, [&](auto h) { return GK_GeometryEngine_##name(__VA_ARGS__, h); })

void Run::all() {
    // Measures and relations.
    TEST(double, area, a_);
    TEST(double, length, a_);
    TEST(double, distance, a_, b_);
    TEST(double, fractionAlong, a_, b_, n(0));
    TEST(GK_Bool, isSimple, a_);
    TEST(GK_Bool, contains, a_, b_);
    TEST(GK_Bool, crosses, a_, b_);
    TEST(GK_Bool, disjoint, a_, b_);
    TEST(GK_Bool, equals, a_, b_);
    TEST(GK_Bool, intersects, a_, b_);
    TEST(GK_Bool, overlaps, a_, b_);
    TEST(GK_Bool, touches, a_, b_);
    TEST(GK_Bool, within, a_, b_);
    TEST(GK_Bool, relate, a_, b_, "T*F**FFF*");
    for (auto proximity : {&GK_GeometryEngine_nearestCoordinate, &GK_GeometryEngine_nearestVertex}) {
        GK_ProximityResult_destroy(call<GK_ProximityResultHandle>("proximity", [&](auto h) { return proximity(a_, b_, h); }), nullptr);
    }
    // Constructive and editing functions.
    UNARY(boundary);
    UNARY(convexHull);
    UNARY(labelPoint);
    UNARY(simplify);
    UNARY(removeM);
    UNARY(removeZ);
    UNARY(removeZAndM);
    UNARY(buffer, n(0));
    UNARY(densify, std::fabs(n(1)) + numbers_.scale * 1e-2);
    UNARY(generalize, n(2), GK_Bool{1});
    UNARY(move, n(3), n(4));
    UNARY(rotate, n(5) * 360.0, nullptr);
    UNARY(scale, n(6), n(7), nullptr);
    UNARY(setZ, n(0));
    UNARY(setM, n(1));
    UNARY(setZAndM, n(2), n(3));
    UNARY(createPointAlong, n(4));
    UNARY(offset, n(5), GK_OffsetType{static_cast<int32_t>(numbers_.picks[6] % 5)}, 4.0, n(7));
    BINARY(combineExtents);
    BINARY(difference);
    BINARY(intersection);
    BINARY(symmetricDifference);
    BINARY(union);
    BINARY(reshape);
    BINARY(extend, GK_GeometryExtendOptions{numbers_.picks[1] % 32});
    geometry("clip", TEST(GK_GeometryHandle, clip, a_, b_));
    geometry("rotate", TEST(GK_GeometryHandle, rotate, a_, n(0), b_));
    geometry("scale", TEST(GK_GeometryHandle, scale, a_, n(1), n(2), b_));
    for (auto array_of : {&GK_GeometryEngine_cut, &GK_GeometryEngine_intersections}) {
        GK_Array_destroy(call<GK_ArrayHandle>("cut/intersections", [&](auto h) { return array_of(a_, b_, h); }), nullptr);
    }
    // Collections of both geometries.
    GK_VectorHandle both = GK_Vector_create(GK_ELEMENT_TYPE_GEOMETRY, nullptr);
    GK_VectorHandle distances = GK_Vector_create(GK_ELEMENT_TYPE_FLOAT64, nullptr);
    for (GK_GeometryHandle g : {a_, b_}) {
        GK_ElementHandle element = GK_Element_fromGeometry(g, nullptr);
        GK_Vector_add(both, element, nullptr);
        GK_Element_destroy(element, nullptr);
    }
    GK_ElementHandle distance = GK_Element_fromFloat64(n(0), nullptr);
    GK_Vector_add(distances, distance, nullptr);
    GK_Element_destroy(distance, nullptr);
    geometry("unionCollection", TEST(GK_GeometryHandle, unionCollection, both));
    geometry("combineExtentsCollection", TEST(GK_GeometryHandle, combineExtentsCollection, both));
    GK_Array_destroy(TEST(GK_ArrayHandle, bufferCollection, both, distances, GK_Bool{1}), nullptr);
    GK_Array_destroy(TEST(GK_ArrayHandle, convexHullCollection, both, GK_Bool{0}), nullptr);
    GK_Array_destroy(TEST(GK_ArrayHandle, autoComplete, both, both), nullptr);
    GK_Vector_destroy(both, nullptr);
    GK_Vector_destroy(distances, nullptr);
}

// The geodetic functions, on the inputs' own spatial references (an input without one is refused):
// distances near the inputs' size in degrees, as metres, and every curve type plus one unknown code.
void Run::geodetic() {
    const double metres = 1e5;
    const auto curve = GK_GeodeticCurveType{static_cast<int32_t>(numbers_.picks[2] % 6)};
    UNARY(bufferGeodetic, n(0) * metres, nullptr, std::fabs(n(1)) * metres * 1e-3, curve);
    UNARY(densifyGeodetic, std::fabs(n(2)) * metres + 1.0, nullptr, curve);
    TEST(double, lengthGeodetic, a_, nullptr, curve);
    TEST(double, areaGeodetic, a_, nullptr, curve);
    GK_GeodeticDistanceResult_destroy(TEST(GK_GeodeticDistanceResultHandle, distanceGeodetic, a_, b_, nullptr, nullptr, curve),
                                      nullptr);
    GK_GeodesicEllipseParametersHandle ellipse =
        GK_GeodesicEllipseParameters_createWithCenterAndAxisLengths(a_, n(3) * metres, n(4) * metres, nullptr);
    const GK_SpatialReferenceHandle reference = GK_Geometry_getSpatialReference(a_, nullptr);
    if (ellipse != nullptr) geometry("ellipseGeodesic", TEST(GK_GeometryHandle, ellipseGeodesic, ellipse, reference));
    GK_GeodesicEllipseParameters_destroy(ellipse, nullptr);
    GK_GeodesicSectorParametersHandle sector = GK_GeodesicSectorParameters_createWithCenterAndAxisLengthsAndSectorAngleAndStartDirection(
        a_, n(5) * metres, n(6) * metres, n(7) * 360.0, n(0) * 360.0, nullptr);
    if (sector != nullptr) geometry("sectorGeodesic", TEST(GK_GeometryHandle, sectorGeodesic, sector, reference));
    GK_GeodesicSectorParameters_destroy(sector, nullptr);
    GK_SpatialReference_destroy(reference, nullptr);
}

double scale_of(GK_GeometryHandle a, GK_GeometryHandle b) {
    double scale = 0.0;
    for (GK_GeometryHandle g : {a, b}) {
        const geokern::EnvelopeData e = geokern::extent_of(geokern::value_of(g));
        if (!e.empty()) scale = std::max({scale, e.xmax - e.xmin, e.ymax - e.ymin});
    }
    return scale > 0.0 && std::isfinite(scale) && scale < 1e12 ? scale : 1.0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 8) return 0;
    input_text.assign(reinterpret_cast<const char*>(data), size);
    const std::string_view texts(reinterpret_cast<const char*>(data + 8), size - 8);
    const size_t split = texts.find('\0');
    const std::string first(texts.substr(0, split));
    const std::string second(split == std::string_view::npos ? R"({"x": 0, "y": 0})" : texts.substr(split + 1));
    const int64_t alive = geokern::live_handle_count();
    GK_GeometryHandle a = GK_Geometry_fromJSON(first.c_str(), nullptr);
    GK_GeometryHandle b = GK_Geometry_fromJSON(second.c_str(), nullptr);
    if (a != nullptr && b != nullptr) {
        Run run(a, b, Numbers{scale_of(a, b), data});
        run.all();
        run.geodetic();
    }
    GK_Geometry_destroy(a, nullptr);
    GK_Geometry_destroy(b, nullptr);
    if (geokern::live_handle_count() != alive) stop("handles leaked", "the engine");
    return 0;
}
