tarvos_test_area(cli QT LIBS tarvos_document Qt6::Core)
# The tests run the built tarvos-cli on the built data files.
if(TARGET tests_cli)
  foreach(dep tarvos-cli tarvos tarvos_data)
    if(TARGET ${dep})
      add_dependencies(tests_cli ${dep})
    endif()
  endforeach()
endif()
# The version the programs are built with, to compare their answer to.
if(TARGET tests_cli)
  target_compile_definitions(tests_cli PRIVATE TARVOS_VERSION="${PROJECT_VERSION}")
endif()
