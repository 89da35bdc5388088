quillon_add_test(test_comport SOURCES test_comport.cpp LIBS quillon_link)
