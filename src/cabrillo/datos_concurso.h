#pragma once
// What the validation of a log reads of the contest in hand, gathered once
// per log in plain values so that the checks run without any window or
// database: the contest's row of `Concursos` (name, letters options, band
// and mode permissions), its row of `ResumenCabrillo` (admitted categories
// and exchange elements), its province list and the two options that the
// main window shows.
//
// Boolean columns may hold no value (Null): `Logico` keeps the three states,
// since the checks tell "False" from "no value" (a not-applicable switch
// with no value leaves its group out; a category value with no value is not
// refused by the category checks but is not printed as admitted).
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace cabrillo {

// The order of the reference codes that the validation reads from the
// contest database: that of the database's text columns (letter case
// ignored), so that a code found in the list is one that a query on the
// column would find: a received "m" is the listed "M".
struct OrdenComoLaBase {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};
using CodigosReferencia = std::set<std::string, OrdenComoLaBase>;

using Logico = std::optional<bool>;

// True only when the column holds True.
inline bool EsCierto(const Logico& v) { return v.has_value() && *v; }
// True only when the column holds False (not when it holds no value).
inline bool EsFalso(const Logico& v) { return v.has_value() && !*v; }

// The contest's row of `ResumenCabrillo`, its Boolean columns by name.
struct FilaResumenCabrillo {
  Logico SingleOp, MultiOp, ServerOp, CheckLog;
  Logico BandaNoAplicable, ALL, M160, M80, M40, M30, M20, M15, M16, M12, M10, M6, M2, M222, M432, M902, G12;
  Logico ModoNoAplicable, SSB, CW, FM, RTTY, MIXED;
  Logico PotenciaNoAplicable, High, Low, Qrp;
  Logico AsistidoNoAplicable, NonAssisted, Assisted;
  Logico TxNoAplicable, One, Two, Limited, UnLimited, Swl;
  Logico TipoEstacionNoAplicable, Fixed, Mobile, Portable, HillTopper, Rover, Expedition, Hq, School;
  Logico TimeNoAplicable, Hours6, Hours12, Hours24;
  Logico OverlayNoAplicable, Rookie, TbWires, NoviceTech, Over50;
  Logico RstEnviado, NumeralEnviado, LetrasEnviadas, PuntosEnviados, LocatorEnviado;
  Logico RstRecibido, NumeralRecibido, LetrasRecibidas, PuntosRecibidos, LocatorRecibido;

  // The Boolean column of that name (letter case ignored); nullptr when the
  // row has no Boolean column of that name. A reader fills the row column
  // by column through it, so the order of the table's columns plays no part.
  Logico* Campo(std::string_view nombre);
  const Logico* Campo(std::string_view nombre) const;
};

// The contest in hand as the validation of one log reads it.
struct DatosConcursoLog {
  std::int32_t NumeroOrden = 0;
  std::string Concurso;  // the contest's name, compared whole and with case
  std::string Edicion;   // the edition, which the rules text's sample "CONTEST:" line adds to the name

  // `Concursos`: the province-code options.
  Logico EnviarSiglas, RecibirSiglas, CadaProv;
  // `Concursos`: band permissions (`Banda1'8` and `Banda3'5` are Banda1_8
  // and Banda3_5 here) and mode permissions.
  Logico Banda1_8, Banda3_5, Banda7, Banda10, Banda14, Banda18, Banda21, Banda24, BandaUser, Banda28, Banda50,
      Banda144, Banda432, Banda1296;
  Logico ModoAM, ModoSSB, ModoLSB, ModoUSB, ModoCW, ModoFM, ModoRTTY, ModoPACKET;

  // `ResumenCabrillo`; HayResumen is false when the contest has no row.
  bool HayResumen = false;
  FilaResumenCabrillo Resumen;

  // `ListaProv`: the contest's province codes, compared as the database
  // compares them.
  CodigosReferencia Provincias;

  // Options of the main window as shown when the log is checked.
  bool SiglasONumeral = false;         // a numeric letters token is accepted
  bool VerificarNombreExacto = false;  // the "CONTEST:" value must be the name (or the name and edition)

  // The Boolean column of `Concursos` of that name (letter case ignored;
  // "Banda1'8" and "Banda3'5" as the table spells them); nullptr otherwise.
  Logico* CampoConcurso(std::string_view nombre);
};

}  // namespace cabrillo
