# The checking builds. NAPRAWA_SANITIZE builds the whole tree under AddressSanitizer (leaks
# included) and UndefinedBehaviorSanitizer with every finding fatal; NAPRAWA_FUZZ (clang) adds
# the libFuzzer targets of tests/fuzz to that same tree and instruments our libraries for the
# coverage the fuzzer steers by. scripts/test-sanitizers.sh builds and runs such a tree.
option(NAPRAWA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(NAPRAWA_FUZZ "Build the fuzz targets as libFuzzer programs (clang, with NAPRAWA_SANITIZE)"
       OFF)

if(NAPRAWA_FUZZ AND NOT (NAPRAWA_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang"))
  message(FATAL_ERROR "NAPRAWA_FUZZ needs clang and NAPRAWA_SANITIZE=ON")
endif()

if(NAPRAWA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Called once every library exists: the fuzzer's coverage in each of ours (the layered ones),
# not only in the small target that calls into them.
function(naprawa_fuzz_coverage)
  if(NOT NAPRAWA_FUZZ)
    return()
  endif()
  get_property(layered GLOBAL PROPERTY NAPRAWA_LAYERED_TARGETS)
  foreach(target IN LISTS layered)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
  endforeach()
endfunction()
