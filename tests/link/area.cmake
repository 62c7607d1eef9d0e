tarvos_test_area(link LIBS tarvos_link tarvos_sim)
# The shipped settings file is read from <build>/data.
if(TARGET tests_link AND TARGET tarvos_data)
  add_dependencies(tests_link tarvos_data)
endif()
