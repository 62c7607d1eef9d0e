tarvos_test_area(ui QT LIBS tarvos_shell Qt6::Test)
