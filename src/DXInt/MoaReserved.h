#pragma once

// A slot of a host interface that the framework never calls: declared so that the slots after
// it keep their places in the table of operations.

#include "DXInt/MoaTypes.h"

#define MOA_RESERVED_SLOT(n) virtual MoaError MOA_CALL Reserved##n() = 0
