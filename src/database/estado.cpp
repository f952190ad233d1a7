#include "database/estado.h"

std::string CarpetaTrabajo;
std::string CarpetaConcurso;
std::string NombreConcurso;
std::string EdicionConcurso;
std::int32_t NumeroConcursoActual = 0;

bool EsConcursoDiploma() { return NombreConcurso == NombreConcursoDiploma; }
