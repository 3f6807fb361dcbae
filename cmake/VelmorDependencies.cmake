# The libraries the runtime core is built on, found through pkg-config where it knows them and otherwise
# through the CMake package files they install. Each becomes the imported target velmor::<name>; a
# library found neither way stops the configuration with a message that names it.

find_package(PkgConfig QUIET)

# velmor_find_library(NAME TITLE PKG_CONFIG_MODULE CMAKE_PACKAGE CMAKE_TARGET DEBIAN_PACKAGE)
function(velmor_find_library name title module package target debian_package)
  if(PKG_CONFIG_FOUND)
    pkg_check_modules(velmor_${name} QUIET IMPORTED_TARGET GLOBAL ${module})
    if(velmor_${name}_FOUND)
      add_library(velmor::${name} ALIAS PkgConfig::velmor_${name})
      return()
    endif()
  endif()
  find_package(${package} CONFIG QUIET)
  if(TARGET ${target})
    set_target_properties(${target} PROPERTIES IMPORTED_GLOBAL TRUE)
    add_library(velmor::${name} ALIAS ${target})
    return()
  endif()
  message(FATAL_ERROR
    "${title} development files were not found: neither pkg-config's module '${module}' nor CMake's package "
    "'${package}' is known. Install them (on Debian: apt-get install ${debian_package}), or point "
    "PKG_CONFIG_PATH or CMAKE_PREFIX_PATH at an installation of ${title}.")
endfunction()

velmor_find_library(proj PROJ proj PROJ PROJ::proj libproj-dev)
velmor_find_library(geos GEOS geos GEOS GEOS::geos_c libgeos-dev)
velmor_find_library(geographiclib GeographicLib geographiclib GeographicLib GeographicLib::GeographicLib
                    libgeographiclib-dev)
