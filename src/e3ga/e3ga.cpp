#include "e3ga/e3ga.h"

// Built before main in this order; destroyed at exit in the reverse order.
const e3gai e3gai::e1(2, 1.0, 0.0, 0.0);
const e3gai e3gai::e2(2, 0.0, 1.0, 0.0);
const e3gai e3gai::e3(2, 0.0, 0.0, 1.0);
const e3gai e3gai::I(8, 1.0);
const e3gai e3gai::Ii(8, -1.0);
const e3gai *const e3gai::bv[3] = {&e1, &e2, &e3};
