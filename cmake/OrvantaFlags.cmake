# Flags shared by every target of ours.
#
# Stored cubie orders, anchor planes and group ids hang on the last bit of the
# geometry, so floating point must be evaluated exactly as written on every
# machine: no fused multiply-add contraction, no fast-math, no -march=native.

add_library(orvanta_flags INTERFACE)
target_compile_options(orvanta_flags INTERFACE
  -Wall -Wextra
  -ffp-contract=off
  -fno-fast-math)

# Off by default: a newer compiler's new warnings must not stop a user's build. The test
# script (and so CI) turns it on.
if(ORVANTA_WERROR)
  target_compile_options(orvanta_flags INTERFACE -Werror)
endif()

if(ORVANTA_SANITIZE)
  target_compile_options(orvanta_flags INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(orvanta_flags INTERFACE -fsanitize=address,undefined)
endif()
