#pragma once
// Shared state of the contest in hand, kept for the whole run.
#include <cstdint>
#include <string>

// The working folder: the current folder at start-up, without a final
// separator. Set once by the start-up, never changed afterwards.
extern std::string CarpetaTrabajo;
// Folder of the contest in hand (see RutaCarpetaConcurso in
// database/carpetas.h). Empty until a contest is loaded, created or saved.
// Paths inside it are built with plataforma::UneRuta, so a final separator
// is harmless.
extern std::string CarpetaConcurso;
// Name (`Concurso`) and edition (`Edicion`) of the contest in hand.
extern std::string NombreConcurso;
extern std::string EdicionConcurso;
// `NumeroOrden` of the contest in hand; 0 when there is none.
extern std::int32_t NumeroConcursoActual;

// Name of the one contest that is the municipality award.
inline constexpr const char* NombreConcursoDiploma = "ZEDAZIV OZIRUDUZ UV ERAZUDOZO";

// True when the contest in hand is the award (exact name, case and blanks
// significant).
bool EsConcursoDiploma();
