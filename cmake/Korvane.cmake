# Shared settings for every Korvane target.
function(korvane_setup_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()

# korvane_library(<folder> SOURCES ... LIBS ...): the static library korvane_<folder>.
function(korvane_library folder)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  set(target korvane_${folder})
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${ARG_LIBS})
  korvane_setup_target(${target})
endfunction()

# Adds every folder directly below dir that has a CMakeLists.txt, except the skipped ones.
function(korvane_add_subfolders dir)
  file(GLOB folders LIST_DIRECTORIES true ${dir}/*)
  foreach(folder IN LISTS folders)
    get_filename_component(name ${folder} NAME)
    if(IS_DIRECTORY ${folder} AND EXISTS ${folder}/CMakeLists.txt
       AND NOT name IN_LIST KORVANE_SKIP_FOLDERS)
      add_subdirectory(${folder})
    endif()
  endforeach()
endfunction()

# korvane_fuzz(<name> SOURCES ... LIBS ...): a libFuzzer target (clang). Its seed inputs
# live in corpus/<name>/ beside the CMakeLists.txt that adds it. Every target is built by
# korvane_fuzzers and listed in <build>/fuzz-targets/<name> (program, then corpus folder),
# which is how scripts/fuzz finds them.
function(korvane_fuzz name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/fuzz/support)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  korvane_setup_target(${name})
  if(NOT TARGET korvane_fuzzers)
    add_custom_target(korvane_fuzzers)
  endif()
  add_dependencies(korvane_fuzzers ${name})
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/fuzz-targets/${name}
       CONTENT "$<TARGET_FILE:${name}>\n${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name}\n")
endfunction()
