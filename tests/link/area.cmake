tarvos_test_area(link LIBS tarvos_link tarvos_sim)
