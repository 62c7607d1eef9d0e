tarvos_test_area(functions LIBS tarvos_functions)
# The shipped images are generated at build time; the tests load them.
if(TARGET tests_functions AND TARGET tarvos_data)
  add_dependencies(tests_functions tarvos_data)
endif()
# The settings part of `tarvos-cli dump` is plain core code: test it directly.
if(TARGET tests_functions)
  target_sources(tests_functions PRIVATE ${PROJECT_SOURCE_DIR}/cli/dump_settings.cpp)
endif()
