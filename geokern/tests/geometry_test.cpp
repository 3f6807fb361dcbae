// Geometries and builders through the C interface: type codes, emptiness, equality and hashes,
// envelopes, the order of assembled parts and the z and m a builder collects.
#include <cmath>
#include <numbers>

#include "geometry_fixture.hpp"

using namespace geometry_test;

namespace {

class GeometryQueryTest : public GeometryTest {
  protected:
    MutablePart path(std::initializer_list<std::pair<double, double>> points) {
        MutablePart part(GK_MutablePart_createWithSpatialReference(nullptr, eh()));
        for (auto [x, y] : points) GK_MutablePart_addPointXY(part, x, y, eh());
        return part;
    }

    Geometry polyline(std::initializer_list<GK_MutablePartHandle> parts) {
        PartCollection collection(GK_MutablePartCollection_createWithSpatialReference(nullptr, eh()));
        for (GK_MutablePartHandle part : parts) GK_MutablePartCollection_addPart(collection, part, eh());
        Builder builder(GK_PolylineBuilder_createFromSpatialReference(nullptr, eh()));
        GK_MultipartBuilder_setParts(builder, collection, eh());
        return Geometry(GK_GeometryBuilder_toGeometry(builder, eh()));
    }

    double first_x_of_part(GK_GeometryHandle geometry, int64_t index) {
        ImmutableParts parts(GK_Multipart_getParts(geometry, eh()));
        ImmutablePart part(GK_ImmutablePartCollection_getPart(parts, index, eh()));
        Geometry start(GK_ImmutablePart_getStartPoint(part, eh()));
        return GK_Point_getX(start, eh());
    }
};

TEST_F(GeometryQueryTest, TypeCodesDimensionsAndEmptiness) {
    Geometry lone = point(1, 2);
    Geometry nowhere = point(NAN, NAN);
    Geometry box(GK_Envelope_createWithXY(0, 0, 1, 1, eh()));
    MutablePart a = path({{0, 0}, {1, 1}});
    Geometry line = polyline({a});
    Geometry nothing = polyline({});
    Builder polygon_builder(GK_GeometryBuilder_createFromGeometryTypeAndSpatialReference(4, nullptr, eh()));
    Geometry area(GK_GeometryBuilder_toGeometry(polygon_builder, eh()));
    Builder multipoint_builder(GK_MultipointBuilder_createFromSpatialReference(nullptr, eh()));
    Geometry points(GK_GeometryBuilder_toGeometry(multipoint_builder, eh()));
    struct Case {
        GK_GeometryHandle geometry;
        GK_GeometryType type;
        int32_t dimension;
        GK_Bool empty;
    };
    for (const Case& c :
         {Case{lone, 1, 0, 0}, Case{nowhere, 1, 0, 1}, Case{box, 2, 2, 0}, Case{line, 3, 1, 0},
          Case{nothing, 3, 1, 1}, Case{area, 4, 2, 1}, Case{points, 5, 0, 1}}) {
        EXPECT_EQ(GK_Geometry_getObjectType(c.geometry, eh()), c.type);
        EXPECT_EQ(GK_Geometry_getDimension(c.geometry, eh()), c.dimension);
        EXPECT_EQ(GK_Geometry_getIsEmpty(c.geometry, eh()), c.empty);
        EXPECT_EQ(GK_Geometry_getHasCurves(c.geometry, eh()), 0);
    }
    Builder bad(GK_GeometryBuilder_createFromGeometryTypeAndSpatialReference(9, nullptr, eh()));
    EXPECT_EQ(bad.get(), nullptr);
    EXPECT_EQ(take_errors(), std::vector<int32_t>{GK_ERROR_INVALID_ARGUMENT});
}

TEST_F(GeometryQueryTest, EqualGeometriesHaveEqualHashes) {
    MutablePart a = path({{0, 0}, {1, 1}, {2, 0}});
    MutablePart b = path({{0, 0}, {1, 1}, {2, 0}});
    MutablePart c = path({{0, 0}, {1, 1.001}, {2, 0}});
    Geometry first = polyline({a}), second = polyline({b}), third = polyline({c});
    EXPECT_EQ(GK_Geometry_equals(first, second, eh()), 1);
    EXPECT_EQ(GK_Geometry_getHash(first, eh()), GK_Geometry_getHash(second, eh()));
    EXPECT_EQ(GK_Geometry_equals(first, third, eh()), 0);
    EXPECT_EQ(GK_Geometry_equalsWithTolerance(first, third, 0.01, eh()), 1);
    EXPECT_EQ(GK_Geometry_equalsWithTolerance(first, third, 1e-4, eh()), 0);
    Geometry zero = point(0, 0), negative_zero = point(-0.0, 0);
    EXPECT_EQ(GK_Geometry_equals(zero, negative_zero, eh()), 1);
    EXPECT_EQ(GK_Geometry_getHash(zero, eh()), GK_Geometry_getHash(negative_zero, eh()));
    Geometry with_z = point_z(0, 0, 1);
    EXPECT_EQ(GK_Geometry_equals(zero, with_z, eh()), 0);
    GK_Geometry_equalsWithTolerance(first, third, -1, eh());
    EXPECT_EQ(take_errors(), std::vector<int32_t>{GK_ERROR_INVALID_ARGUMENT});
}

TEST_F(GeometryQueryTest, TwoGroupsOfPartsKeepTheFirstGroupFirst) {
    // The way a polyline with curve paths and straight paths is assembled: two collections, the parts
    // of the second appended to the first.
    MutablePart curved = path({{0, 0}, {1, 0}});
    MutablePart straight_one = path({{10, 0}, {11, 0}});
    MutablePart straight_two = path({{20, 0}, {21, 0}});
    PartCollection first(GK_MutablePartCollection_createWithSpatialReference(nullptr, eh()));
    GK_MutablePartCollection_addPart(first, curved, eh());
    PartCollection second(GK_MutablePartCollection_createWithSpatialReference(nullptr, eh()));
    GK_MutablePartCollection_addPart(second, straight_one, eh());
    GK_MutablePartCollection_addPart(second, straight_two, eh());
    for (int64_t i = 0; i < GK_MutablePartCollection_getSize(second, eh()); ++i) {
        MutablePart part(GK_MutablePartCollection_getPart(second, i, eh()));
        GK_MutablePartCollection_addPart(first, part, eh());
    }
    Builder builder(GK_PolylineBuilder_createFromSpatialReference(nullptr, eh()));
    GK_MultipartBuilder_setParts(builder, first, eh());
    Geometry line(GK_GeometryBuilder_toGeometry(builder, eh()));
    ImmutableParts parts(GK_Multipart_getParts(line, eh()));
    ASSERT_EQ(GK_ImmutablePartCollection_getSize(parts, eh()), 3);
    EXPECT_EQ(first_x_of_part(line, 0), 0);
    EXPECT_EQ(first_x_of_part(line, 1), 10);
    EXPECT_EQ(first_x_of_part(line, 2), 20);
    expect_no_error();
}

TEST_F(GeometryQueryTest, AMeasuredPointWithoutZMakesAnMAwareGeometry) {
    MutablePart part(GK_MutablePart_createWithSpatialReference(nullptr, eh()));
    Geometry first(GK_Point_createWithM(0, 0, 5, eh())), second(GK_Point_createWithM(1, 0, 6, eh()));
    GK_MutablePart_addPoint(part, first, eh());
    GK_MutablePart_addPoint(part, second, eh());
    Geometry line = polyline({part});
    EXPECT_EQ(GK_Geometry_getHasM(line, eh()), 1);
    EXPECT_EQ(GK_Geometry_getHasZ(line, eh()), 0);
    Geometry extent(GK_Geometry_getExtent(line, eh()));
    EXPECT_EQ(GK_Envelope_getMMin(extent, eh()), 5);
    EXPECT_EQ(GK_Envelope_getMMax(extent, eh()), 6);
    EXPECT_TRUE(std::isnan(GK_Envelope_getZMin(extent, eh())));
    ImmutableParts parts(GK_Multipart_getParts(line, eh()));
    ImmutablePart read(GK_ImmutablePartCollection_getPart(parts, 0, eh()));
    ImmutablePoints points(GK_ImmutablePart_getPoints(read, eh()));
    Geometry last(GK_ImmutablePointCollection_getPoint(points, 1, eh()));
    EXPECT_EQ(GK_Point_getM(last, eh()), 6);
    EXPECT_EQ(GK_Geometry_getHasZ(last, eh()), 0);
    expect_no_error();
}

TEST_F(GeometryQueryTest, EnvelopesPutTheirBoundsInOrder) {
    Geometry box(GK_Envelope_createWithZM(4, 3, 0, 1, 9, 8, 2, 2, eh()));
    EXPECT_EQ(GK_Envelope_getXMin(box, eh()), 0);
    EXPECT_EQ(GK_Envelope_getXMax(box, eh()), 4);
    EXPECT_EQ(GK_Envelope_getYMin(box, eh()), 1);
    EXPECT_EQ(GK_Envelope_getZMin(box, eh()), 8);
    EXPECT_EQ(GK_Envelope_getDepth(box, eh()), 1);
    EXPECT_EQ(GK_Envelope_getWidth(box, eh()), 4);
    Geometry center(GK_Envelope_getCenter(box, eh()));
    EXPECT_EQ(GK_Point_getX(center, eh()), 2);
    EXPECT_EQ(GK_Point_getZ(center, eh()), 8.5);
    Geometry flat(GK_Envelope_createWithXY(0, 0, 1, 1, eh()));
    EXPECT_TRUE(std::isnan(GK_Envelope_getZMax(flat, eh())));
    Geometry not_a_point(GK_Envelope_getCenter(center, eh()));
    EXPECT_EQ(not_a_point.get(), nullptr);
    EXPECT_EQ(take_errors(), std::vector<int32_t>{GK_ERROR_TYPE_MISMATCH});
}

TEST_F(GeometryQueryTest, EnvelopeBuilderGrowsAndReshapes) {
    Builder builder(GK_EnvelopeBuilder_createFromSpatialReference(nullptr, eh()));
    Geometry a = point(1, 1), b = point(3, 2);
    GK_EnvelopeBuilder_unionWithPoint(builder, a, eh());
    GK_EnvelopeBuilder_unionWithPoint(builder, b, eh());
    EXPECT_EQ(GK_EnvelopeBuilder_getWidth(builder, eh()), 2);
    GK_EnvelopeBuilder_changeAspectRatio(builder, 1, 1, eh());
    EXPECT_EQ(GK_EnvelopeBuilder_getHeight(builder, eh()), 2);
    EXPECT_EQ(GK_EnvelopeBuilder_getYMin(builder, eh()), 0.5);
    GK_EnvelopeBuilder_expand(builder, 2, eh());
    EXPECT_EQ(GK_EnvelopeBuilder_getXMin(builder, eh()), 0);
    Geometry box(GK_GeometryBuilder_toGeometry(builder, eh()));
    EXPECT_EQ(GK_Envelope_getXMax(box, eh()), 4);
    // Without a spatial reference there is no range to wrap into: normalizing keeps the bounds.
    GK_EnvelopeBuilder_normalize(builder, eh());
    EXPECT_EQ(take_errors(), std::vector<int32_t>{});
    EXPECT_EQ(GK_EnvelopeBuilder_getXMin(builder, eh()), 0);
}

TEST_F(GeometryQueryTest, PointBuilderAndMultipointBuilder) {
    Builder point_builder(GK_PointBuilder_createFromSpatialReference(nullptr, eh()));
    GK_PointBuilder_setXY(point_builder, 1, 2, eh());
    GK_PointBuilder_setM(point_builder, 3, eh());
    GK_PointBuilder_offsetBy(point_builder, 1, 1, eh());
    Geometry built(GK_GeometryBuilder_toGeometry(point_builder, eh()));
    EXPECT_EQ(GK_Point_getX(built, eh()), 2);
    EXPECT_EQ(GK_Point_getM(built, eh()), 3);
    EXPECT_EQ(GK_Geometry_getHasZ(built, eh()), 0);

    PointCollection collection(GK_MutablePointCollection_createWithSpatialReference(nullptr, eh()));
    GK_MutablePointCollection_addPointXY(collection, 1, 1, eh());
    GK_MutablePointCollection_addPoint(collection, built, eh());
    Builder multipoint_builder(GK_MultipointBuilder_createFromSpatialReference(nullptr, eh()));
    GK_MultipointBuilder_setPoints(multipoint_builder, collection, eh());
    EXPECT_EQ(GK_GeometryBuilder_getIsSketchValid(multipoint_builder, eh()), 1);
    Geometry multipoint(GK_GeometryBuilder_toGeometry(multipoint_builder, eh()));
    ImmutablePoints points(GK_Multipoint_getPoints(multipoint, eh()));
    EXPECT_EQ(GK_ImmutablePointCollection_getSize(points, eh()), 2);
    EXPECT_EQ(GK_ImmutablePointCollection_indexOf(points, built, eh()), 1);
    EXPECT_EQ(GK_Geometry_getHasM(multipoint, eh()), 1);
    expect_no_error();
}

}  // namespace
