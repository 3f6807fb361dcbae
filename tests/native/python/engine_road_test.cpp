#include <gtest/gtest.h>

#include <string>

#include "embedded_python.hpp"
#include "engine/road.hpp"
#include "geometry/point.hpp"

namespace py = velmor::py;
namespace engine = velmor::py::engine;
using velmor::test::take_exception;

namespace {

// The signature is the one place the names are written; binding, required count and method-ness come
// from it.
static_assert(engine::parameter_count("buffer($self, distance, unit=None, max_deviation=None, curve_type=None)") == 4);
static_assert(engine::parameter_count("boundary($self)") == 0);
static_assert(engine::parameter_count("union_collection(geometries)") == 1);
static_assert(engine::takes_self("rotate($self, angle, origin)"));
static_assert(!engine::takes_self("auto_complete(existing_boundaries, new_boundaries)"));
static_assert(engine::same_text(engine::function_name("set_z_and_m($self, z, m)"), "set_z_and_m"));

TEST(EngineSignature, NamesAndRequiredCountComeFromTheText) {
    const auto& buffer = engine::parsed_signature<"buffer($self, distance, unit=None, max_deviation=None, curve_type=None)">();
    EXPECT_STREQ(buffer.parameters.function, "buffer");
    EXPECT_EQ(buffer.parameters.required, 1u);
    const char* expected[] = {"distance", "unit", "max_deviation", "curve_type"};
    for (std::size_t i = 0; i < 4; ++i) EXPECT_STREQ(buffer.parameters.names[i], expected[i]);

    const auto& rotate = engine::parsed_signature<"rotate($self, angle, origin)">();
    EXPECT_EQ(rotate.parameters.required, 2u);
    const auto& collection = engine::parsed_signature<"buffer_collection(geometries, distances, union_result)">();
    EXPECT_EQ(collection.parameters.required, 3u);
    EXPECT_STREQ(collection.parameters.names[0], "geometries");
}

py::Ref list_of(int count) {
    py::Ref list = py::Ref::steal(PyList_New(0));
    for (int i = 0; i < count; ++i) {
        py::Ref item = py::Ref::steal(PyLong_FromLong(i + 1));
        PyList_Append(list.get(), item.get());
    }
    return list;
}

TEST(EngineSingleResult, FlagAndCountDecideTheShape) {
    enum class Shape { SameList, FirstItem, Refused };
    struct Case {
        int count;
        bool flag;
        Shape shape;
    } cases[] = {
        {0, false, Shape::SameList}, {0, true, Shape::SameList},  {1, false, Shape::SameList},
        {1, true, Shape::FirstItem}, {2, false, Shape::SameList}, {2, true, Shape::Refused},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.count) + (c.flag ? " with flag" : " without flag"));
        py::Ref list = list_of(c.count);
        auto result = engine::single_result(list, c.flag);
        switch (c.shape) {
            case Shape::SameList:
                ASSERT_TRUE(result);
                EXPECT_EQ(result->get(), list.get());
                break;
            case Shape::FirstItem:
                ASSERT_TRUE(result);
                EXPECT_EQ(result->get(), PyList_GET_ITEM(list.get(), 0));
                break;
            case Shape::Refused:
                ASSERT_FALSE(result);
                EXPECT_EQ(result.error().kind(), velmor::core::ErrorKind::Geokern);
                EXPECT_EQ(py::guard([&]() -> py::Result<py::Ref> { return std::move(result); }), nullptr);
                py::Ref raised = take_exception();
                EXPECT_EQ(py::describe(raised.get()),
                          "Geokern library error: 'Internal error: Did not get a singular geometry from engine with "
                          "union_result set to true'");
                break;
        }
    }
}

// The same refused relation through an ordinary row and through a must-not-fail row: the first is the
// library-error Exception, the second an internal failure naming the function.
TEST(EngineMustNotFail, RuntimeErrorBecomesPanicNamingTheFunction) {
    velmor::core::PointValue value;
    value.x = 1;
    value.y = 2;
    auto point = py::new_point(value);
    ASSERT_TRUE(point);
    py::Ref pattern = py::Ref::steal(PyUnicode_FromString("bad"));
    const char* names[] = {"other", "relation"};
    const engine::Values<engine::GeometryArg, engine::TextArg> values{point->get(), pattern.get()};

    using Ordinary = engine::Gk<VELMOR_ENGINE(relate), engine::BoolResult>;
    EXPECT_EQ(py::guard([&] { return Ordinary::run<true, engine::GeometryArg, engine::TextArg>(point->get(), values, names); }),
              nullptr);
    py::Ref library_error = take_exception();
    EXPECT_EQ(Py_TYPE(library_error.get()), reinterpret_cast<PyTypeObject*>(PyExc_Exception));
    EXPECT_EQ(py::describe(library_error.get()).rfind("Geokern library error: 'Invalid argument", 0), 0u);

    using MustNotFail = VELMOR_ENGINE_MUST_NOT_FAIL(relate, engine::BoolResult);
    EXPECT_EQ(py::guard([&] { return MustNotFail::run<true, engine::GeometryArg, engine::TextArg>(point->get(), values, names); }),
              nullptr);
    py::Ref panic = take_exception();
    EXPECT_EQ(reinterpret_cast<PyObject*>(Py_TYPE(panic.get())), py::panic_exception_type());
    EXPECT_EQ(py::describe(panic.get()).rfind(
                  "Internal error: Unexpected error returned from internal function GK_GeometryEngine_relate: Error { code: 1, "
                  "msg: \"invalid argument.\"",
                  0),
              0u)
        << py::describe(panic.get());
}

}  // namespace
