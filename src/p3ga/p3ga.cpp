#include "p3ga/p3ga.h"

// Built before main in this order; destroyed at exit in the reverse order.
const p3gai p3gai::e1(2, 1.0, 0.0, 0.0, 0.0);
const p3gai p3gai::e2(2, 0.0, 1.0, 0.0, 0.0);
const p3gai p3gai::e3(2, 0.0, 0.0, 1.0, 0.0);
const p3gai p3gai::e0(2, 0.0, 0.0, 0.0, 1.0);
const p3gai p3gai::I(16, 1.0);
const p3gai p3gai::Ii(16, 1.0);
const p3gai *const p3gai::bv[4] = {&e1, &e2, &e3, &e0};
