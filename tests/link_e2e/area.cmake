tarvos_test_area(link_e2e QT LIBS tarvos_link_qt tarvos_sim tarvos_memory Qt6::Core)
if(TARGET tests_link_e2e AND TARGET tarvos-cli)
  # The command-line runs start the program itself.
  add_dependencies(tests_link_e2e tarvos-cli)
endif()
