#pragma once
// The special contests: the contests whose rules the program knows by name.
// Each has one profile here, and every rule that depends on it is a field of
// that profile: the log checks, the admitted categories, the category key,
// the cross-check, the multipliers, the QSO points, the contest-rules text,
// the mail intake and the award. The subsystems ask the profile ("does this
// contest take the letters rule of ...", "the points rule of this
// contest"), never compare a contest's name; changing one contest's rules
// starts by reading its profile below.
//
// A contest is recognised by its name exactly as the operator wrote it in
// the contest row (case and blanks count), or, for a family of contests
// (`Alcance::Dentro`), by its text anywhere inside the name. A few rules
// reach further than the profile: they say so beside their field.
#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace concursos {

// How a contest, or one rule of it, is recognised by a contest's name.
enum class Alcance : unsigned char {
  ComoElPerfil,  // (a rule) as its profile is recognised
  Nombre,        // the name is the profile's name
  Dentro,        // the name holds the profile's text (`familia`, or else its name) anywhere
  Comienzo,      // the name begins with the profile's name
};

// The check of the operator category in a log's header.
enum class ReglaOperador : unsigned char {
  DeLaFila,     // against the contest's `ResumenCabrillo` row
  SoloTabla,    // only its fixed category table
  TablaYPais,   // its fixed table, then the country an entry asks for
  SinOperador,  // the row's other groups; any operator value passes
};

// How the header's operator category line is rewritten before the check.
enum class ReescrituraOperador : unsigned char {
  Ninguna,
  GeneralYGrupo,  // "GENERAL" is a SINGLE-OP, "GRUPO 2012" a SERVER-OP
  SoloChecklog,   // CHECKLOG stays, anything else is a SINGLE-OP
};

// The key of a log's category (cabrillo's category key, read again by the
// cross-check, the scoring and the rankings).
enum class ReglaClave : unsigned char {
  DeLaFila,         // the category words the contest's row lets through
  OperadorEscrito,  // the operator value as written
  Insular,          // special station, island stations, regional and national district, foreign
  Ea3,              // "ESTACIÓN EA3" or "ESTACIÓN NO EA3"
  SociosDelClub,    // the club's members, its special station, EA district, foreign
};

// The check of the sent and received letters of each QSO line.
enum class ReglaLetras : unsigned char {
  Ninguna,
  SiglasONumero,  // letters of the list or a serial number (both sides)
  UrsRtty,        // sent as SiglasONumero; received letters of the list or a number, its own text
  OmYl,           // "OM" or "YL", the same sent in every QSO
  Andalucia,      // letters for an EA7 station without "/", a serial number otherwise
  ReferenciaVg,   // "VG" references or serial numbers by category
  Die,            // a reference or a serial number by the operator category and country
  SiglasOGuion,   // letters of the list or "-"
  Dme,            // received: a municipality code of the award or "-"
  Dce,            // a province reference by station type, the same in every QSO
  Iberica,        // by country: letters of Spain, a Portuguese district, "C3"
};

// How a QSO line is split into its tokens.
enum class Disposicion : unsigned char {
  PorOpciones,     // by the exchange options of the contest
  CaminoSantiago,  // recognised by the log's CONTEST line holding the name (see DisposicionDeLog)
  PorPais,         // each side RST, then letters and locator for an "EA*" station, else one token
};

// The multiplier rules of the engine beyond the contest's options.
enum class ReglaMultiplicadores : unsigned char {
  Ninguna,
  Die,       // prefixes and "other" references counted per band its own way
  Vge,       // provinces and "other" references counted its own way
  Dce,       // provinces as the literal reference holds them
  Club,      // the club station counts once per day
  Distrito,  // districts of numeric letters are not multipliers
};

// The points of a QSO.
enum class ReglaPuntos : unsigned char {
  Ninguna,        // the contest's options: special stations, same country, continents
  Psk,            // the entry value plus 1 to 3 by the worked and the own "AT" calls
  DelLog,         // the points the log carries stay
  CwTriple,       // 3 in CW, otherwise 1
  Referencias,    // 1 for the first QSO with a listed reference
  NumeroCinco,    // 5 for numeric received letters, otherwise 1
  EspanolasRtty,  // 2 Spanish both, 1 with a foreign side, 3 foreign working Spanish
  SociosDelClub,  // 10 the club station, 5 a member, 4 Spanish, 3 foreign
  Die,            // the special stations, then its reference rule (only with points received)
};

