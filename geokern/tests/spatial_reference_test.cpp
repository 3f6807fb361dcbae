// Spatial references on PROJ: identifiers of both authorities, compound systems, texts, JSON,
// precision defaults, the builder and the cache.
#include <cmath>
#include <memory>
#include <string>

#include "error_capture.hpp"
#include "spatial/spatial_reference_value.hpp"

namespace {

using geokern_test::LibraryTest;
using geokern_test::take_text;

struct SpatialReferenceDeleter {
    void operator()(GK_SpatialReferenceObject* value) const { GK_SpatialReference_destroy(value, nullptr); }
};
using SpatialReference = std::unique_ptr<GK_SpatialReferenceObject, SpatialReferenceDeleter>;
struct UnitDeleter {
    void operator()(GK_UnitObject* unit) const { GK_Unit_destroy(unit, nullptr); }
};
using Unit = std::unique_ptr<GK_UnitObject, UnitDeleter>;

class SpatialReferenceTest : public LibraryTest {
protected:
    SpatialReference create(int32_t wkid) { return SpatialReference(GK_SpatialReference_create(wkid, h)); }
    SpatialReference from_text(const std::string& text) {
        return SpatialReference(GK_SpatialReference_createFromWKText(text.c_str(), h));
    }
    int32_t unit_code(GK_SpatialReferenceHandle value) {
        Unit unit(GK_SpatialReference_getUnit(value, h));
        return GK_Unit_getWKID(unit.get(), h);
    }
};

struct Expected {
    int32_t wkid;
    bool geographic;
    bool projected;
    int32_t unit;
};

// EPSG codes, codes of PROJ's second authority and systems in feet all resolve, with the kind and the unit of the system.
TEST_F(SpatialReferenceTest, IdentifiersOfBothAuthorities) {
    const Expected cases[] = {
        {4326, true, false, 9102},  {3857, false, true, 9001},  {102100, false, true, 9001},
        {54030, false, true, 9001}, {4267, true, false, 9102},  {2263, false, true, 9003},
        {32633, false, true, 9001}, {4978, false, false, 9001},
    };
    for (const Expected& expected : cases) {
        SpatialReference value = create(expected.wkid);
        ASSERT_TRUE(value) << expected.wkid;
        EXPECT_EQ(GK_SpatialReference_getWKID(value.get(), h), expected.wkid);
        EXPECT_EQ(GK_SpatialReference_getIsGeographic(value.get(), h), expected.geographic) << expected.wkid;
        EXPECT_EQ(GK_SpatialReference_getIsProjected(value.get(), h), expected.projected) << expected.wkid;
        EXPECT_EQ(unit_code(value.get()), expected.unit) << expected.wkid;
        EXPECT_EQ(GK_SpatialReference_getVerticalWKID(value.get(), h), 0);
        EXPECT_FALSE(take_text(GK_SpatialReference_getWKText(value.get(), h)).empty()) << expected.wkid;
        EXPECT_EQ(take_text(GK_SpatialReference_getWKText2(value.get(), h)).rfind("", 0), 0u);
    }
    EXPECT_TRUE(no_errors());
}

TEST_F(SpatialReferenceTest, UnknownIdentifiersAreRefused) {
    for (int32_t wkid : {0, -1, 999999, 77}) {
        EXPECT_EQ(GK_SpatialReference_create(wkid, h), nullptr) << wkid;
    }
    auto errors = take_errors();
    ASSERT_EQ(errors.size(), 4u);
    EXPECT_EQ(errors[2].code, GK_ERROR_INVALID_ARGUMENT);
    EXPECT_EQ(errors[2].additional, "999999 is not a well-known identifier of a coordinate system.");
}

// Texts of both editions read back to the identifier they carry or that PROJ identifies.
TEST_F(SpatialReferenceTest, TextsOfBothEditionsRoundTrip) {
    for (int32_t wkid : {4326, 3857, 2263, 54030}) {
        SpatialReference value = create(wkid);
        for (auto getter : {&GK_SpatialReference_getWKText, &GK_SpatialReference_getWKText2}) {
            std::string text = take_text(getter(value.get(), h));
            SpatialReference read = from_text(text);
            ASSERT_TRUE(read) << text;
            EXPECT_EQ(GK_SpatialReference_getWKID(read.get(), h), wkid) << text;
            EXPECT_EQ(GK_SpatialReference_getIsProjected(read.get(), h), wkid != 4326);
            EXPECT_EQ(unit_code(read.get()), unit_code(value.get()));
        }
    }
    EXPECT_TRUE(no_errors());
}

TEST_F(SpatialReferenceTest, TextWithoutIdentifierKeepsItsText) {
    const std::string text =
        "PROJCS[\"Custom\",GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\",6378137.0,"
        "298.257223563]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]],"
        "PROJECTION[\"Transverse_Mercator\"],PARAMETER[\"False_Easting\",1234.5],PARAMETER[\"False_Northing\",0.0],"
        "PARAMETER[\"Central_Meridian\",7.25],PARAMETER[\"Scale_Factor\",0.9995],"
        "PARAMETER[\"Latitude_Of_Origin\",0.0],UNIT[\"Meter\",1.0]]";
    SpatialReference value = from_text(text);
    ASSERT_TRUE(value);
    EXPECT_EQ(GK_SpatialReference_getWKID(value.get(), h), 0);
    EXPECT_TRUE(GK_SpatialReference_getIsProjected(value.get(), h));
    EXPECT_NE(take_text(GK_SpatialReference_getWKText(value.get(), h)).find("7.25"), std::string::npos);
    std::string json = take_text(GK_SpatialReference_toJSON(value.get(), h));
    EXPECT_EQ(json.rfind("{\"wkt\":\"PROJCS[", 0), 0u) << json;
    SpatialReference again(GK_SpatialReference_fromJSON(json.c_str(), h));
    EXPECT_TRUE(GK_SpatialReference_equals(value.get(), again.get(), h));
    SpatialReference base(GK_SpatialReference_getBaseGeographic(value.get(), h));
    EXPECT_EQ(GK_SpatialReference_getWKID(base.get(), h), 4326);
    EXPECT_TRUE(no_errors());
}

TEST_F(SpatialReferenceTest, BadTextsAreRefused) {
    for (const char* text : {"", "not a text", "GEOGCS[", "VERTCS[\"x\"]"}) {
        EXPECT_EQ(GK_SpatialReference_createFromWKText(text, h), nullptr) << text;
    }
    EXPECT_EQ(GK_SpatialReference_createFromWKText(nullptr, h), nullptr);
    EXPECT_EQ(take_errors().size(), 5u);
}

TEST_F(SpatialReferenceTest, CompoundSystems) {
    SpatialReference value(GK_SpatialReference_createVerticalWKID(4326, 5703, h));
    ASSERT_TRUE(value);
    EXPECT_EQ(GK_SpatialReference_getWKID(value.get(), h), 4326);
    EXPECT_EQ(GK_SpatialReference_getVerticalWKID(value.get(), h), 5703);
    EXPECT_TRUE(GK_SpatialReference_getHasVertical(value.get(), h));
    Unit vertical(GK_SpatialReference_getVerticalUnit(value.get(), h));
    EXPECT_EQ(GK_Unit_getWKID(vertical.get(), h), 9001);
    EXPECT_EQ(take_text(GK_SpatialReference_toJSON(value.get(), h)), "{\"wkid\":4326,\"vcsWkid\":5703}");
    std::string text = take_text(GK_SpatialReference_getWKText2(value.get(), h));
    SpatialReference read = from_text(text);
    EXPECT_EQ(GK_SpatialReference_getWKID(read.get(), h), 4326);
    EXPECT_EQ(GK_SpatialReference_getVerticalWKID(read.get(), h), 5703);
    EXPECT_TRUE(no_errors());

    // A horizontal code where the vertical one belongs, and a system without vertical part.
    EXPECT_EQ(GK_SpatialReference_createVerticalWKID(4326, 4326, h), nullptr);
    SpatialReference flat = create(4326);
    EXPECT_FALSE(GK_SpatialReference_getHasVertical(flat.get(), h));
    EXPECT_EQ(GK_SpatialReference_getVerticalUnit(flat.get(), h), nullptr);
    EXPECT_EQ(take_errors().size(), 2u);
}

TEST_F(SpatialReferenceTest, PrecisionDefaultsInTheSystemsUnit) {
    SpatialReference metres = create(3857);
    EXPECT_DOUBLE_EQ(GK_SpatialReference_getTolerance(metres.get(), h), 0.001);
    EXPECT_DOUBLE_EQ(GK_SpatialReference_getResolution(metres.get(), h), 0.0001);
    SpatialReference feet = create(2263);
    EXPECT_DOUBLE_EQ(GK_SpatialReference_getTolerance(feet.get(), h), 0.001 * 3937.0 / 1200.0);
    SpatialReference degrees = create(4326);
    EXPECT_NEAR(GK_SpatialReference_getTolerance(degrees.get(), h), 8.983152841195214e-09, 1e-22);
    EXPECT_NEAR(GK_SpatialReference_getResolution(degrees.get(), h), 8.983152841195214e-10, 1e-23);
    EXPECT_DOUBLE_EQ(GK_SpatialReference_getVerticalTolerance(degrees.get(), h), 0.001);
    EXPECT_TRUE(no_errors());
}

TEST_F(SpatialReferenceTest, EqualityHashAndJson) {
    SpatialReference a = create(4326);
    SpatialReference b(GK_SpatialReference_WGS84(h));
    SpatialReference mercator(GK_SpatialReference_webMercator(h));
    EXPECT_TRUE(GK_SpatialReference_equals(a.get(), b.get(), h));
    EXPECT_EQ(GK_SpatialReference_getHash(a.get(), h), GK_SpatialReference_getHash(b.get(), h));
    EXPECT_FALSE(GK_SpatialReference_equals(a.get(), mercator.get(), h));
    EXPECT_EQ(GK_SpatialReference_getWKID(mercator.get(), h), 3857);
    EXPECT_TRUE(GK_SpatialReference_getIsPannable(mercator.get(), h));
    EXPECT_EQ(take_text(GK_SpatialReference_toJSON(a.get(), h)), "{\"wkid\":4326}");
    // The identifier itself is kept; the newer one serves when the identifier is unknown.
    SpatialReference given(GK_SpatialReference_fromJSON("{\"wkid\":102100,\"latestWkid\":3857}", h));
    EXPECT_EQ(GK_SpatialReference_getWKID(given.get(), h), 102100);
    EXPECT_EQ(take_text(GK_SpatialReference_toJSON(given.get(), h)), "{\"wkid\":102100,\"latestWkid\":3857}");
    SpatialReference latest(GK_SpatialReference_fromJSON("{\"wkid\":999999,\"latestWkid\":3857}", h));
    EXPECT_EQ(GK_SpatialReference_getWKID(latest.get(), h), 3857);
    EXPECT_TRUE(no_errors());
    for (const char* json : {"[]", "{", "{}", "{\"wkid\":\"4326\"}"}) {
        EXPECT_EQ(GK_SpatialReference_fromJSON(json, h), nullptr) << json;
    }
    EXPECT_EQ(take_errors().size(), 4u);
}

TEST_F(SpatialReferenceTest, BuilderSetsPrecision) {
    SpatialReference base = create(3857);
    GK_SpatialReferenceBuilderHandle builder = GK_SpatialReferenceBuilder_createFromSpatialReference(base.get(), h);
    GK_SpatialReferenceBuilder_setTolerance(builder, 0.5, h);
    GK_SpatialReferenceBuilder_setResolution(builder, 0.05, h);
    EXPECT_TRUE(GK_SpatialReferenceBuilder_getIsValid(builder, h));
    SpatialReference built(GK_SpatialReferenceBuilder_toSpatialReference(builder, h));
    EXPECT_EQ(GK_SpatialReference_getTolerance(built.get(), h), 0.5);
    EXPECT_EQ(GK_SpatialReference_getWKID(built.get(), h), 3857);
    EXPECT_FALSE(GK_SpatialReference_equals(built.get(), base.get(), h));
    EXPECT_EQ(GK_SpatialReference_getTolerance(base.get(), h), 0.001) << "the cached system must not change";
    EXPECT_TRUE(no_errors());

    GK_SpatialReferenceBuilder_setResolution(builder, 1.0, h);
    EXPECT_FALSE(GK_SpatialReferenceBuilder_getIsValid(builder, h));
    EXPECT_EQ(GK_SpatialReferenceBuilder_toSpatialReference(builder, h), nullptr);
    GK_SpatialReferenceBuilder_setTolerance(builder, NAN, h);
    GK_SpatialReferenceBuilder_setTolerance(builder, -1.0, h);
    EXPECT_EQ(take_errors().size(), 3u);
    GK_SpatialReferenceBuilder_destroy(builder, h);
}

// The hundred-thousandth creation of a system shares the value read the first time.
TEST_F(SpatialReferenceTest, CreatedSystemsAreCachedByIdentifier) {
    SpatialReference first = create(4326);
    const auto* shared = &geokern::value_of(first.get());
    for (int i = 0; i < 100000; ++i) {
        SpatialReference again = create(4326);
        ASSERT_EQ(&geokern::value_of(again.get()), shared);
    }
    EXPECT_TRUE(no_errors());
}

}  // namespace
