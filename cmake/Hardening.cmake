# Hardening flags that Debian's build policy expects of a packaged binary (lintian checks them):
# stack protector, fortified libc calls, read-only relocations bound at start-up.

option(TILVARA_HARDEN "Build with Debian's hardening flags" ON)

if(TILVARA_HARDEN AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-fstack-protector-strong -fstack-clash-protection -Wformat
                      -Werror=format-security)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64|i.86")
    add_compile_options(-fcf-protection)
  endif()
  # Fortify needs the optimiser (glibc warns, and -Werror fails, at -O0) and gets in the way of
  # the sanitizers' own checks.
  if(NOT TILVARA_SANITIZE)
    add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
  endif()
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
