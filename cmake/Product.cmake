# Options for what ships in kinshu.exe (not for the tests, GoogleTest or the
# benchmarks, which keep their exceptions and symbols): small code, no
# exceptions or RTTI (the program uses neither), unused functions and data
# dropped at link time, no symbols, and nothing in the binary that depends on
# the time or the folder of the build, so that two builds give the same bytes.
function(kinshu_product_code target)
  if(WIN32 AND NOT MSVC)
    target_compile_options(${target} PRIVATE
      -Os -ffunction-sections -fdata-sections -fno-exceptions -fno-rtti
      -fno-asynchronous-unwind-tables
      "-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.")
  endif()
endfunction()

function(kinshu_product_executable target)
  kinshu_product_code(${target})
  if(WIN32 AND NOT MSVC)
    target_link_options(${target} PRIVATE
      -Wl,--gc-sections -s -Wl,--no-insert-timestamp)
  endif()
endfunction()