// Columns of a QSO line that do not follow the exchange chain.
struct ColumnasFijas {
  int indicativo = 0, rst = 0, letras = 0;  // received call, RST, letters; 0: none
};

// An entry of the category table followed by a remark.
struct NotaCategoria {
  std::size_t entrada = 0;  // 1-based; 0: none
  std::string_view nota;
};

// The model QSO line of the contest-rules text.
struct EjemploQso {
  std::string_view letras_enviadas;       // empty: the general sample
  std::string_view letras_recibidas;      // empty: the general sample
  std::string_view puntos;                // written at each side's points column; empty: none
  std::string_view indicativo_trabajado;  // empty: the general sample
};

// The mode of the model QSO line for a contest whose name holds the
// profile's text followed by `sufijo` (the last such suffix wins).
struct ModoEjemplo {
  std::string_view sufijo;
  std::string_view modo;
};

struct PerfilConcurso {
  std::string_view nombre;
  Alcance alcance = Alcance::Nombre;
  // The text every edition of the contest holds in its name, for the rules
  // recognised `Dentro`; empty: the name itself.
  std::string_view familia;
  // The contest's own station (a club or special station) its rules name.
  std::string_view estacion_especial;

  // ---- log checks (cabrillo)
  // Fixed table of admitted categories, whatever the contest's row.
  std::span<const std::string_view> categorias;
  // The admitted categories are listed each behind ".- ".
  bool categorias_con_guion = false;
  NotaCategoria nota_categoria;
  ReglaOperador operador = ReglaOperador::DeLaFila;
  ReescrituraOperador reescritura_operador = ReescrituraOperador::Ninguna;
  // The operator values "FIJA" and "MONO-OPERADOR" set the station FIXED,
  // and a SINGLE-OP key is "SINGLE-OP FIXED".
  bool estacion_fija = false;
  // A MULTI-OP log passes the power group.
  bool multi_sin_potencia = false;
  ReglaClave clave = ReglaClave::DeLaFila;
  // A category ending "-PH" works phone only.
  bool modo_por_categoria = false;
  // Both stations of every QSO are of Spain, Portugal or Andorra.
  bool solo_ibericos = false;
  ReglaLetras letras = ReglaLetras::Ninguna;
  // The exchange carries points behind the letters: both sides checked by
  // station type and reference; the editor saves the points layout for
  // every contest whose name begins with this one's (`alcance_puntos_intercambio`).
  bool puntos_en_intercambio = false;
  Alcance alcance_puntos_intercambio = Alcance::ComoElPerfil;
  // The received call, RST and letters at fixed columns, without serial numbers.
  ColumnasFijas columnas_fijas;
  Disposicion disposicion = Disposicion::PorOpciones;
  // One log per band: the attachment's name holds "-band" after the call;
  // the header check leaves it out, the cross-check extends the worked
  // call with it and the score is filed under the log's file name.
  bool log_por_banda = false;

  // ---- cross-check
  // A repeat of the special station is a duplicate only on the same band,
  // letters and date.
  bool repeticion_estacion_especial = false;

  // ---- multipliers and points
  ReglaMultiplicadores multiplicadores = ReglaMultiplicadores::Ninguna;
  ReglaPuntos puntos = ReglaPuntos::Ninguna;
  Alcance alcance_puntos = Alcance::ComoElPerfil;
  // Points per kilometre count double in CW.
  bool km_doble_en_cw = false;
  // A log of an EXPEDITION category receives 1 point a QSO.
  bool expedicion_recibe_uno = false;
  // The participant's country is the prefix of the call, not the countries database's.
  bool pais_por_prefijo = false;
  // The category key of the score: "SINGLE-OP ALL" / "MULTI-OP ALL" and "(EA)" or "(DX)".
  bool clave_ea_o_dx = false;
  // The category key of the score: "(Sección o Club)" for a station of 10 points, "(EA7)" or "(EA)".
  bool clave_seccion_o_club = false;
  // The category key of the score ends with the log's last sent letters.
  bool clave_con_siglas = false;

  // ---- contest-rules text
  // Fixed category lines (each behind ".- ") instead of the admitted table.
  std::span<const std::string_view> categorias_bases;
  // Heading of the categories; empty: "Categorías en FICHERO CABRILLO:".
  std::string_view titulo_categorias;
  // The sample CATEGORY-OPERATOR is the first entry of the table.
  bool operador_de_tabla = false;
  EjemploQso ejemplo;
  std::span<const ModoEjemplo> modos_ejemplo;

