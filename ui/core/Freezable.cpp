#include "ui/core/Freezable.h"

N_ELEMENT_TYPE(Freezable, N::Element);
