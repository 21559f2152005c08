# AddressSanitizer + UndefinedBehaviorSanitizer for the whole build.
if(ORV_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# libFuzzer can only steer by the coverage of instrumented code: in the fuzz
# build every library is compiled with the coverage hooks, and the fuzz
# targets add the fuzzer's own main (fuzz/CMakeLists.txt).
if(ORV_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
