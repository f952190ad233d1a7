#pragma once
// The points of one QSO: a contest's own rule (by the contest's name), the
// points by distance between the two locators, the list of special
// stations, or the points by country, continent and band that the contest
// record holds (CalculaPuntosQso). The result is a text in
// `DatosQso.PuntosRecibidos`; when no rule gives points, the field keeps
// the value the QSO line carried (the received points token) or empty.
//
// Contest names are compared whole and with letter case; a name "contains"
// a text when the text is anywhere in it.
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "database/concursos_especiales.h"
#include "scoring/multiplicadores.h"
#include "scoring/puntos_especiales.h"
#include "scoring/puntuacion_datos.h"

class TablasPaises;

namespace dao {
class Database;
}

namespace scoring {

// The club station of `ReglaPuntos::SociosDelClub`.
inline constexpr std::string_view kEstacionZurozi = concursos::kAniversarioZurozi.estacion_especial;

// The nine HF bands that have point fields, in the order of the fields.
inline constexpr std::array<std::string_view, 9> kBandasConPuntos = {"1800",  "3500",  "7000",  "10000", "14000",
                                                                     "18000", "21000", "24000", "28000"};

// What the points read of the contest record (`Concursos`).
struct ConfiguracionPuntos {
  std::string NombreConcurso;       // `Concurso`
  bool RecibirPuntosPorKM = false;  // "1 PUNTO por KM"
  bool RecibirPuntos = false;       // "PUNTOS por QSO"
  std::string PuntosMismoPais;
  // `MismoContinente1-8` .. `MismoContinente28` and the same of
  // `DistintoContinente`, in the order of kBandasConPuntos.
  std::array<std::string, 9> MismoContinente;
  std::array<std::string, 9> DistintoContinente;
  // The band permissions of the score file, in the order of its band table:
  // `Banda1'8`, `Banda3'5`, `Banda7`, `Banda10`, `Banda14`, `Banda18`,
  // `Banda21`, `Banda24`, `BandaUSER`, `Banda28`, `Banda50`, `Banda144`,
  // `Banda432`, `Banda1296`.
  std::array<bool, 14> BandasPermitidas{};
};

// Reads the contest's row of `Concursos` (columns by name, letter case
// ignored; a Boolean counts only when it holds True, a text that holds no
// value reads empty). False when there is no such row.
bool LeeConfiguracionPuntos(dao::Database& base, std::int32_t numero_orden, ConfiguracionPuntos& config);

// Distance in kilometres between the sent and the received locator; 0 when
// either is empty or not a locator.
using DistanciaLocators = std::function<float(const std::string& enviado, const std::string& recibido)>;
float DistanciaEntreLocators(const std::string& enviado, const std::string& recibido);

// What the points need beside the QSO, the participant and the earlier QSOs.
// The contest's rules are taken from its profile when the context is made.
struct ContextoPuntos {
  ContextoPuntos(const ConfiguracionPuntos& config_, const EstacionesEspeciales& especiales_,
                 const TablasPaises& paises_, std::span<const std::string> socios_zurozi_,
                 DistanciaLocators distancia_ = DistanciaEntreLocators)
      : config(config_),
        especiales(especiales_),
        paises(paises_),
        socios_zurozi(socios_zurozi_),
        distancia(std::move(distancia_)),
        reglas(concursos::ReglasQsoDe(config_.NombreConcurso)) {}

  const ConfiguracionPuntos& config;
  const EstacionesEspeciales& especiales;
  const TablasPaises& paises;
  std::span<const std::string> socios_zurozi;  // members of the ZUROZI club
  DistanciaLocators distancia = DistanciaEntreLocators;
  concursos::ReglasQso reglas;  // of config.NombreConcurso
};

// A number written as the points are written: a whole number without
// fraction, otherwise up to seven significant digits ("123.5", "247").
std::string TextoPuntos(double valor);
// The value of a points text: a number as written, or 0 for an empty text
// or one that is not a number.
double ValorPuntos(std::string_view texto);

// The contest rules. Each writes the points into qso.PuntosRecibidos.
// `ReglaPuntos::Psk`: the entry value (empty is 0) plus 1, 2 for a worked
// "AT" call, 3 for an "AT" call numbered 30, 34, 49 or 106; plus nothing
// from an own "AT" call so numbered.
void CalculaPuntosPskTest(DatosQso& qso);
// `ReglaPuntos::Referencias`: "1" for the first QSO with a listed reference (the
// received letters without their first "-"), otherwise "0".
void CalculaPuntosCamino(DatosQso& qso, const QsosAnteriores& anteriores, const EstacionesEspeciales& especiales);
// `ReglaPuntos::EspanolasRtty` (a profile with it recognises the name for
// its points): 2 (Spanish both), 1 (Spanish working foreign, or foreign
// both), 3 (foreign working Spanish); False for another contest.
bool CalculaPuntosRtty(DatosQso& qso, std::string_view nombre_concurso);
bool CalculaPuntosRtty(DatosQso& qso, const concursos::ReglasQso& reglas);
// `ReglaPuntos::SociosDelClub` (a profile with it recognises the name for
// its points): 10 the club station, 5 a member, 4 another Spanish station,
// 3 any other; False for another contest.
bool CalculaPuntosAniversario(DatosQso& qso, std::string_view nombre_concurso, std::span<const std::string> socios);
bool CalculaPuntosAniversario(DatosQso& qso, const concursos::ReglasQso& reglas,
                              std::span<const std::string> socios);
// `ReglaPuntos::Die`: adds 3 for a Spanish prefix new on the band, 5 for a "D"
// or "E" reference with a number of four or more characters, otherwise 8
// for letters with a three-character number; 0 becomes 1.
void CalculaPuntosReferencia(DatosQso& qso, const QsosAnteriores& anteriores);

// The points of the QSO: the first of these that applies decides (the
// rules by the contest's profile, `concursos::PuntosDe`).
//  1. `Psk`: its rule.
//  2. `RecibirPuntosPorKM`: the distance (twice it for a CW QSO of a
//     contest with `km_doble_en_cw`).
//  3. `DelLog`: the entry value stays.
//  4. `CwTriple`: 3 in CW, otherwise 1.
//  5. `Referencias`: its rule.
//  6. `NumeroCinco`: 5 for numeric received letters, otherwise 1.
//  7. `EspanolasRtty`, 8. `SociosDelClub`: their rules.
//  9. `RecibirPuntos` off: the entry value stays.
// 10. `Die`: the special stations, then its reference rule.
// 11. The special stations, when they give points.
// 12. The participant's own country: `PuntosMismoPais`, or the entry value
//     when that is empty.
// 13. Another country: the band's same-continent or other-continent field;
//     "0" for a band without fields or an empty field.
void CalculaPuntosQso(DatosQso& qso, const DatosConcursante& concursante, const QsosAnteriores& anteriores,
                      const ContextoPuntos& c);

}  // namespace scoring
