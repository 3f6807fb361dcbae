# Warnings and language settings shared by every target of the project.
function(velmor_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
    # CPython's definition structs (PyModuleDef, PyMethodDef, PyType_Spec) are meant to be partly filled.
    -Wno-missing-field-initializers
    # GCC 12 reports false -Wrestrict overlaps inside std::string concatenation at -O3 (GCC bug 105329).
    $<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>:-Wno-restrict>)
  if(VELMOR_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  target_compile_features(${target} PUBLIC cxx_std_23)
endfunction()

# A static library made of every .cpp of the calling folder; each component folder owns its sources,
# so adding a file needs no edit here.
function(velmor_component_library target)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*/*.cpp)
  list(FILTER sources EXCLUDE REGEX ".*/fuzz/.*")
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  velmor_target_defaults(${target})
endfunction()
