#include "generador/concurso_sintetico.h"

#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "common/paises.h"
#include "common/terravia.h"
#include "database/carpetas.h"
#include "database/creacion.h"
#include "plataforma/texto.h"

namespace fs = std::filesystem;

namespace generador {

namespace {

// The contest starts at 12:00 of its first day: minute 720 counted from
// 07-03-2026 00:00, and lasts 1440 minutes.
constexpr int kInicio = 720;
constexpr int kDuracion = 1440;

struct Banda {
  int base;            // kHz
  int cw, cw_ancho;    // CW segment: from base + cw, cw_ancho kHz wide
  int ssb, ssb_ancho;  // SSB segment
};
constexpr Banda kBandas[] = {{3500, 10, 50, 110, 150},
                             {7000, 10, 25, 60, 130},
                             {14000, 10, 50, 150, 190},
                             {21000, 10, 50, 150, 290},
                             {28000, 10, 50, 400, 200}};
constexpr int kNumBandas = 5;

// A QSO between two stations on the air.
struct Qso {
  std::uint32_t a, b;   // the stations
  std::int16_t minuto;  // from the contest's start
  std::uint8_t banda;
  std::uint8_t modo;  // 0 CW, 1 SSB
  std::uint16_t khz;  // offset in its band
};

struct Estacion {
  std::string indicativo;  // as the station signs (with its portable suffix)
  std::string base;        // the call its log is named after
  bool envia = true;
  bool control = false;
  bool fecha_invalida = false;
  std::uint8_t potencia = 0;        // HIGH, LOW, QRP
  std::vector<std::uint32_t> qsos;  // its QSOs, in time order once sorted
};

std::string Frecuencia(const Qso& q, int banda) {
  const Banda& b = kBandas[banda];
  const int khz = q.modo == 0 ? b.base + b.cw + q.khz % b.cw_ancho : b.base + b.ssb + q.khz % b.ssb_ancho;
  return std::to_string(khz);
}

// "2026-03-07 1234" for a minute counted from the contest's start (it may be
// outside the contest).
std::string FechaHora(int minuto) {
  const int absoluto = kInicio + minuto;
  const int dia = 7 + absoluto / 1440;
  const int m = absoluto % 1440;
  char texto[24];
  std::snprintf(texto, sizeof texto, "2026-03-%02d %02d%02d", dia, m / 60, m % 60);
  return texto;
}

// One character of a call changed for another of its kind.
std::string Rompe(const std::string& indicativo, std::mt19937_64& azar) {
  std::string r = indicativo;
  const std::size_t barra = r.find('/');
  const std::size_t largo = barra == std::string::npos ? r.size() : barra;
  const std::size_t i = azar() % largo;
  const char c = r[i];
  if (c >= '0' && c <= '9')
    r[i] = static_cast<char>('0' + (c - '0' + 1 + azar() % 9) % 10);
  else
    r[i] = static_cast<char>('A' + (c - 'A' + 1 + azar() % 25) % 26);
  return r;
}

bool Sucede(std::mt19937_64& azar, double tasa) {
  return tasa > 0 && std::uniform_real_distribution<double>(0.0, 1.0)(azar) < tasa;
}

std::string Relleno(const std::string& texto, std::size_t ancho) {
  return texto.size() >= ancho ? texto : texto + std::string(ancho - texto.size(), ' ');
}

// Gives pairs of stations calls of the list one of which begins with the
// other (OZ1A and OZ1AAR): each station, at the rate given, with another
// station drawn at random; neither call is on the air yet, and a station
// keeps its portable suffix.
void DaIndicativosContenidos(std::vector<Estacion>& estaciones, const std::vector<std::string>& indicativos,
                             double tasa, std::mt19937_64& azar) {
  std::unordered_map<std::string_view, std::size_t> posicion;
  for (std::size_t i = 0; i < indicativos.size(); ++i) posicion.emplace(indicativos[i], i);
  std::vector<std::pair<std::size_t, std::size_t>> pares;  // (the shorter, the longer), in list order
  for (std::size_t i = 0; i < indicativos.size(); ++i)
    for (std::size_t largo = 3; largo < indicativos[i].size(); ++largo) {
      const auto it = posicion.find(std::string_view(indicativos[i]).substr(0, largo));
      if (it != posicion.end()) pares.emplace_back(it->second, i);
    }
  if (pares.empty()) return;
  std::unordered_set<std::string> en_el_aire;
  for (const Estacion& e : estaciones) en_el_aire.insert(e.base);
  std::vector<bool> cambiada(estaciones.size(), false);
  auto cambia = [&](std::size_t i, const std::string& nueva) {
    Estacion& e = estaciones[i];
    en_el_aire.erase(e.base);
    e.indicativo = nueva + e.indicativo.substr(e.base.size());
    e.base = nueva;
    en_el_aire.insert(nueva);
    cambiada[i] = true;
  };
  for (std::size_t i = 0; i < estaciones.size(); ++i) {
    if (cambiada[i] || !Sucede(azar, tasa)) continue;
    const std::size_t j = azar() % estaciones.size();
    const auto& [corta, larga] = pares[azar() % pares.size()];
    if (j == i || cambiada[j] || en_el_aire.count(indicativos[corta]) || en_el_aire.count(indicativos[larga])) continue;
    cambia(i, indicativos[corta]);
    cambia(j, indicativos[larga]);
  }
}

}  // namespace

std::vector<std::string> LeeIndicativos(const std::string& ruta) {
  std::vector<std::string> indicativos;
  std::ifstream f(ruta, std::ios::binary);
  std::string linea;
  while (std::getline(f, linea)) {
    while (!linea.empty() && (linea.back() == '\r' || linea.back() == ' ')) linea.pop_back();
    if (linea.empty() || linea.front() == '#') continue;
    bool letra = false, cifra = false, limpio = linea.size() >= 3 && linea.size() <= 10;
    for (char c : linea) {
      if (c >= 'A' && c <= 'Z')
        letra = true;
      else if (c >= '0' && c <= '9')
        cifra = true;
      else
        limpio = false;
    }
    if (limpio && letra && cifra) indicativos.push_back(linea);
  }
  return indicativos;
}

ResumenGenerado EscribeLogs(const std::string& carpeta, const std::vector<std::string>& indicativos,
                            const ParametrosConcurso& p) {
  const TasasFallos& t = p.Tasas;
  std::mt19937_64 azar(p.Semilla);
  const auto n = static_cast<std::size_t>(std::ceil(p.Logs / (1.0 - std::min(t.SinLista, 0.9))));
  if (p.Logs < 2 || n > indicativos.size()) throw std::invalid_argument("No hay indicativos bastantes");

  // The stations: calls drawn without repetition, the first `Logs` of them
  // send a log.
  std::vector<std::size_t> orden(indicativos.size());
  for (std::size_t i = 0; i < orden.size(); ++i) orden[i] = i;
  for (std::size_t i = 0; i < n; ++i) std::swap(orden[i], orden[i + azar() % (orden.size() - i)]);
  std::vector<Estacion> estaciones(n);
  const char* const sufijos[] = {"/P", "/M", "/QRP"};
  for (std::size_t i = 0; i < n; ++i) {
    Estacion& e = estaciones[i];
    e.base = indicativos[orden[i]];
    e.indicativo = e.base;
    if (Sucede(azar, t.Portable)) e.indicativo += sufijos[azar() % 3];
    e.envia = i < static_cast<std::size_t>(p.Logs);
    e.control = e.envia && Sucede(azar, t.Control);
    e.fecha_invalida = e.envia && !e.control && Sucede(azar, t.FechaInvalida);
    e.potencia = static_cast<std::uint8_t>(azar() % 3);
  }

  if (p.IndicativosContenidos > 0) DaIndicativosContenidos(estaciones, indicativos, p.IndicativosContenidos, azar);

  // Activity: a few big stations, many small ones.
  std::vector<double> acumulado(n);
  {
    std::lognormal_distribution<double> actividad(0.0, 0.7);
    double suma = 0;
    for (std::size_t i = 0; i < n; ++i) acumulado[i] = suma += std::min(actividad(azar), 8.0);
  }
  auto elige = [&] {
    const double x = std::uniform_real_distribution<double>(0.0, acumulado.back())(azar);
    return static_cast<std::uint32_t>(std::upper_bound(acumulado.begin(), acumulado.end(), x) - acumulado.begin());
  };

  // The QSOs: one pair may meet once per band and mode (a repeat is a fault
  // injected on purpose).
  // A small contest cannot hold as many QSOs as a large one: at most half
  // of the pairs' band and mode slots are used.
  const std::size_t huecos = n * (n - 1) / 2 * kNumBandas * 2;
  const std::size_t total = std::min(n * static_cast<std::size_t>(p.QsosPorLog) / 2, huecos / 2);
  std::vector<Qso> qsos;
  qsos.reserve(total + total / 50);
  std::unordered_set<std::uint64_t> hechos;
  hechos.reserve(total);
  auto clave = [](std::uint32_t a, std::uint32_t b, int banda, int modo) {
    if (a > b) std::swap(a, b);
    return (static_cast<std::uint64_t>(a) << 36) | (static_cast<std::uint64_t>(b) << 8) |
           static_cast<std::uint64_t>(banda * 2 + modo);
  };
  while (qsos.size() < total) {
    const std::uint32_t a = elige(), b = elige();
    if (a == b) continue;
    int banda = static_cast<int>(azar() % kNumBandas), modo = static_cast<int>(azar() % 2);
    bool libre = false;
    for (int intento = 0; intento < 2 * kNumBandas && !libre; ++intento) {
      libre = hechos.insert(clave(a, b, banda, modo)).second;
      if (!libre) {
        modo ^= 1;
        if (modo == 0) banda = (banda + 1) % kNumBandas;
      }
    }
    if (!libre) continue;
    Qso q{a,
          b,
          static_cast<std::int16_t>(azar() % kDuracion),
          static_cast<std::uint8_t>(banda),
          static_cast<std::uint8_t>(modo),
          static_cast<std::uint16_t>(azar() % 1000)};
    qsos.push_back(q);
    if (Sucede(azar, t.Repetido)) {
      Qso otra = q;
      otra.minuto =
          static_cast<std::int16_t>(std::min<int>(kDuracion - 1, q.minuto + 1 + static_cast<int>(azar() % 30)));
      qsos.push_back(otra);
    }
  }
  for (std::uint32_t k = 0; k < qsos.size(); ++k) {
    estaciones[qsos[k].a].qsos.push_back(k);
    estaciones[qsos[k].b].qsos.push_back(k);
  }
  // Serial numbers in time order.
  std::vector<std::uint32_t> serie_a(qsos.size()), serie_b(qsos.size());
  for (std::uint32_t i = 0; i < n; ++i) {
    std::vector<std::uint32_t>& l = estaciones[i].qsos;
    std::stable_sort(l.begin(), l.end(),
                     [&](std::uint32_t x, std::uint32_t y) { return qsos[x].minuto < qsos[y].minuto; });
    for (std::uint32_t s = 0; s < l.size(); ++s) (qsos[l[s]].a == i ? serie_a : serie_b)[l[s]] = s + 1;
  }

  // The logs.
  ResumenGenerado resumen;
  resumen.Estaciones = n;
  const char* const potencias[] = {"HIGH", "LOW", "QRP"};
  std::vector<std::string> lineas;
  for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(p.Logs); ++i) {
    const Estacion& e = estaciones[i];
    lineas.clear();
    lineas.push_back("START-OF-LOG: 3.0");
    lineas.push_back("CALLSIGN: " + e.indicativo);
    lineas.push_back("CONTEST: " + std::string(kNombreConcurso));
    lineas.push_back(std::string("CATEGORY-OPERATOR: ") + (e.control ? "CHECKLOG" : "SINGLE-OP"));
    lineas.push_back("CATEGORY-BAND: ALL");
    lineas.push_back("CATEGORY-MODE: MIXED");
    lineas.push_back(std::string("CATEGORY-POWER: ") + potencias[e.potencia]);
    lineas.push_back("CLAIMED-SCORE: " + std::to_string(e.qsos.size() * 3));
    lineas.push_back("NAME: Operador de " + e.base);
    lineas.push_back("EMAIL: " + e.base + "@example.org");
    lineas.push_back("CREATED-BY: Generador 1.0");
    const std::size_t invalida = e.fecha_invalida && !e.qsos.empty() ? azar() % e.qsos.size() : e.qsos.size();
    for (std::size_t s = 0; s < e.qsos.size(); ++s) {
      const Qso& q = qsos[e.qsos[s]];
      const bool soy_a = q.a == i;
      const Estacion& otro = estaciones[soy_a ? q.b : q.a];
      const std::uint32_t mio = soy_a ? serie_a[e.qsos[s]] : serie_b[e.qsos[s]];
      const std::uint32_t suyo = soy_a ? serie_b[e.qsos[s]] : serie_a[e.qsos[s]];
      int banda = q.banda, modo = q.modo, minuto = q.minuto;
      std::string trabajado = otro.indicativo;
      if (trabajado != otro.base && Sucede(azar, t.PortableOlvidado)) trabajado = otro.base;
      if (Sucede(azar, t.IndicativoErroneo)) trabajado = Rompe(trabajado, azar);
      if (Sucede(azar, t.BandaCambiada)) banda = (banda + 1 + static_cast<int>(azar() % (kNumBandas - 1))) % kNumBandas;
      if (Sucede(azar, t.ModoCambiado)) modo ^= 1;
      if (Sucede(azar, t.RelojDesviado)) minuto += (azar() % 2 ? 1 : -1) * (11 + static_cast<int>(azar() % 50));
      // The logging program fills the RST of the mode logged.
      const std::string rst = modo == 0 ? "599" : "59";
      std::string rst_recibido = rst;
      if (Sucede(azar, t.RstDistinto)) rst_recibido = modo == 0 ? "579" : "57";
      std::uint32_t recibido = suyo;
      if (Sucede(azar, t.NumeroDistinto)) recibido = suyo + 1 + static_cast<std::uint32_t>(azar() % 9);
      std::string fecha_hora = FechaHora(minuto);
      if (s == invalida) fecha_hora.replace(0, 10, "2026-02-30");
      Qso como_escrito = q;
      como_escrito.modo = static_cast<std::uint8_t>(modo);
      lineas.push_back("QSO: " + Relleno(Frecuencia(como_escrito, banda), 5) + " " + (modo == 0 ? "CW" : "PH") + " " +
                       fecha_hora + " " + Relleno(e.indicativo, 13) + " " + Relleno(rst, 3) + " " +
                       Relleno(std::to_string(mio), 6) + " " + Relleno(trabajado, 13) + " " + Relleno(rst_recibido, 3) +
                       " " + std::to_string(recibido));
    }
    lineas.push_back("END-OF-LOG:");
    resumen.LineasQso += e.qsos.size();
    const std::string nombre = e.base + ".LOG";
    if (!plataforma::EscribirLineas(carpeta + "/" + nombre, lineas))
      throw std::runtime_error("No se puede escribir " + carpeta + "/" + nombre);
    resumen.Ficheros.push_back(nombre);
  }
  return resumen;
}

