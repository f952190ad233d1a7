#include "mainwindow/estado_principal.h"


std::string CorreoReclamaciones;
std::string DireccionWebConcurso;
bool OpcionExcluirMismaProv = false;
bool OpcionExcluirMismoDist = false;
bool OpcionExcluirMismoPais = false;
bool OpcionExcluirMismoPrefijo = false;
bool OpcionExcluirMismaZonaCQ = false;
bool VerificarNombreExacto = false;
std::int16_t ListasSoloConsulta = 0;
