quillon_add_test(test_engine
  SOURCES test_engine.cpp
  LIBS quillon_link)
