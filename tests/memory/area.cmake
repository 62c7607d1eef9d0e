tarvos_test_area(memory LIBS tarvos_memory)
