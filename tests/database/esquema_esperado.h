#pragma once
// The full layout of a contest database, written out by hand column by
// column: "Name:Type" with Type B (Boolean), I (Integer), L (Long),
// D (Date), T<size> (Text that accepts the empty text) or t<size> (Text
// that does not). Independent of the layout lists of the code on purpose.
#include <string>
#include <string_view>
#include <vector>

namespace esperado {

struct TablaEsperada {
  std::string_view nombre;
  std::string_view columnas;  // "Name:Type" separated by blanks
};

// Concursos: 129 columns as created, then the 11 appended at start-up.
inline constexpr std::string_view kConcursos =
    // 0-6
    "NumeroOrden:L Concurso:T64 Edicion:T4 DesdeDia:D DesdeHora:T5 HastaDia:D HastaHora:T5 "
    // 7-15
    "MismoContinente1-8:T2 MismoContinente3-5:T2 MismoContinente7:T2 MismoContinente10:T2 "
    "MismoContinente14:T2 MismoContinente18:T2 MismoContinente21:T2 MismoContinente24:T2 "
    "MismoContinente28:T2 "
    // 16-24
    "DistintoContinente1-8:T2 DistintoContinente3-5:T2 DistintoContinente7:T2 "
    "DistintoContinente10:T2 DistintoContinente14:T2 DistintoContinente18:T2 "
    "DistintoContinente21:T2 DistintoContinente24:T2 DistintoContinente28:T2 "
    // 25-26
    "PuntosMismoPais:T2 RepetirHoras:T5 "
    // 27-40
    "Banda1'8:B Banda3'5:B Banda7:B Banda10:B Banda14:B Banda18:B Banda21:B Banda24:B "
    "Banda28:B Banda50:B Banda144:B Banda432:B Banda1296:B BandaUser:B "
    // 41-52
    "ModoAM:B ModoCW:B ModoUSB:B ModoLSB:B ModoSSB:B ModoFM:B ModoRTTY:B ModoPACKET:B "
    "ModoUSER1:B ModoUSER2:B ModoUSER3:B ModoUSER4:B "
    // 53-60
    "EnviarNumeral:B EnviarLocator:B EnviarSiglas:B RecibirNumeral:B RecibirLocator:B "
    "RecibirSiglas:B RecibirPuntos:B RecibirPuntosPorKm:B "
    // 61-64
    "NoRepetir:B RepetirEstacion:B RepetirEnCadaBanda:B RepetirCadaHoras:B "
    // 65-68
    "Multiplicadores:B CadaBanda:B CadaDia:B CadaModo:B "
    // 69-76
    "CadaCuadricula:B CuadriculaPorBanda:B CuadriculaPorDia:B CuadriculaPorModo:B "
    "CadaEstacion:B EstacionPorBanda:B EstacionPorDia:B EstacionPorModo:B "
    // 77-86
    "CadaPais:B PaisPorBanda:B PaisPorDia:B PaisPorModo:B ExcluirPais:B "
    "CadaPrefijo:B PrefijoPorBanda:B PrefijoPorDia:B PrefijoPorModo:B ExcluirPrefijo:B "
    // 87-96
    "CadaProv:B ProvPorBanda:B ProvPorDia:B ProvPorModo:B ExcluirProv:B "
    "CadaDistrito:B DistritoPorBanda:B DistritoPorDia:B DistritoPorModo:B ExcluirDistrito:B "
    // 97-106
    "CadaCq:B CqPorBanda:B CqPorDia:B CqPorModo:B ExcluirCq:B "
    "CadaSufijo:B SufijoPorBanda:B SufijoPorDia:B SufijoPorModo:B ExcluirSufijo:B "
    // 107-115
    "Otros:B OtrosPorBanda:B OtrosPorDia:B OtrosPorModo:B "
    "PrimerNumero:B PrimeraLetra:B SegundaLetra:B TerceraLetra:B UltimaLetra:B "
    // 116-123
    "RepetirEnCadaModo:B AnularQSO:B AnularDos:B AnularCinco:B AnularDiez:B AnularQuince:B "
    "AnularPorBandaDistinta:B AnularPorFecha:B "
    // 124-128
    "ExcluirMismaProv:B ExcluirMismoDist:B ExcluirMismoPais:B ExcluirMismoPrefijo:B "
    "ExcluirMismaZonaCQ:B "
    // appended 129-139
    "AnularPorFechaDistinta:B AnularPorModoDistinto:B AnularPorNoExistir:B "
    "AnularPorControlesDistintos:B AnularPorRSTDistinto:B AnularQSOSiNoEstaEN:B "
    "NumeroListas:T2 EMailReclamaciones:T64 WEBConcurso:T64 AnularPorPortableDistinto:B "
    "SiglasONumeral:B";

// ResumenCabrillo: 79 columns as created, then the 4 appended.
inline constexpr std::string_view kResumenCabrillo =
    "NumeroOrden:L "
    "SingleOp:B MultiOp:B ServerOp:B CheckLog:B "
    "BandaNoAplicable:B ALL:B M160:B M80:B M40:B M30:B M20:B M15:B M16:B M12:B M10:B M6:B "
    "M2:B M222:B M432:B M902:B G12:B "
    "ModoNoAplicable:B SSB:B CW:B FM:B RTTY:B MIXED:B "
    "PotenciaNoAplicable:B High:B Low:B Qrp:B "
    "AsistidoNoAplicable:B NonAssisted:B Assisted:B "
    "TxNoAplicable:B One:B Two:B Limited:B UnLimited:B Swl:B "
    "TipoEstacionNoAplicable:B Fixed:B Mobile:B Portable:B HillTopper:B Rover:B Expedition:B "
    "Hq:B School:B "
    "TimeNoAplicable:B Hours6:B Hours12:B Hours24:B "
    "OverlayNoAplicable:B Rookie:B TbWires:B NoviceTech:B Over50:B "
    "RstEnviado:B NumeralEnviado:B LetrasEnviadas:B LocatorEnviado:B "
    "RstRecibido:B NumeralRecibido:B LetrasRecibidas:B LocatorRecibido:B "
    "MiIndicativo:I MiRst:I MiNumero:I MisLetras:I MiLocator:I "
    "SuIndicativo:I SuRst:I SuNumero:I SusLetras:I Sulocator:I "
    "EMailConcurso:T64 AsuntoConcurso:T64 "
    "PuntosRecibidos:B PuntosEnviados:B MisPuntos:I SusPuntos:I";

// HoraQso has no size in the layout; this database gives it 5.
inline constexpr std::string_view kListaQso =
    "NumeroQso:L FechaQso:D HoraQso:T5 Banda:T5 Modo:T5 RsEnviado:T5 Concursante:T16 "
    "LiteralEnviado:T32 NumeralEnviado:T4 QraLocatorEnviado:T6 RsRecibido:T5 Indicativo:T16 "
    "NumeralRecibido:T4 LiteralRecibido:T32 QraLocatorRecibido:T6 Dxcc:T5 "
    "DxccEstacionBase:T5 Waz:T5 WazEstacionBase:T5 Continente:T5 ContinenteEstacionBase:T5 "
    "PuntosRecibidos:L PuntosPorQso:L Multiplicador:L MultPais:T5 MultPrefijo:T5 "
    "MultDistrito:T5 MultProv:T5 MultBanda:T5 MultSufijo:T5 MultModo:T5 MultLoc:T5 "
    "Duplicado:T1";

inline constexpr std::string_view kClasificaciones = "Concursante:T24 Categoria:T32 Puntos:L";
inline constexpr std::string_view kControlConcursos = "UltimoConcurso:L ConcursoActivo:L";

// Reference lists; the sizes of the first six tables are this database's
// choice.
inline constexpr std::string_view kListaProv = "NumeroOrden:L CodigoProv:T6 ProvExcluida:B";
inline constexpr std::string_view kListaDistritos =
    "NumeroOrden:L CodigoDistrito:T6 DistritoExcluido:B";
inline constexpr std::string_view kListaPaises = "NumeroOrden:L DxccExcluido:T10";
inline constexpr std::string_view kListaPrefijos = "NumeroOrden:L PrefijoExcluido:T6";
inline constexpr std::string_view kListaCq = "NumeroOrden:L CqExcluido:T6";
inline constexpr std::string_view kListaMultEspeciales = "NumeroOrden:L MultEstacion:T12";
inline constexpr std::string_view kListaEspeciales =
    "NumeroOrden:L Estacion:T12 Prefijo:T6 Distrito:T6 Provincia:T6 Banda:T4 Puntos:L "
    "PuntosRef:T2 Modo:t6";
inline constexpr std::string_view kMultEspeciales =
    "NumeroOrden:L Estacion:T10 Pais:T10 Distrito:T6 Prefijo:T6 Provincia:T6 ZonaCQ:T6 "
    "OtrasSiglas:T6 Puntos:L";

inline const std::vector<TablaEsperada>& Tablas() {
  static const std::vector<TablaEsperada> t = {
      {"Concursos", kConcursos},
      {"ResumenCabrillo", kResumenCabrillo},
      {"ListaQso", kListaQso},
      {"Clasificaciones", kClasificaciones},
      {"ControlConcursos", kControlConcursos},
      {"ListaProv", kListaProv},
      {"ListaDistritos", kListaDistritos},
      {"ListaPaises", kListaPaises},
      {"ListaPrefijos", kListaPrefijos},
      {"ListaCq", kListaCq},
      {"ListaMultEspeciales", kListaMultEspeciales},
      {"ListaEspeciales", kListaEspeciales},
      {"MultEspeciales", kMultEspeciales},
  };
  return t;
}

// "Name:Type" entries of a table, in order.
inline std::vector<std::string> Entradas(std::string_view columnas) {
  std::vector<std::string> r;
  std::size_t i = 0;
  while (i < columnas.size()) {
    std::size_t fin = columnas.find(' ', i);
    if (fin == std::string_view::npos) fin = columnas.size();
    if (fin > i) r.emplace_back(columnas.substr(i, fin - i));
    i = fin + 1;
  }
  return r;
}

}  // namespace esperado