  // ---- mail intake
  // The mail's subject is not compared with the one the rules ask for.
  bool asunto_libre = false;
  // The error report offers help to produce a correct Cabrillo file.
  bool ayuda_cabrillo = false;

  // ---- editor
  // A locator or letters in the exchange leave the scoring options alone.
  bool locator_sin_distancia = false;
  // Ticking "other" multipliers keeps the provinces.
  bool provincias_y_otros = false;

  // ---- award
  // The municipality award: its logs are merged per station into the
  // admitted list and counted against the award's levels, never listed as
  // valid; its folders, texts and intake are the award's.
  bool diploma = false;
};

// ------------------------------------------------------------ the profiles
// Each profile names only the rules it changes; every other field keeps its
// default.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace tablas {
inline constexpr std::string_view kCategoriasVge[] = {"VG-MONO-LP",  "VG-MONO-LP-PH", "VG-MONO-QRP", "VG-MONO-QRP-PH",
                                                      "VG-MULTI-LP", "VG-MULTI-QRP",  "GENERAL",     "CHECKLOG"};
inline constexpr std::string_view kCategoriasDie[] = {
    "ISLA-RESIDENTE", "ISLA-EXPEDICION", "FARO", "GENERAL-PENINSULAR", "GENERAL-NO-EA", "SWL", "CHECKLOG"};
// Printed in the spelling the station check accepts ("EXPEDITION"), so a
// participant who copies the table is not refused.
inline constexpr std::string_view kCategoriasDce[] = {"SINGLE-OP 40M SSB FIXED", "SINGLE-OP 40M SSB EXPEDITION",
                                                      "MULTI-OP 40M SSB EXPEDITION", "CHECKLOG"};
inline constexpr std::string_view kBasesSegovia[] = {"SINGLE-OP FIXED", "SINGLE-OP PORTABLE", "MULTI-OP PORTABLE",
                                                     "CHECKLOG"};
inline constexpr std::string_view kBasesUrs[] = {"SINGLE-OP ALL", "SINGLE-OP 80M", "SINGLE-OP 40M", "SINGLE-OP 20M",
                                                 "SINGLE-OP 15M", "SINGLE-OP 10M", "MULTI-OP ALL",  "CHECKLOG"};
inline constexpr std::string_view kBasesComarcas[] = {"ESTACION NO EA3", "ESTACION EA3"};
inline constexpr ModoEjemplo kModosNaranja[] = {{" PSK63", "PS"}, {" CW", "CW"}};
}  // namespace tablas

inline constexpr PerfilConcurso kVgeSprint{
    .nombre = "VGE SPRINT",
    .categorias = tablas::kCategoriasVge,
    .operador = ReglaOperador::SoloTabla,
    .clave = ReglaClave::OperadorEscrito,
    .modo_por_categoria = true,
    .letras = ReglaLetras::ReferenciaVg,
    .columnas_fijas = {57, 71, 75},
    .multiplicadores = ReglaMultiplicadores::Vge,
    .puntos = ReglaPuntos::CwTriple,
    .operador_de_tabla = true,
    .ejemplo = {.letras_enviadas = "VGMAxxx", .letras_recibidas = "0223"},
    .asunto_libre = true,
    .provincias_y_otros = true,
};

inline constexpr PerfilConcurso kConcursoDie{
    .nombre = "CONCURSO DIE",
    .categorias = tablas::kCategoriasDie,
    .categorias_con_guion = true,
    .nota_categoria = {4, " (De tierra firme EA, CT y C3)"},
    .operador = ReglaOperador::TablaYPais,
    .letras = ReglaLetras::Die,
    .columnas_fijas = {58, 72, 76},
    .multiplicadores = ReglaMultiplicadores::Die,
    .puntos = ReglaPuntos::Die,
    .operador_de_tabla = true,
    .ejemplo = {.letras_enviadas = "M-XXX", .letras_recibidas = "023"},
};

inline constexpr PerfilConcurso kSprintDce{
    .nombre = "SPRINT DCE 1.0",
    .categorias = tablas::kCategoriasDce,
    .letras = ReglaLetras::Dce,
    .puntos_en_intercambio = true,
    .alcance_puntos_intercambio = Alcance::Comienzo,
    .multiplicadores = ReglaMultiplicadores::Dce,
    .puntos = ReglaPuntos::DelLog,
    .expedicion_recibe_uno = true,
    .ejemplo = {.letras_enviadas = "-     ", .letras_recibidas = "CA-001 ", .puntos = "01"},
    .ayuda_cabrillo = true,
};

