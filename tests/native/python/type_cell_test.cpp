#include <gtest/gtest.h>

#include "embedded_python.hpp"
#include "type_cell.hpp"
#include "version.hpp"

namespace py = velmor::py;

namespace {

struct Plain {
    PyObject_HEAD
};

PyType_Slot base_slots[] = {{Py_tp_doc, const_cast<char*>("Shape()\n--\n\n")}, {0, nullptr}};
PyType_Spec base_spec = {"velmor_geometry.Shape", sizeof(Plain), 0, Py_TPFLAGS_DEFAULT | Py_TPFLAGS_BASETYPE,
                         base_slots};
py::TypeCell base_cell(&base_spec);
PyTypeObject* base_type() { return base_cell.get(); }

PyType_Slot leaf_slots[] = {{0, nullptr}};
PyType_Spec leaf_spec = {"velmor_geometry.projection.Leaf", sizeof(Plain), 0, Py_TPFLAGS_DEFAULT, leaf_slots};
py::TypeCell leaf_cell(&leaf_spec, base_type);

TEST(TypeCell, BuildsOnceAfterItsBase) {
    PyTypeObject* leaf = leaf_cell.get();
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(leaf_cell.get(), leaf);
    EXPECT_EQ(leaf->tp_base, base_type());
    PyObject* main = PyModule_GetDict(PyImport_AddModule("__main__"));
    PyDict_SetItemString(main, "Shape", reinterpret_cast<PyObject*>(base_type()));
    PyDict_SetItemString(main, "Leaf", reinterpret_cast<PyObject*>(leaf));
    const std::string probe =
        "import inspect\n"
        "class Sub(Shape): pass\n"
        "try:\n"
        "    class Bad(Leaf): pass\n"
        "    final = 'subclassed'\n"
        "except TypeError:\n"
        "    final = 'final'\n";
    EXPECT_EQ(velmor::test::eval_text(probe,
                                      "(Shape.__text_signature__, Shape.__doc__, Shape.__module__, "
                                      "Leaf.__module__, final, [c.__name__ for c in Leaf.__mro__])"),
              "('()', None, 'velmor_geometry', 'velmor_geometry.projection', 'final', ['Leaf', 'Shape', "
              "'object'])");
}

TEST(Version, ReplaceStepsInOrder) {
    EXPECT_EQ(py::python_version_text("1.0.284"), "1.0.284");
    EXPECT_EQ(py::python_version_text("2.1.0-beta.3"), "2.1.0b.3");
    EXPECT_EQ(py::python_version_text("3.0-alpha-rc1"), "3.0arc1");
    EXPECT_EQ(py::python_version_text("1-rc-rc"), "1rcrc");
}

}  // namespace
