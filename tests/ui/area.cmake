tarvos_test_area(ui QT LIBS tarvos_ui Qt6::Test)
