// Shared by the JSON suites: geometries from text and back, through the C interface.
#pragma once

#include <string>

#include "error_capture.hpp"
#include "geometry_fixture.hpp"

namespace json_test {

class JsonTest : public geokern_test::LibraryTest {
  protected:
    geometry_test::Geometry read(const std::string& text) {
        return geometry_test::Geometry(GK_Geometry_fromJSON(text.c_str(), h));
    }
    std::string write(GK_GeometryHandle geometry) {
        return geokern_test::take_text(GK_Geometry_toJSON(geometry, h));
    }
    // The detail of the single error the last call reported.
    std::string single_error() {
        std::vector<geokern_test::CapturedError> errors = take_errors();
        if (errors.size() != 1) return "expected one error, got " + std::to_string(errors.size());
        return errors[0].additional;
    }
};

}  // namespace json_test
