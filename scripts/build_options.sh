# Sourced by the scripts. Every build compiles through Debian's ccache, so a source compiled once with
# the same flags (the release build and the module for another interpreter, say) is compiled once.
ccache_launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# The release build of scripts/setup.sh, which scripts/build_wheel.sh packs into a wheel from the same
# build tree: any option that differs between the two would make the second one configure and compile
# it all again.
release_build_options=(-Cbuild-dir=build/release -Ccmake.build-type=Release -Ccmake.define.VELMOR_WERROR=ON
                       "${ccache_launcher[@]/#-D/-Ccmake.define.}")
