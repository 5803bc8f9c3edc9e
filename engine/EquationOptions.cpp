#include "engine/EquationOptions.h"
