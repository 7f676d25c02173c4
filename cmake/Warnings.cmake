# Every target of ours links this. Warnings are errors in the developers' and CI builds
# (the presets turn it on), not by default: another compiler or a packager's flags may warn
# where ours does not, and must still build.
option(TAMSVEROLIND_WERROR "Treat warnings as errors" OFF)
add_library(project_warnings INTERFACE)
if(MSVC)
  target_compile_options(project_warnings INTERFACE /W4 $<$<BOOL:${TAMSVEROLIND_WERROR}>:/WX>)
else()
  target_compile_options(project_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual $<$<BOOL:${TAMSVEROLIND_WERROR}>:-Werror>)
endif()
target_compile_definitions(project_warnings INTERFACE
  QT_NO_CONTEXTLESS_CONNECT QT_NO_CAST_FROM_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
