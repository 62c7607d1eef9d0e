tarvos_test_area(base LIBS tarvos_base)
