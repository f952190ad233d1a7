#pragma once
// The values of the contest in hand that the main window keeps for the whole
// run and the other windows read are members of the program's context.
#include "cabrillo/contexto_concurso.h"
