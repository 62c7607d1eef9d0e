tarvos_test_area(shell LIBS tarvos_shellcore)
