# Debian's hardening (the flags dpkg-buildflags gives with hardening=+all): stack canaries,
# format-string checks, a relocation table that is read-only once the program has started, and
# checked string and memory functions. _FORTIFY_SOURCE works only with optimisation, so a Debug
# build (the sanitizer preset) goes without that one.
add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
add_link_options(LINKER:-z,relro LINKER:-z,now)
