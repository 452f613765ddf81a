#include "c3ga/c3ga.h"

// Built before main in this order; destroyed at exit in the reverse order.
const c3gai c3gai::e1(2, 1.0, 0.0, 0.0, 0.0, 0.0);
const c3gai c3gai::e2(2, 0.0, 1.0, 0.0, 0.0, 0.0);
const c3gai c3gai::e3(2, 0.0, 0.0, 1.0, 0.0, 0.0);
const c3gai c3gai::no(2, 0.0, 0.0, 0.0, 1.0, 0.0);
const c3gai c3gai::ni(2, 0.0, 0.0, 0.0, 0.0, 1.0);
const c3gai c3gai::I(32, 1.0);
const c3gai c3gai::Ii(32, -1.0);
const c3gai *const c3gai::bv[5] = {&e1, &e2, &e3, &no, &ni};