inline constexpr PerfilConcurso kComarcasCatalanas{
    .nombre = "COMARCAS CATALANAS",
    .estacion_especial = "QQ3VNL",
    .operador = ReglaOperador::SinOperador,
    .clave = ReglaClave::Ea3,
    .letras = ReglaLetras::SiglasOGuion,
    .disposicion = Disposicion::PorPais,
    .multiplicadores = ReglaMultiplicadores::Club,
    .km_doble_en_cw = true,
    .categorias_bases = tablas::kBasesComarcas,
    .locator_sin_distancia = true,
};

inline constexpr PerfilConcurso kLaPalma{
    .nombre = "LA PALMA ISLA BONITA HF",
    .estacion_especial = "QQ8KPW",
    .reescritura_operador = ReescrituraOperador::SoloChecklog,
    .clave = ReglaClave::Insular,
    .repeticion_estacion_especial = true,
};

inline constexpr PerfilConcurso kAniversarioZurozi{
    .nombre = "X ANIVERSARIO ZUROZI",
    .familia = "ANIVERSARIO ZUROZI",
    .estacion_especial = "QQ5MZT",
    .clave = ReglaClave::SociosDelClub,
    .puntos = ReglaPuntos::SociosDelClub,
    .alcance_puntos = Alcance::Dentro,
};

inline constexpr PerfilConcurso kSprintZuroziRtty{
    .nombre = "SPRINT ZUROZI RTTY",
    .multi_sin_potencia = true,
};

inline constexpr PerfilConcurso kDiplomaMunicipios{
    .nombre = "ZEDAZIV OZIRUDUZ UV ERAZUDOZO",
    .letras = ReglaLetras::Dme,
    .ejemplo = {.letras_enviadas = "28131", .letras_recibidas = "39020"},
    .diploma = true,
};

inline constexpr PerfilConcurso kUrsRtty{
    .nombre = "URS RTTY",
    .letras = ReglaLetras::UrsRtty,
    .puntos = ReglaPuntos::EspanolasRtty,
    .alcance_puntos = Alcance::Dentro,
    .clave_ea_o_dx = true,
    .categorias_bases = tablas::kBasesUrs,
    .titulo_categorias = "Categorías en FICHERO CABRILLO (Para estaciones EA y estaciones DX) :",
};

inline constexpr PerfilConcurso kXylTest{
    .nombre = "XYL TEST",
    .letras = ReglaLetras::OmYl,
    .clave_con_siglas = true,
};

inline constexpr PerfilConcurso kSprintAndalucia{
    .nombre = "SPRINT ANDALUCIA",
    .letras = ReglaLetras::Andalucia,
    .clave_seccion_o_club = true,
};

inline constexpr PerfilConcurso kCaminoSantiago{
    .nombre = "CAMINO DE SANTIAGO",
    .reescritura_operador = ReescrituraOperador::GeneralYGrupo,
    .disposicion = Disposicion::CaminoSantiago,
    .puntos = ReglaPuntos::Referencias,
    .alcance_puntos = Alcance::Dentro,
};

inline constexpr PerfilConcurso kNaranja{
    .nombre = "NARANJA",
    .alcance = Alcance::Dentro,
    .solo_ibericos = true,
    .letras = ReglaLetras::Iberica,
    .ejemplo = {.letras_recibidas = "CT1   ", .indicativo_trabajado = "CT1xxx"},
    .modos_ejemplo = tablas::kModosNaranja,
};

inline constexpr PerfilConcurso kA1aClub{
    .nombre = "A1A CLUB",
    .alcance = Alcance::Dentro,
    .letras = ReglaLetras::SiglasONumero,
    .multiplicadores = ReglaMultiplicadores::Distrito,
    .puntos = ReglaPuntos::NumeroCinco,
};

inline constexpr PerfilConcurso kPskTest{
    .nombre = "AT WW PSK TEST",
    .puntos = ReglaPuntos::Psk,
    .pais_por_prefijo = true,
};

inline constexpr PerfilConcurso kSegovia{
    .nombre = "SEGOVIA-QQ1TLM",
    .estacion_fija = true,
    .log_por_banda = true,
    .categorias_bases = tablas::kBasesSegovia,
};

#pragma GCC diagnostic pop

