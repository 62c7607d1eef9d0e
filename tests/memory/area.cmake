tarvos_test_area(memory LIBS tarvos_memory)
# The tests read the shipped files from <build>/data.
if(TARGET tests_memory AND TARGET tarvos_data)
  add_dependencies(tests_memory tarvos_data)
endif()
