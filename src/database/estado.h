#pragma once
// The contest in hand and the run, as far as the database layer knows them:
// folders, the open databases and recordsets, and the options of the contest
// in hand that other subsystems read. One object holds them for the whole
// run (the program's ContextoConcurso, cabrillo/contexto_concurso.h, adds the
// log in hand); every procedure that needs them takes it as a parameter.
#include <cstdint>
#include <string>
#include <utility>

#include "database/concursos_especiales.h"
#include "plataforma/dao.h"

// Name of the one contest that is the municipality award (its profile's).
inline constexpr const char* NombreConcursoDiploma = concursos::kDiplomaMunicipios.nombre.data();

struct EstadoConcurso {
  EstadoConcurso() = default;
  EstadoConcurso(const EstadoConcurso&) = delete;
  EstadoConcurso& operator=(const EstadoConcurso&) = delete;

  // The working folder: the current folder at start-up, without a final
  // separator. Set once by the start-up, never changed afterwards.
  std::string CarpetaTrabajo;
  // Folder of the contest in hand (see RutaCarpetaConcurso in
  // database/carpetas.h). Empty until a contest is loaded, created or saved.
  // Paths inside it are built with plataforma::UneRuta, so a final separator
  // is harmless.
  std::string CarpetaConcurso;
  // Name (`Concurso`) and edition (`Edicion`) of the contest in hand.
  std::string NombreConcurso;
  std::string EdicionConcurso;
  // `NumeroOrden` of the contest in hand; 0 when there is none.
  std::int32_t NumeroConcursoActual = 0;

  // Open contest database `Ledrima`.
  dao::Database BaseConcursos;
  // Open countries database `Terravia`.
  dao::Database BasePaises;
  // Table definition of `Concursos` (field sizes and types of the editor).
  dao::TableDef DefinicionConcursos;
  // Recordset over `ControlConcursos`, standing on its first row.
  dao::Recordset RegistroControlConcursos;
  // Recordset over `Concursos`, positioned on the contest in hand.
  dao::Recordset ConcursoActual;
  // A contest is selected in the main window.
  bool HayConcursoCargado = false;

  // Claims mailbox and web address of the contest in hand.
  std::string CorreoReclamaciones;
  std::string DireccionWebConcurso;
  // Exclude-own options of the contest in hand.
  bool OpcionExcluirMismaProv = false;
  bool OpcionExcluirMismoDist = false;
  bool OpcionExcluirMismoPais = false;
  bool OpcionExcluirMismoPrefijo = false;
  bool OpcionExcluirMismaZonaCQ = false;
  // Exact check of the contest name in received logs (not stored).
  bool VerificarNombreExacto = false;
  // 1: the list editors and the format window open for viewing only; 0 editable.
  std::int16_t ListasSoloConsulta = 0;
  // Intake (by mail or from the manual folder) has been started since the
  // last cross-check: set by the mail window, cleared by a cross-check.
  bool HayListasNuevas = false;

  // True when the contest in hand is the award (exact name, case and blanks
  // significant).
  bool EsConcursoDiploma() const { return concursos::EsDiploma(NombreConcurso); }
};

// The state of a run that is given a contest's folder and name and works on
// them alone, away from the program's context (the mail intake, the
// cross-check run): what the folder procedures read.
struct EstadoCarpetaConcurso : EstadoConcurso {
  EstadoCarpetaConcurso(std::string carpeta, std::string nombre) {
    CarpetaConcurso = std::move(carpeta);
    NombreConcurso = std::move(nombre);
  }
};
