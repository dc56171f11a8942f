# The hardening of Debian's packages (dpkg-buildflags with hardening=+all) in
# the ordinary build, which is the build the package is made from: stack
# protection, checked string and memory functions, format checks, read-only
# relocations bound at start-up. The sanitizer build has its own checks.
if(MARVOK_SANITIZE OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  return()
endif()
add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
# The checked functions need the optimiser; a Debug build goes without.
add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
add_link_options(-Wl,-z,relro -Wl,-z,now)
