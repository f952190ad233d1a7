#pragma once
// Contest rules that several subsystems share, tied to the contest database
// layout:
// band folding and band/mode permissions, the date and time formats of the
// contest editor, the exchange tokens of a QSO line and their column
// positions, and the mail subject pattern.
#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace reglas {

// ------------------------------------------------------------------ bands

// Band value of a QSO from its frequency field: "1.2G" is read as "1.2"; a
// number of kHz inside one of the ranges (lower bound included, upper
// excluded) becomes the range's value ("1800", "3500", "7000", "10000",
// "14000", "18000", "21000", "24000", "27500", "28000"); any other text is
// kept as written ("50", "144", "432", "1.2", "14500", ...).
std::string PliegaBanda(std::string_view frecuencia);
// The same value as a view, for a check that reads every QSO line: into a
// static table, or into `frecuencia` itself when it is kept as written.
std::string_view PliegaBandaVista(std::string_view frecuencia);

// Which column admits a band value (already folded; "1.2G" is accepted as
// well).
struct PermisoBanda {
  enum class Tabla { Ninguna, Concursos, ResumenCabrillo };
  Tabla tabla = Tabla::Ninguna;
  std::string_view columna;  // e.g. "Banda14", or "M222" of ResumenCabrillo
  int casilla = -1;          // Concursos: band box 0..13 (ordinal 27 + casilla)
};
PermisoBanda ColumnaDeBanda(std::string_view banda);

// The 14 band boxes of the contest editor, index = box = ordinal - 27.
struct BandaConcurso {
  std::string_view columna;  // "Banda1'8"
  std::string_view titulo;   // caption "1.8"
  std::string_view valor;    // band value of a QSO, "1800"
};
std::span<const BandaConcurso> BandasConcurso();

// ------------------------------------------------------------------ modes

// The 12 mode boxes of the contest editor, index = box = ordinal - 41.
inline constexpr std::array<std::string_view, 12> kColumnasModo = {"ModoAM",    "ModoCW",    "ModoUSB",   "ModoLSB",
                                                                   "ModoSSB",   "ModoFM",    "ModoRTTY",  "ModoPACKET",
                                                                   "ModoUSER1", "ModoUSER2", "ModoUSER3", "ModoUSER4"};

// Mode boxes (indexes 0..11) any one of which admits a QSO mode token:
// "CW" CW; "FM" FM; "PS" PACKET; "PH" AM, SSB, LSB or USB; "RY" RTTY or
// PACKET. Empty for any other token (USER1..4 admit none).
std::vector<int> ModosQueAdmiten(std::string_view token);
// A QSO mode token is admitted when one of its boxes is ticked (a reader
// that compares the stored columns with False passes a Null column as
// ticked).
bool ModoQsoAdmitido(std::string_view token, const std::array<bool, 12>& modos);
// A mode of a special-station row: "*" always; "PH" with AM, USB, LSB or
// SSB; "CW" with CW; "FM" with FM; "PS" with RTTY or PACKET.
bool ModoEspecialAdmitido(std::string_view modo, const std::array<bool, 12>& modos);

// ------------------------------------------------------- dates and times

inline constexpr std::string_view kMensajeFecha = ".- ERROR en FORMATO fecha";
inline constexpr std::string_view kTituloFecha = "VERIFICAR FORMATO FECHA ";
inline constexpr std::string_view kMensajeHora =
    ".- ERROR en formato de la hora.- Formato admitido: hh:mm. Hora igual o menor que 23 y "
    "minutos igual o menor que 59";
inline constexpr std::string_view kTituloHora = "VERIFICAR HORA";

// Date typed as two characters of day, an optional "-" or "/", two of
// month, an optional "-" or "/", four of year. On success the text is
// rewritten as "dd-mm-yyyy" and true is returned; a text that is not such a
// valid date returns false (show kMensajeFecha / kTituloFecha) and is left
// unchanged.
bool VerificaFormatoFecha(std::string& campo);

enum class ResultadoHora {
  Correcta,       // rewritten as "hh:mm"
  ErrorConAviso,  // show kMensajeHora / kTituloHora
  ErrorSinAviso,  // five characters whose third is not ":": no message
};
// Time typed as "hh:mm", "hhmm" or a single digit h (read as "0h:00", so
// "0" is "00:00"); hours 0-23, minutes 0-59. Anything else fails and the
// text is left unchanged.
ResultadoHora VerificaFormatoHora(std::string& hora);

// The repeat interval: "24" stands for a whole day and is kept as "23:59";
// the result must then pass VerificaFormatoHora.
std::string HorasRepeticion(std::string_view texto);

// -------------------------------------------------- QSO line exchange