// Every profile. Where a contest's name is recognised by more than one
// profile (a family's text inside another's name), a rule is taken from
// the first of them in this order that sets it.
inline constexpr std::array<const PerfilConcurso*, 16> kPerfiles = {
    &kVgeSprint,         &kConcursoDie,    &kSprintDce, &kComarcasCatalanas, &kLaPalma,           &kSprintZuroziRtty,
    &kDiplomaMunicipios, &kCaminoSantiago, &kA1aClub,   &kUrsRtty,           &kAniversarioZurozi, &kXylTest,
    &kSprintAndalucia,   &kNaranja,        &kPskTest,   &kSegovia,
};

// ------------------------------------------------------------ the questions

// Whether the profile recognises the contest named `nombre`, as `alcance`
// says (`ComoElPerfil`: as the profile is recognised).
bool Reconoce(const PerfilConcurso& perfil, std::string_view nombre, Alcance alcance = Alcance::ComoElPerfil);

// The first profile that recognises the contest named `nombre`; nullptr for
// an ordinary contest.
const PerfilConcurso* PerfilDe(std::string_view nombre);

// Whether a profile that recognises `nombre` sets the flag.
bool Tiene(std::string_view nombre, bool PerfilConcurso::*regla);

// The rules with a value: that of the first profile recognising `nombre`
// that sets it (an ordinary contest: the first value of the enumeration).
ReglaOperador OperadorDe(std::string_view nombre);
ReescrituraOperador ReescrituraOperadorDe(std::string_view nombre);
ReglaClave ClaveDe(std::string_view nombre);
ReglaLetras LetrasDe(std::string_view nombre);
ReglaMultiplicadores MultiplicadoresDe(std::string_view nombre);
// The points rule, each profile's rule recognised as `alcance_puntos` says.
ReglaPuntos PuntosDe(std::string_view nombre);
// Whether a profile with that points rule recognises `nombre` for its points
// (another profile's rule may come first in PuntosDe).
bool AplicaPuntos(std::string_view nombre, ReglaPuntos regla);
// The contest's own station; empty for an ordinary contest.
std::string_view EstacionEspecialDe(std::string_view nombre);
// The fixed category table and its remark; empty for an ordinary contest.
std::span<const std::string_view> CategoriasDe(std::string_view nombre);
NotaCategoria NotaCategoriaDe(std::string_view nombre);
// The fixed received columns; all 0 for an ordinary contest.
ColumnasFijas ColumnasFijasDe(std::string_view nombre);
// The fixed category lines of the contest-rules text, and their heading.
std::span<const std::string_view> CategoriasBasesDe(std::string_view nombre);
std::string_view TituloCategoriasDe(std::string_view nombre);
// The model QSO line's samples: each field from the first profile that sets it.
EjemploQso EjemploDe(std::string_view nombre);
// The mode of the model QSO line: of the profiles with `modos_ejemplo`, the
// last suffix whose text (the profile's followed by it) the name holds;
// empty: the rules' own.
std::string_view ModoEjemploDe(std::string_view nombre);
// Whether the editor lays out the points of a contest of that name.
bool PuntosEnIntercambioAlGuardar(std::string_view nombre);

// How the QSO lines of a log are split. `CaminoSantiago` is told by the
// log's CONTEST line (`linea_contest`, the whole header line) holding the
// profile's name; every other layout by the contest's name.
Disposicion DisposicionDe(std::string_view nombre);
Disposicion DisposicionDeLog(std::string_view nombre, std::string_view linea_contest);

// The rules the work of each QSO reads (its points, its multipliers, its
// cross-check), taken from the profiles once for a run: the per-QSO code
// reads these fields and never searches the profiles by the name.
struct ReglasQso {
  ReglaPuntos puntos = ReglaPuntos::Ninguna;  // PuntosDe
  bool puntos_espanolas_rtty = false;         // AplicaPuntos(nombre, EspanolasRtty)
  bool puntos_socios_del_club = false;        // AplicaPuntos(nombre, SociosDelClub)
  bool km_doble_en_cw = false;
  ReglaMultiplicadores multiplicadores = ReglaMultiplicadores::Ninguna;
  bool log_por_banda = false;
  bool repeticion_estacion_especial = false;
};
ReglasQso ReglasQsoDe(std::string_view nombre);

// The award: whether the contest named `nombre` is it, and its name.
bool EsDiploma(std::string_view nombre);
std::string_view NombreDiploma();

}  // namespace concursos