void AgregaConcurso(dao::Database& base) {
  dao::Recordset rs = base.OpenRecordset("Concursos");
  rs.AddNew();
  rs["NumeroOrden"] = dao::Variant(kNumeroConcurso);
  rs["Concurso"] = dao::Variant(std::string(kNombreConcurso));
  rs["DesdeDia"] = dao::Variant(*dao::Fecha::Desde("07-03-2026"));
  rs["DesdeHora"] = dao::Variant("12:00");
  rs["HastaDia"] = dao::Variant(*dao::Fecha::Desde("08-03-2026"));
  rs["HastaHora"] = dao::Variant("11:59");
  for (const char* c :
       {"Banda3'5", "Banda7", "Banda14", "Banda21", "Banda28", "ModoCW", "ModoSSB", "EnviarNumeral", "RecibirNumeral",
        "RecibirPuntos", "RepetirEnCadaBanda", "RepetirEnCadaModo", "Multiplicadores", "CadaPais", "PaisPorBanda"})
    rs[c] = dao::Variant(true);
  for (const char* c :
       {"MismoContinente3-5", "MismoContinente7", "MismoContinente14", "MismoContinente21", "MismoContinente28"})
    rs[c] = dao::Variant("1");
  for (const char* c : {"DistintoContinente3-5", "DistintoContinente7", "DistintoContinente14", "DistintoContinente21",
                        "DistintoContinente28"})
    rs[c] = dao::Variant("3");
  rs["PuntosMismoPais"] = dao::Variant("0");
  rs.Update();
  rs.Close();

  rs = base.OpenRecordset("ResumenCabrillo");
  rs.AddNew();
  rs["NumeroOrden"] = dao::Variant(kNumeroConcurso);
  for (const char* c : {"SingleOp", "CheckLog", "ALL", "MIXED", "High", "Low", "Qrp", "AsistidoNoAplicable",
                        "TxNoAplicable", "TipoEstacionNoAplicable", "TimeNoAplicable", "OverlayNoAplicable",
                        "RstEnviado", "NumeralEnviado", "RstRecibido", "NumeralRecibido"})
    rs[c] = dao::Variant(true);
  rs.Update();
  rs.Close();
}

