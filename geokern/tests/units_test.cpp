// Units: exact factors against their legal definitions, conversions both ways, refused codes.
#include <cmath>
#include <memory>

#include "error_capture.hpp"

namespace {

using geokern_test::LibraryTest;

struct UnitDeleter {
    void operator()(GK_UnitObject* unit) const { GK_Unit_destroy(unit, nullptr); }
};
using Unit = std::unique_ptr<GK_UnitObject, UnitDeleter>;

class UnitsTest : public LibraryTest {
protected:
    Unit linear(int32_t code) { return Unit(GK_LinearUnit_create(code, h)); }
    Unit area(int32_t code) { return Unit(GK_AreaUnit_create(code, h)); }
    Unit angular(int32_t code) { return Unit(GK_AngularUnit_create(code, h)); }
};

struct Definition {
    int32_t code;
    double base_units;  // how many metres or square metres one unit is, by definition
};

TEST_F(UnitsTest, LinearUnitsMatchTheirDefinitionsBothWays) {
    const Definition definitions[] = {
        {9001, 1.0},          {9002, 0.3048},     {9003, 1200.0 / 3937.0}, {9030, 1852.0},
        {9036, 1000.0},       {9093, 1609.344},   {9096, 0.9144},          {1033, 0.01},
        {1025, 0.001},        {109008, 0.0254},   {9035, 6336000.0 / 3937.0}, {9014, 1.8288},
    };
    for (const Definition& definition : definitions) {
        Unit unit = linear(definition.code);
        ASSERT_TRUE(unit) << definition.code;
        EXPECT_EQ(GK_LinearUnit_toMeters(unit.get(), 1.0, h), definition.base_units) << definition.code;
        EXPECT_DOUBLE_EQ(GK_LinearUnit_fromMeters(unit.get(), definition.base_units, h), 1.0) << definition.code;
        EXPECT_EQ(GK_LinearUnit_getLinearUnitId(unit.get(), h), definition.code);
        EXPECT_EQ(GK_Unit_getObjectType(unit.get(), h), 1);
    }
    EXPECT_TRUE(no_errors());
}

TEST_F(UnitsTest, AreaUnitsMatchTheirDefinitionsBothWays) {
    const Definition definitions[] = {
        {109401, 10000.0}, {109402, 4046.8564224}, {109404, 1.0},  {109405, 0.09290304},
        {109414, 1e6},     {109439, 2589988.110336}, {109442, 0.83612736}, {109450, 0.01},
        {109451, 1e-4},    {109452, 1e-6},
    };
    for (const Definition& definition : definitions) {
        Unit unit = area(definition.code);
        ASSERT_TRUE(unit) << definition.code;
        EXPECT_EQ(GK_AreaUnit_toSquareMeters(unit.get(), 1.0, h), definition.base_units) << definition.code;
        EXPECT_DOUBLE_EQ(GK_AreaUnit_fromSquareMeters(unit.get(), definition.base_units, h), 1.0) << definition.code;
        EXPECT_EQ(GK_AreaUnit_getAreaUnitId(unit.get(), h), definition.code);
    }
    EXPECT_TRUE(no_errors());
}

// Conversions between two units of the table round once: whole-number relations stay whole.
TEST_F(UnitsTest, ConversionsBetweenUnitsAreExact) {
    struct Case {
        bool is_area;
        int32_t from, to;
        double value, expected;
    };
    const Case cases[] = {
        {false, 9093, 9002, 1.0, 5280.0},      {false, 9002, 9093, 5280.0, 1.0},
        {false, 9096, 9002, 1.0, 3.0},         {false, 9002, 109008, 1.0, 12.0},
        {false, 9035, 9003, 1.0, 5280.0},      {false, 9036, 1025, 1.0, 1e6},
        {true, 109402, 109405, 1.0, 43560.0},  {true, 109405, 109402, 43560.0, 1.0},
        {true, 109439, 109402, 1.0, 640.0},    {true, 109401, 109404, 1.0, 10000.0},
        {true, 109414, 109401, 1.0, 100.0},    {true, 109442, 109405, 1.0, 9.0},
    };
    for (const Case& c : cases) {
        Unit from = c.is_area ? area(c.from) : linear(c.from);
        Unit to = c.is_area ? area(c.to) : linear(c.to);
        double forward = c.is_area ? GK_AreaUnit_convertTo(from.get(), to.get(), c.value, h)
                                   : GK_LinearUnit_convertTo(from.get(), to.get(), c.value, h);
        double backward = c.is_area ? GK_AreaUnit_convertFrom(to.get(), from.get(), c.value, h)
                                    : GK_LinearUnit_convertFrom(to.get(), from.get(), c.value, h);
        EXPECT_EQ(forward, c.expected) << c.from << " -> " << c.to;
        EXPECT_EQ(backward, c.expected) << c.from << " -> " << c.to;
    }
    EXPECT_TRUE(no_errors());
}

TEST_F(UnitsTest, AngularUnits) {
    Unit degree = angular(9102);
    Unit second = angular(9104);
    Unit grad = angular(9105);
    EXPECT_EQ(GK_AngularUnit_convertTo(degree.get(), second.get(), 1.0, h), 3600.0);
    EXPECT_EQ(GK_AngularUnit_convertTo(grad.get(), degree.get(), 200.0, h), 180.0);
    EXPECT_EQ(GK_AngularUnit_toRadians(degree.get(), 180.0, h), M_PI);
    EXPECT_EQ(GK_AngularUnit_fromRadians(degree.get(), M_PI, h), 180.0);
    EXPECT_TRUE(no_errors());
}

TEST_F(UnitsTest, SquaresOfLinearUnits) {
    const std::pair<int32_t, int32_t> pairs[] = {{9001, 109404}, {9002, 109405}, {9093, 109439}, {1033, 109451}};
    for (auto [line, square] : pairs) {
        Unit linear_unit = linear(line);
        Unit area_unit(GK_AreaUnit_createFromLinearUnit(linear_unit.get(), h));
        EXPECT_EQ(GK_AreaUnit_getAreaUnitId(area_unit.get(), h), square);
        Unit back(GK_LinearUnit_createFromAreaUnit(area_unit.get(), h));
        EXPECT_EQ(GK_LinearUnit_getLinearUnitId(back.get(), h), line);
    }
    EXPECT_TRUE(no_errors());
    Unit inch = linear(109008);
    EXPECT_EQ(GK_AreaUnit_createFromLinearUnit(inch.get(), h), nullptr);
    Unit hectare = area(109401);
    EXPECT_EQ(GK_LinearUnit_createFromAreaUnit(hectare.get(), h), nullptr);
    EXPECT_EQ(take_errors().size(), 2u);
}

// A code that is not a unit of the asked kind, and a unit of the wrong kind, are refused.
TEST_F(UnitsTest, RefusedCodesAndKinds) {
    EXPECT_EQ(GK_AreaUnit_create(0, h), nullptr);
    EXPECT_EQ(GK_LinearUnit_create(0, h), nullptr);
    EXPECT_EQ(GK_LinearUnit_create(109404, h), nullptr);
    EXPECT_EQ(GK_AngularUnit_create(9001, h), nullptr);
    EXPECT_EQ(GK_Unit_fromWKID(12345, h), nullptr);
    auto errors = take_errors();
    ASSERT_EQ(errors.size(), 5u);
    EXPECT_EQ(errors[0].code, GK_ERROR_INVALID_ARGUMENT);
    EXPECT_EQ(errors[0].additional, "0 is not a known area unit identifier.");

    Unit meter = linear(9001);
    Unit acre = area(109402);
    EXPECT_EQ(GK_AreaUnit_convertTo(acre.get(), meter.get(), 1.0, h), 0.0);
    EXPECT_EQ(GK_LinearUnit_toMeters(acre.get(), 1.0, h), 0.0);
    EXPECT_EQ(take_errors().size(), 2u);
}

TEST_F(UnitsTest, NamesAndIdentifiersFromTheGenericFamily) {
    Unit foot(GK_Unit_fromWKID(9002, h));
    EXPECT_EQ(geokern_test::take_text(GK_Unit_getName(foot.get(), h)), "Foot");
    EXPECT_EQ(geokern_test::take_text(GK_Unit_getPluralDisplayName(foot.get(), h)), "Feet");
    EXPECT_EQ(geokern_test::take_text(GK_Unit_getAbbreviation(foot.get(), h)), "ft");
    EXPECT_EQ(GK_Unit_getWKID(foot.get(), h), 9002);
    EXPECT_TRUE(no_errors());
}

}  // namespace
