# Compiler settings shared by every target of ours. Third-party code never sees -Werror.

if(GLIMMERDROP_SANITIZE AND GLIMMERDROP_TSAN)
  message(FATAL_ERROR "GLIMMERDROP_SANITIZE and GLIMMERDROP_TSAN cannot be combined")
endif()

if(GLIMMERDROP_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(GLIMMERDROP_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
# Fuzzing instruments all of our code for coverage and runs it under the address and UB checkers.
if(GLIMMERDROP_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "GLIMMERDROP_FUZZ needs clang: configure with CC=clang CXX=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Applies our warning policy and the repository root as include path.
function(glimmerdrop_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()