ConcursoSintetico::ConcursoSintetico(const ParametrosConcurso& parametros, const std::vector<std::string>& indicativos,
                                     std::string_view subcarpeta) {
  std::string plantilla = (fs::temp_directory_path() / "trovalis-sintetico-XXXXXX").string();
  if (!mkdtemp(plantilla.data())) throw std::runtime_error("No se puede crear la carpeta temporal");
  raiz_ = plantilla;
  carpeta_ = raiz_ + "/" + std::string(kNombreConcurso);
  trabajo_ = raiz_ + "/trabajo";
  fs::create_directories(trabajo_);
  for (const std::string& sub : SubcarpetasComunes()) fs::create_directories(carpeta_ + "/" + sub);
  for (const std::string& sub : SubcarpetasConcurso()) fs::create_directories(carpeta_ + "/" + sub);
  database::CreaBaseConcursosVacia(raiz_ + "/Ledrima");
  base_ = dao::OpenDatabase(raiz_ + "/Ledrima");
  AgregaConcurso(base_);
  CreaTerravia(kFicheroPaises, raiz_ + "/Terravia");
  paises_ = TablasPaises::Abre(raiz_ + "/Terravia");
  resumen_ = EscribeLogs(carpeta_ + "/" + std::string(subcarpeta), indicativos, parametros);
}

ConcursoSintetico::~ConcursoSintetico() {
  base_.Close();
  std::error_code e;
  fs::remove_all(raiz_, e);
}

}  // namespace generador
