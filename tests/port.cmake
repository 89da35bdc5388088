quillon_add_test(test_comport SOURCES test_comport.cpp LIBS quillon_link)
quillon_add_test(test_port_window SOURCES test_port_window.cpp LIBS quillon_app)