// Exchange elements of one side of a QSO line.
struct ElementosIntercambio {
  bool rst = false;
  bool numeral = false;
  bool letras = false;
  bool puntos = false;
  bool locator = false;
};
// The exchange of a contest's Cabrillo profile.
struct PerfilIntercambio {
  ElementosIntercambio enviado;
  ElementosIntercambio recibido;
};

// The tokens of a QSO line after "QSO:".
enum class TokenQso {
  Frecuencia,
  Modo,
  Fecha,
  Hora,
  MiIndicativo,
  MiRst,
  MiNumero,
  MisLetras,
  MisPuntos,
  MiLocator,
  SuIndicativo,
  SuRst,
  SuNumero,
  SusLetras,
  SusPuntos,
  SuLocator,
};
inline constexpr int kNumTokensQso = 16;

// Token order by the profile: frequency, mode, date, time, own call, the
// sent elements present in the order RST, serial, letters, points,
// locator, the worked call, then the received elements in the same order.
std::vector<TokenQso> OrdenTokensQso(const PerfilIntercambio& perfil);
// Layout `concursos::Disposicion::CaminoSantiago` (told by the log's
// CONTEST line): with a SERVER-OP category the sent exchange is
// RST and letters and the received one RST; otherwise no exchange tokens.
std::vector<TokenQso> OrdenTokensCaminoSantiago(bool serverOp);

// The tokens of one QSO line, by TokenQso; a token the line lacks is empty.
struct TokensQso {
  std::array<std::string, kNumTokensQso> valor;
  const std::string& operator[](TokenQso t) const { return valor[static_cast<int>(t)]; }
  std::string& operator[](TokenQso t) { return valor[static_cast<int>(t)]; }
};
// Splits a QSO line's text after "QSO:" at blanks and tabs.
std::vector<std::string> PartesLineaQso(std::string_view lineaTrasQso);
// Assigns the parts in the given token order; missing parts stay empty and
// extra parts are ignored.
TokensQso AsignaTokens(const std::vector<std::string>& partes, const std::vector<TokenQso>& orden);
// Layout `concursos::Disposicion::PorPais`: each side is RST, then, for a station of
// a country like "EA*", letters and locator; otherwise one token t: "-"
// gives letters "-" and the next token is the locator; anything else is
// the locator, letters "-". esEaPropio is asked about the own-call token,
// esEaTrabajado about the worked-call token.
TokensQso AsignaTokensComarcas(const std::vector<std::string>& partes,
                               const std::function<bool(std::string_view)>& esEaPropio,
                               const std::function<bool(std::string_view)>& esEaTrabajado);

// ---------------------------------------------- column positions in a line

// Positions (columns counted from 1 at "QSO:") of the elements of a model
// QSO line; 0 for an element that is not present. misPuntos and susPuntos
// are written only for the points layout (-1: no value).
struct PosicionesQso {
  int miIndicativo = 0, miRst = 0, miNumero = 0, misLetras = 0, miLocator = 0;
  int suIndicativo = 0, suRst = 0, suNumero = 0, susLetras = 0, suLocator = 0;
  int misPuntos = -1, susPuntos = -1;
  bool operator==(const PosicionesQso&) const = default;
};
// The chain: own call at 31; each present sent element (RST, serial,
// letters, locator) starts 14 after a call, 4 after an RST, 5 after a
// serial number, 7 after letters; the worked call follows the last sent
// element (7 after a locator) and the received side repeats the chain from
// it. The points elements play no part.
PosicionesQso CalculaPosiciones(const PerfilIntercambio& perfil);
// Fixed layouts, by the contest's profile (`ColumnasFijas`,
// database/concursos_especiales.h): both serial-number elements dropped and
// the worked call, received RST and received letters at the profile's
// columns. Returns false (nothing changed) for a contest without them.
bool AplicaDisposicionFija(std::string_view concurso, PerfilIntercambio& perfil, PosicionesQso& posiciones);
// Saving a profile of a contest whose exchange carries points
// (`concursos::PuntosEnIntercambioAlGuardar`): both points flags become true
// and the layout is letters 49, points 57, worked call 60, received RST 74,
// letters 78, points 86. False for other names.
bool AplicaDisposicionPuntos(std::string_view concurso, PerfilIntercambio& perfil, PosicionesQso& posiciones);

// ------------------------------------------------------- mail subject

// The subject pattern with its first "$" replaced by the callsign (further
// "$" are literal).
std::string SustituyeIndicativo(std::string_view patron, std::string_view indicativo);
// A mail subject matches the pattern for a callsign when, trimmed of
// blanks, it equals the pattern with the callsign put in, without regard to
// letter case. An empty subject never matches.
bool AsuntoCoincide(std::string_view patron, std::string_view indicativo, std::string_view asunto);

}  // namespace reglas
