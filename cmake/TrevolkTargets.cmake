# Target declarations shared by every folder.
#
#   trevolk_core_library(name SOURCES ... [DEPS ...])   UI-free code: no Qt on its include path
#   trevolk_ui_library(name SOURCES ... [DEPS ...])     Qt Widgets code
#   trevolk_test(name SOURCES ... [DEPS ...] [LABELS ...] [UI])

set(TREVOLK_WARNINGS -Wall -Wextra)
if(TREVOLK_WERROR)
  # g++ 12 at -O3 reports -Wrestrict inside std::string's own inlined copies (a false positive of
  # that compiler); it stays a warning there instead of stopping optimised builds.
  list(APPEND TREVOLK_WARNINGS -Werror -Wno-error=restrict)
endif()

if(TREVOLK_SANITIZE)
  add_compile_options(-fsanitize=${TREVOLK_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${TREVOLK_SANITIZE})
endif()

function(_trevolk_common name)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${TREVOLK_WARNINGS})
endfunction()

function(trevolk_core_library name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  foreach(dep IN LISTS A_DEPS)
    if(dep MATCHES "^Qt" OR dep MATCHES "_ui$")
      message(FATAL_ERROR "Core target ${name} must not depend on ${dep}")
    endif()
  endforeach()
  add_library(${name} STATIC ${A_SOURCES})
  _trevolk_common(${name})
  target_compile_options(${name} PRIVATE -include ${PROJECT_SOURCE_DIR}/cmake/core_guard.h)
  target_link_libraries(${name} PUBLIC ${A_DEPS})
endfunction()

function(trevolk_ui_library name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  _trevolk_common(${name})
  set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
  target_link_libraries(${name} PUBLIC Qt6::Widgets ${A_DEPS})
endfunction()

function(trevolk_test name)
  cmake_parse_arguments(A "UI" "" "SOURCES;DEPS;LABELS" ${ARGN})
  if(A_UI)
    list(APPEND A_SOURCES ${PROJECT_SOURCE_DIR}/test/QtLeakSuppressions.cpp)
  endif()
  add_executable(${name} ${A_SOURCES})
  _trevolk_common(${name})
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE TREVOLK_TEST_DATA="${PROJECT_SOURCE_DIR}/test/data")
  # An empty LABELS value would vanish from the list and take the next property name as a label.
  set(props)
  if(A_LABELS)
    list(APPEND props LABELS "${A_LABELS}")
  endif()
  if(A_UI)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    list(APPEND props ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${props})
endfunction()
