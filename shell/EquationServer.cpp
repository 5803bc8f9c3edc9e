#include "shell/EquationServer.h"

bool StartEquationServer(CMolvexApp&, bool) { return false; }
