#include "mainwindow/estado_principal.h"

#ifndef TROVALIS_ESTADO_EN_DATABASE
std::string CarpetaTrabajo;
std::string CarpetaConcurso;
std::string NombreConcurso;
std::string EdicionConcurso;
std::int32_t NumeroConcursoActual = 0;
#endif

bool HayConcursoCargado = false;
std::string CorreoReclamaciones;
std::string DireccionWebConcurso;
bool OpcionExcluirMismaProv = false;
bool OpcionExcluirMismoDist = false;
bool OpcionExcluirMismoPais = false;
bool OpcionExcluirMismoPrefijo = false;
bool OpcionExcluirMismaZonaCQ = false;
bool VerificarNombreExacto = false;
std::int16_t ListasSoloConsulta = 0;
