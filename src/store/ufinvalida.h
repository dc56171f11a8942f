#pragma once
// A federal state code that is not one of Brazil's.

#include "core/eerror.h"

class UFInvalida : public EError {
public:
    using EError::EError;
};
