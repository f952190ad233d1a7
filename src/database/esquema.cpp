#include "database/esquema.h"

#include <iterator>

namespace database {
namespace {

using T = TipoColumna;

constexpr Columna Largo(std::string_view n) { return {n, T::Largo, 0, false}; }
constexpr Columna Entero(std::string_view n) { return {n, T::Entero, 0, false}; }
constexpr Columna Bool(std::string_view n) { return {n, T::Booleano, 0, false}; }
constexpr Columna Fecha(std::string_view n) { return {n, T::Fecha, 0, false}; }
// Text that accepts the empty text (every Text column the system creates).
constexpr Columna Texto(std::string_view n, int tamano) { return {n, T::Texto, tamano, true}; }

// Concursos as created: ordinals 0 to 128. Ordinals 0 to 52 are bound to the
// editor by position and must never move.
constexpr Columna kColConcursos[] = {
    // 0 to 6: identity and period
    Largo("NumeroOrden"), Texto("Concurso", 64), Texto("Edicion", 4), Fecha("DesdeDia"),
    Texto("DesdeHora", 5), Fecha("HastaDia"), Texto("HastaHora", 5),
    // 7 to 15: points, same continent
    Texto("MismoContinente1-8", 2), Texto("MismoContinente3-5", 2), Texto("MismoContinente7", 2),
    Texto("MismoContinente10", 2), Texto("MismoContinente14", 2), Texto("MismoContinente18", 2),
    Texto("MismoContinente21", 2), Texto("MismoContinente24", 2), Texto("MismoContinente28", 2),
    // 16 to 24: points, other continent
    Texto("DistintoContinente1-8", 2), Texto("DistintoContinente3-5", 2),
    Texto("DistintoContinente7", 2), Texto("DistintoContinente10", 2),
    Texto("DistintoContinente14", 2), Texto("DistintoContinente18", 2),
    Texto("DistintoContinente21", 2), Texto("DistintoContinente24", 2),
    Texto("DistintoContinente28", 2),
    // 25, 26
    Texto("PuntosMismoPais", 2), Texto("RepetirHoras", 5),
    // 27 to 40: bands
    Bool("Banda1'8"), Bool("Banda3'5"), Bool("Banda7"), Bool("Banda10"), Bool("Banda14"),
    Bool("Banda18"), Bool("Banda21"), Bool("Banda24"), Bool("Banda28"), Bool("Banda50"),
    Bool("Banda144"), Bool("Banda432"), Bool("Banda1296"), Bool("BandaUser"),
    // 41 to 52: modes
    Bool("ModoAM"), Bool("ModoCW"), Bool("ModoUSB"), Bool("ModoLSB"), Bool("ModoSSB"),
    Bool("ModoFM"), Bool("ModoRTTY"), Bool("ModoPACKET"), Bool("ModoUSER1"), Bool("ModoUSER2"),
    Bool("ModoUSER3"), Bool("ModoUSER4"),
    // 53 to 60: exchange
    Bool("EnviarNumeral"), Bool("EnviarLocator"), Bool("EnviarSiglas"), Bool("RecibirNumeral"),
    Bool("RecibirLocator"), Bool("RecibirSiglas"), Bool("RecibirPuntos"),
    Bool("RecibirPuntosPorKm"),
    // 61 to 64: repetition
    Bool("NoRepetir"), Bool("RepetirEstacion"), Bool("RepetirEnCadaBanda"),
    Bool("RepetirCadaHoras"),
    // 65 to 115: multipliers
    Bool("Multiplicadores"), Bool("CadaBanda"), Bool("CadaDia"), Bool("CadaModo"),
    Bool("CadaCuadricula"), Bool("CuadriculaPorBanda"), Bool("CuadriculaPorDia"),
    Bool("CuadriculaPorModo"), Bool("CadaEstacion"), Bool("EstacionPorBanda"),
    Bool("EstacionPorDia"), Bool("EstacionPorModo"), Bool("CadaPais"), Bool("PaisPorBanda"),
    Bool("PaisPorDia"), Bool("PaisPorModo"), Bool("ExcluirPais"), Bool("CadaPrefijo"),
    Bool("PrefijoPorBanda"), Bool("PrefijoPorDia"), Bool("PrefijoPorModo"),
    Bool("ExcluirPrefijo"), Bool("CadaProv"), Bool("ProvPorBanda"), Bool("ProvPorDia"),
    Bool("ProvPorModo"), Bool("ExcluirProv"), Bool("CadaDistrito"), Bool("DistritoPorBanda"),
    Bool("DistritoPorDia"), Bool("DistritoPorModo"), Bool("ExcluirDistrito"), Bool("CadaCq"),
    Bool("CqPorBanda"), Bool("CqPorDia"), Bool("CqPorModo"), Bool("ExcluirCq"),
    Bool("CadaSufijo"), Bool("SufijoPorBanda"), Bool("SufijoPorDia"), Bool("SufijoPorModo"),
    Bool("ExcluirSufijo"), Bool("Otros"), Bool("OtrosPorBanda"), Bool("OtrosPorDia"),
    Bool("OtrosPorModo"), Bool("PrimerNumero"), Bool("PrimeraLetra"), Bool("SegundaLetra"),
    Bool("TerceraLetra"), Bool("UltimaLetra"),
    // 116: repetition in each mode
    Bool("RepetirEnCadaModo"),
    // 117 to 123: annulment
    Bool("AnularQSO"), Bool("AnularDos"), Bool("AnularCinco"), Bool("AnularDiez"),
    Bool("AnularQuince"), Bool("AnularPorBandaDistinta"), Bool("AnularPorFecha"),
    // 124 to 128: exclude own
    Bool("ExcluirMismaProv"), Bool("ExcluirMismoDist"), Bool("ExcluirMismoPais"),
    Bool("ExcluirMismoPrefijo"), Bool("ExcluirMismaZonaCQ"),
};
static_assert(std::size(kColConcursos) == 129);

// ResumenCabrillo as created: ordinals 0 to 78. Five category groups are read
// by ordinal, so the order is part of the format.
constexpr Columna kColResumen[] = {
    Largo("NumeroOrden"),
    // 1 to 4: operator
    Bool("SingleOp"), Bool("MultiOp"), Bool("ServerOp"), Bool("CheckLog"),
    // 5 to 21: band
    Bool("BandaNoAplicable"), Bool("ALL"), Bool("M160"), Bool("M80"), Bool("M40"), Bool("M30"),
    Bool("M20"), Bool("M15"), Bool("M16"), Bool("M12"), Bool("M10"), Bool("M6"), Bool("M2"),
    Bool("M222"), Bool("M432"), Bool("M902"), Bool("G12"),
    // 22 to 27: mode
    Bool("ModoNoAplicable"), Bool("SSB"), Bool("CW"), Bool("FM"), Bool("RTTY"), Bool("MIXED"),
    // 28 to 31: power
    Bool("PotenciaNoAplicable"), Bool("High"), Bool("Low"), Bool("Qrp"),
    // 32 to 34: assisted
    Bool("AsistidoNoAplicable"), Bool("NonAssisted"), Bool("Assisted"),
    // 35 to 40: transmitter
    Bool("TxNoAplicable"), Bool("One"), Bool("Two"), Bool("Limited"), Bool("UnLimited"),
    Bool("Swl"),
    // 41 to 49: station
    Bool("TipoEstacionNoAplicable"), Bool("Fixed"), Bool("Mobile"), Bool("Portable"),
    Bool("HillTopper"), Bool("Rover"), Bool("Expedition"), Bool("Hq"), Bool("School"),
    // 50 to 53: time
    Bool("TimeNoAplicable"), Bool("Hours6"), Bool("Hours12"), Bool("Hours24"),
    // 54 to 58: overlay
    Bool("OverlayNoAplicable"), Bool("Rookie"), Bool("TbWires"), Bool("NoviceTech"),
    Bool("Over50"),
    // 59 to 66: exchange elements
    Bool("RstEnviado"), Bool("NumeralEnviado"), Bool("LetrasEnviadas"), Bool("LocatorEnviado"),
    Bool("RstRecibido"), Bool("NumeralRecibido"), Bool("LetrasRecibidas"),
    Bool("LocatorRecibido"),
    // 67 to 76: positions in a QSO line
    Entero("MiIndicativo"), Entero("MiRst"), Entero("MiNumero"), Entero("MisLetras"),
    Entero("MiLocator"), Entero("SuIndicativo"), Entero("SuRst"), Entero("SuNumero"),
    Entero("SusLetras"), Entero("Sulocator"),
    // 77, 78: mailbox and subject
    Texto("EMailConcurso", 64), Texto("AsuntoConcurso", 64),
};
static_assert(std::size(kColResumen) == 79);

// HoraQso is never written; it gets room for "hh:mm".
constexpr Columna kColListaQso[] = {
    Largo("NumeroQso"), Fecha("FechaQso"), Texto("HoraQso", 5), Texto("Banda", 5),
    Texto("Modo", 5), Texto("RsEnviado", 5), Texto("Concursante", 16),
    Texto("LiteralEnviado", 32), Texto("NumeralEnviado", 4), Texto("QraLocatorEnviado", 6),
    Texto("RsRecibido", 5), Texto("Indicativo", 16), Texto("NumeralRecibido", 4),
    Texto("LiteralRecibido", 32), Texto("QraLocatorRecibido", 6), Texto("Dxcc", 5),
    Texto("DxccEstacionBase", 5), Texto("Waz", 5), Texto("WazEstacionBase", 5),
    Texto("Continente", 5), Texto("ContinenteEstacionBase", 5), Largo("PuntosRecibidos"),
    Largo("PuntosPorQso"), Largo("Multiplicador"), Texto("MultPais", 5),
    Texto("MultPrefijo", 5), Texto("MultDistrito", 5), Texto("MultProv", 5),
    Texto("MultBanda", 5), Texto("MultSufijo", 5), Texto("MultModo", 5), Texto("MultLoc", 5),
    Texto("Duplicado", 1),
};
static_assert(std::size(kColListaQso) == 33);

constexpr Columna kColClasificaciones[] = {
    Texto("Concursante", 24), Texto("Categoria", 32), Largo("Puntos")};

constexpr Columna kColControl[] = {Largo("UltimoConcurso"), Largo("ConcursoActivo")};

// Reference lists. Where the layout leaves a size open it matches the
// column of MultEspeciales that holds the same kind of value.
constexpr Columna kColListaProv[] = {
    Largo("NumeroOrden"), Texto("CodigoProv", 6), Bool("ProvExcluida")};
constexpr Columna kColListaDistritos[] = {
    Largo("NumeroOrden"), Texto("CodigoDistrito", 6), Bool("DistritoExcluido")};
constexpr Columna kColListaPaises[] = {Largo("NumeroOrden"), Texto("DxccExcluido", 10)};
constexpr Columna kColListaPrefijos[] = {Largo("NumeroOrden"), Texto("PrefijoExcluido", 6)};
constexpr Columna kColListaCq[] = {Largo("NumeroOrden"), Texto("CqExcluido", 6)};
constexpr Columna kColListaMultEspeciales[] = {Largo("NumeroOrden"), Texto("MultEstacion", 12)};
// `Modo` is appended by the upgrade step CrearCampoModoEspeciales.
constexpr Columna kColListaEspeciales[] = {
    Largo("NumeroOrden"), Texto("Estacion", 12), Texto("Prefijo", 6), Texto("Distrito", 6),
    Texto("Provincia", 6), Texto("Banda", 4), Largo("Puntos"), Texto("PuntosRef", 2)};
constexpr Columna kColMultEspeciales[] = {
    Largo("NumeroOrden"), Texto("Estacion", 10), Texto("Pais", 10), Texto("Distrito", 6),
    Texto("Prefijo", 6), Texto("Provincia", 6), Texto("ZonaCQ", 6), Texto("OtrasSiglas", 6),
    Largo("Puntos")};

constexpr Tabla kTablas[] = {
    {kConcursos, kColConcursos},
    {kResumenCabrillo, kColResumen},
    {kListaQso, kColListaQso},
    {kClasificaciones, kColClasificaciones},
    {kControlConcursos, kColControl},
    {kListaProv, kColListaProv},
    {kListaDistritos, kColListaDistritos},
    {kListaPaises, kColListaPaises},
    {kListaPrefijos, kColListaPrefijos},
    {kListaCq, kColListaCq},
    {kListaMultEspeciales, kColListaMultEspeciales},
    {kListaEspeciales, kColListaEspeciales},
    {kMultEspeciales, kColMultEspeciales},
};

// Upgrade steps.
constexpr Columna kPasoServerOp[] = {Bool("ServerOp")};
constexpr Columna kPasoAnularDos[] = {Bool("AnularDos")};
constexpr Columna kPasoFechaDistinta[] = {Bool("AnularPorFechaDistinta")};
constexpr Columna kPasoModoDistinto[] = {Bool("AnularPorModoDistinto")};
constexpr Columna kPasoNoExistir[] = {Bool("AnularPorNoExistir")};
constexpr Columna kPasoControles[] = {Bool("AnularPorControlesDistintos")};
constexpr Columna kPasoRst[] = {Bool("AnularPorRSTDistinto")};
constexpr Columna kPasoSiNoEstaEn[] = {Bool("AnularQSOSiNoEstaEN"), Texto("NumeroListas", 2)};
constexpr Columna kPasoReclamaciones[] = {
    Texto("EMailReclamaciones", 64), Texto("WEBConcurso", 64)};
constexpr Columna kPasoPuntos[] = {
    Bool("PuntosRecibidos"), Bool("PuntosEnviados"), Entero("MisPuntos"), Entero("SusPuntos")};
constexpr Columna kPasoPortable[] = {Bool("AnularPorPortableDistinto")};
constexpr Columna kPasoSiglasONumeral[] = {Bool("SiglasONumeral")};
// The one appended Text column that does not accept the empty text.
constexpr Columna kPasoModoEspeciales[] = {{"Modo", T::Texto, 6, false}};

constexpr PasoActualizacion kPasos[] = {
    {"CrearCampoServerOp", kResumenCabrillo, kPasoServerOp},
    {"CrearCampoAnularDos", kConcursos, kPasoAnularDos},
    {"CrearCampoAnularPorFechaDistinta", kConcursos, kPasoFechaDistinta},
    {"CrearCampoAnularPorModoDistinto", kConcursos, kPasoModoDistinto},
    {"CrearCampoAnularPorNoExistir", kConcursos, kPasoNoExistir},
    {"CrearCampoAnularPorControlesDistintos", kConcursos, kPasoControles},
    {"CrearCampoAnularPorRSTDistinto", kConcursos, kPasoRst},
    {"CrearCamposAnularSiNoEstaEn", kConcursos, kPasoSiNoEstaEn},
    {"CrearCamposReclamacionesWeb", kConcursos, kPasoReclamaciones},
    {"CrearCamposPuntosCabrillo", kResumenCabrillo, kPasoPuntos},
    {"CrearCampoAnularPorPortableDistinto", kConcursos, kPasoPortable},
    {"CrearCampoSiglasONumeral", kConcursos, kPasoSiglasONumeral},
    {"CrearCampoModoEspeciales", kListaEspeciales, kPasoModoEspeciales},
};

}  // namespace

std::span<const Columna> ColumnasConcursos() { return kColConcursos; }
std::span<const Columna> ColumnasResumenCabrillo() { return kColResumen; }
std::span<const Columna> ColumnasListaQso() { return kColListaQso; }
std::span<const Columna> ColumnasClasificaciones() { return kColClasificaciones; }
std::span<const Columna> ColumnasControlConcursos() { return kColControl; }
std::span<const Columna> ColumnasListaProv() { return kColListaProv; }
std::span<const Columna> ColumnasListaDistritos() { return kColListaDistritos; }
std::span<const Columna> ColumnasListaPaises() { return kColListaPaises; }
std::span<const Columna> ColumnasListaPrefijos() { return kColListaPrefijos; }
std::span<const Columna> ColumnasListaCq() { return kColListaCq; }
std::span<const Columna> ColumnasListaMultEspeciales() { return kColListaMultEspeciales; }
std::span<const Columna> ColumnasListaEspeciales() { return kColListaEspeciales; }
std::span<const Columna> ColumnasMultEspeciales() { return kColMultEspeciales; }

std::span<const Tabla> Tablas() { return kTablas; }

std::span<const Columna> ColumnasDeTabla(std::string_view tabla) {
  for (const Tabla& t : kTablas)
    if (MismoNombre(t.nombre, tabla)) return t.columnas;
  return {};
}

std::span<const PasoActualizacion> PasosActualizacion() { return kPasos; }

std::vector<Columna> LayoutCompleto(std::string_view tabla) {
  std::span<const Columna> base = ColumnasDeTabla(tabla);
  std::vector<Columna> columnas(base.begin(), base.end());
  for (const PasoActualizacion& paso : kPasos) {
    if (!MismoNombre(paso.tabla, tabla)) continue;
    for (const Columna& c : paso.columnas)
      if (OrdinalColumna(columnas, c.nombre) < 0) columnas.push_back(c);
  }
  return columnas;
}

int OrdinalColumna(std::span<const Columna> columnas, std::string_view nombre) {
  for (std::size_t i = 0; i < columnas.size(); ++i)
    if (MismoNombre(columnas[i].nombre, nombre)) return static_cast<int>(i);
  return -1;
}

bool MismoNombre(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace database
