tarvos_test_area(ui QT LIBS tarvos_shell Qt6::Test)
# The function page tests compare with what the built tarvos-cli writes.
if(TARGET tests_ui AND TARGET tarvos-cli)
  add_dependencies(tests_ui tarvos-cli)
endif()
