# Debian's hardening for every optimised build (the flags dpkg-buildflags gives with
# hardening=+all): checked string and memory functions, stack canaries, and a relocation table
# that is read-only once the program has started. _FORTIFY_SOURCE works only with optimisation,
# so a Debug build (the sanitizer preset) goes without it.
set(quorvel_optimised $<NOT:$<CONFIG:Debug>>)
add_compile_options(
  $<${quorvel_optimised}:-fstack-protector-strong>
  $<${quorvel_optimised}:-Wformat>
  $<${quorvel_optimised}:-Werror=format-security>)
add_compile_definitions($<${quorvel_optimised}:_FORTIFY_SOURCE=2>)
add_link_options($<${quorvel_optimised}:LINKER:-z,relro> $<${quorvel_optimised}:LINKER:-z,now>)
