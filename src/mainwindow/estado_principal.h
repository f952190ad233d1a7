#pragma once
// Values of the contest in hand that the main window keeps for the whole run
// and the other windows read.
#include <cstdint>
#include <string>

#include "database/conexiones.h"
#include "database/estado.h"

// Claims mailbox and web address of the contest in hand.
extern std::string CorreoReclamaciones;
extern std::string DireccionWebConcurso;
// Exclude-own options of the contest in hand.
extern bool OpcionExcluirMismaProv;
extern bool OpcionExcluirMismoDist;
extern bool OpcionExcluirMismoPais;
extern bool OpcionExcluirMismoPrefijo;
extern bool OpcionExcluirMismaZonaCQ;
// Exact check of the contest name in received logs (not stored).
extern bool VerificarNombreExacto;
// 1: the list editors and the format window open for viewing only; 0 editable.
extern std::int16_t ListasSoloConsulta;
