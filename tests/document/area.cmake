tarvos_test_area(document LIBS tarvos_document)
# The tests start documents from the shipped files in <build>/data.
if(TARGET tests_document AND TARGET tarvos_data)
  add_dependencies(tests_document tarvos_data)
endif()
