tarvos_test_area(sim LIBS tarvos_sim)
