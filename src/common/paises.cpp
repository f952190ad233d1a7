#include "common/paises.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <utility>

#include "plataforma/lenguaje.h"
#include "plataforma/rutas.h"

namespace {

// ---------------------------------------------------------------------------
// Characters of a UTF-8 text. Callsigns are ASCII in practice, but lengths and
// left parts count characters, never bytes.

bool EsContinuacion(unsigned char b) { return (b & 0xC0) == 0x80; }

std::size_t LongitudCar(std::string_view s) {
  std::size_t n = 0;
  for (unsigned char b : s)
    if (!EsContinuacion(b)) ++n;
  return n;
}

// Bytes taken by the first n characters (the whole text when it is shorter).
std::size_t BytesDe(std::string_view s, std::size_t n) {
  std::size_t i = 0;
  while (i < s.size() && n > 0) {
    ++i;
    while (i < s.size() && EsContinuacion(static_cast<unsigned char>(s[i]))) ++i;
    --n;
  }
  return i;
}

std::string_view Izquierda(std::string_view s, std::size_t n) { return s.substr(0, BytesDe(s, n)); }

// The character that starts at byte i (empty at or past the end).
std::string_view CaracterEn(std::string_view s, std::size_t i) {
  if (i >= s.size()) return {};
  std::size_t f = i + 1;
  while (f < s.size() && EsContinuacion(static_cast<unsigned char>(s[f]))) ++f;
  return s.substr(i, f - i);
}

std::string_view UltimoCaracter(std::string_view s) {
  if (s.empty()) return {};
  std::size_t i = s.size() - 1;
  while (i > 0 && EsContinuacion(static_cast<unsigned char>(s[i]))) --i;
  return s.substr(i);
}

bool EsDigito(std::string_view c) { return c.size() == 1 && c[0] >= '0' && c[0] <= '9'; }

// Byte position of the first digit after the first character (npos when
// there is none).
std::size_t PrimerDigitoTrasElPrimero(std::string_view s) { return s.find_first_of("0123456789", BytesDe(s, 1)); }

// Key columns compare without regard to letter case (ASCII letters).
std::string MayusculasAscii(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return r;
}

const std::string& Valor(const std::optional<std::string>& v, const char* tabla, const char* campo) {
  if (!v) throw ErrorPaises(std::string("Valor nulo en el campo ") + campo + " de la tabla " + tabla);
  return *v;
}

// ---------------------------------------------------------------------------
// Loading.

struct Sentencia {
  sqlite3_stmt* st = nullptr;
  ~Sentencia() { sqlite3_finalize(st); }
};

void Prepara(sqlite3* db, const char* sql, Sentencia& s) {
  if (sqlite3_prepare_v2(db, sql, -1, &s.st, nullptr) != SQLITE_OK)
    throw ErrorPaises(std::string("Base de datos de países: ") + sqlite3_errmsg(db) + " (" + sql + ")");
}

std::optional<std::string> Columna(sqlite3_stmt* st, int i) {
  if (sqlite3_column_type(st, i) == SQLITE_NULL) return std::nullopt;
  const unsigned char* t = sqlite3_column_text(st, i);
  return std::string(t ? reinterpret_cast<const char*>(t) : "",
                     static_cast<std::size_t>(sqlite3_column_bytes(st, i)));
}

// The index must exist on its table with the key column first.
void CompruebaIndice(sqlite3* db, const char* indice, const char* tabla, const char* columna) {
  Sentencia s;
  Prepara(db,
          "SELECT name FROM sqlite_master WHERE type = 'index' AND name = ?1 COLLATE NOCASE "
          "AND tbl_name = ?2 COLLATE NOCASE",
          s);
  sqlite3_bind_text(s.st, 1, indice, -1, SQLITE_STATIC);
  sqlite3_bind_text(s.st, 2, tabla, -1, SQLITE_STATIC);
  bool hay = false;
  std::string nombre;
  if (sqlite3_step(s.st) == SQLITE_ROW) {
    hay = true;
    nombre = reinterpret_cast<const char*>(sqlite3_column_text(s.st, 0));
  }
  if (hay) {
    Sentencia info;
    std::string sql = "PRAGMA index_info(\"" + nombre + "\")";
    Prepara(db, sql.c_str(), info);
    hay = false;
    while (sqlite3_step(info.st) == SQLITE_ROW) {
      if (sqlite3_column_int(info.st, 0) != 0) continue;
      const unsigned char* c = sqlite3_column_text(info.st, 2);
      hay = c && MayusculasAscii(reinterpret_cast<const char*>(c)) == MayusculasAscii(columna);
    }
  }
  if (!hay)
    throw ErrorPaises(std::string("Base de datos de países: falta el índice ") + indice + " de la tabla " +
                      tabla);
}

}  // namespace

// ---------------------------------------------------------------------------

std::unique_ptr<TablasPaises> TablasPaises::Abre(const std::string& rutaPedida) {
  std::error_code ec;
  const std::string ruta = plataforma::ResuelveRuta(rutaPedida);
  if (!std::filesystem::is_regular_file(ruta, ec))
    throw ErrorPaises("No se encuentra la base de datos de países: " + rutaPedida);
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(ruta.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  if (rc != SQLITE_OK) {
    std::string msg = db ? sqlite3_errmsg(db) : "sin memoria";
    sqlite3_close(db);
    throw ErrorPaises("No se puede abrir la base de datos de países " + ruta + ": " + msg);
  }
  try {
    auto t = Carga(db);
    sqlite3_close(db);
    return t;
  } catch (...) {
    sqlite3_close(db);
    throw;
  }
}

std::unique_ptr<TablasPaises> TablasPaises::Carga(sqlite3* db) {
  std::unique_ptr<TablasPaises> t(new TablasPaises());
  {
    Sentencia s;
    Prepara(db, "SELECT Prefijo, Dxcc FROM Prefijos", s);
    CompruebaIndice(db, "ClavePrefijo", "Prefijos", "Prefijo");
    int rc;
    while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
      FilaPrefijo f{Columna(s.st, 0), Columna(s.st, 1)};
      if (!f.Prefijo) continue;  // a Null key is never found by a seek
      std::string clave = MayusculasAscii(*f.Prefijo);
      t->maximoPrefijo_ = std::max(t->maximoPrefijo_, LongitudCar(clave));
      t->prefijos_.emplace(std::move(clave), std::move(f));
    }
    if (rc != SQLITE_DONE) throw ErrorPaises(std::string("Base de datos de países: ") + sqlite3_errmsg(db));
  }
  {
    Sentencia s;
    Prepara(db, "SELECT Dxcc, Waz, Continente FROM Dxcc", s);
    CompruebaIndice(db, "ClaveDxcc", "Dxcc", "Dxcc");
    int rc;
    while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
      FilaDxcc f{Columna(s.st, 0), Columna(s.st, 1), Columna(s.st, 2)};
      if (!f.Dxcc) continue;
      std::string clave = MayusculasAscii(*f.Dxcc);
      t->maximoDxcc_ = std::max(t->maximoDxcc_, LongitudCar(clave));
      t->dxcc_.emplace(std::move(clave), std::move(f));
    }
    if (rc != SQLITE_DONE) throw ErrorPaises(std::string("Base de datos de países: ") + sqlite3_errmsg(db));
  }
  {
    Sentencia s;
    Prepara(db, "SELECT Dxcc, Prefijo, Waz, Continente FROM Regiones", s);
    int rc;
    while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
      FilaRegion f{Columna(s.st, 0), Columna(s.st, 1), Columna(s.st, 2), Columna(s.st, 3)};
      if (!f.Dxcc) continue;  // never selected by a query on Dxcc
      std::string clave = MayusculasAscii(*f.Dxcc);
      t->regiones_[std::move(clave)].push_back(std::move(f));
      ++t->numeroRegiones_;
    }
    if (rc != SQLITE_DONE) throw ErrorPaises(std::string("Base de datos de países: ") + sqlite3_errmsg(db));
  }
  return t;
}

namespace {
template <class Mapa>
auto BuscaClave(const Mapa& m, std::string_view clave) -> decltype(&m.begin()->second) {
  // Keys are upper case: fold the sought text the same way. Short keys fit
  // in a stack buffer.
  char buf[32];
  std::string largo;
  std::string_view k;
  if (clave.size() <= sizeof buf) {
    for (std::size_t i = 0; i < clave.size(); ++i) {
      char c = clave[i];
      buf[i] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    k = std::string_view(buf, clave.size());
  } else {
    largo = MayusculasAscii(clave);
    k = largo;
  }
  auto it = m.find(k);
  return it == m.end() ? nullptr : &it->second;
}
}  // namespace

const TablasPaises::FilaPrefijo* TablasPaises::BuscaEnPrefijos(std::string_view clave) const {
  return BuscaClave(prefijos_, clave);
}

const TablasPaises::FilaDxcc* TablasPaises::BuscaEnDxcc(std::string_view clave) const {
  return BuscaClave(dxcc_, clave);
}

const std::vector<TablasPaises::FilaRegion>& TablasPaises::RegionesDe(std::string_view dxcc) const {
  static const std::vector<FilaRegion> vacio;
  const auto* filas = BuscaClave(regiones_, dxcc);
  return filas ? *filas : vacio;
}

const TablasPaises& PaisesRequeridos(const TablasPaises* paises) {
  if (!paises) throw ErrorPaises("La base de datos de países no está abierta");
  return *paises;
}

// ---------------------------------------------------------------------------
// Callsigns.

void SeparaPortable(std::string& indicativo, std::string& portable) {
  portable.clear();
  const std::size_t barra = indicativo.find('/');
  if (barra == std::string::npos) return;
  std::string izq = indicativo.substr(0, barra);
  std::string der = indicativo.substr(barra + 1);
  static const char* const sufijos[] = {"P",     "M",     "MM",     "MA",     "QRP",
                                        "P/QRP", "M/QRP", "MM/QRP", "MA/QRP"};
  for (const char* s : sufijos) {
    if (der == s) {
      indicativo = std::move(izq);
      portable = "/" + der;
      return;
    }
  }
  const std::size_t barra2 = der.find('/');
  if (barra2 != std::string::npos) {
    std::string medio = der.substr(0, barra2);
    std::string ultimo = der.substr(barra2 + 1);
    if (LongitudCar(izq) <= 3) {
      indicativo = std::move(medio);
      portable = izq + "/" + ultimo;
    } else {
      indicativo = std::move(izq);
      portable = std::move(der);
    }
    return;
  }
  if (LongitudCar(der) <= 3 && LongitudCar(izq) > 3) {
    indicativo = std::move(izq);
    portable = "/" + der;
  } else {
    indicativo = std::move(der);
    portable = izq + "/";
  }
}

// First length of a search by shorter and shorter left parts of a call of n
// characters: parts longer than the longest key are never found, so they
// are skipped (the answer is the same; a huge token costs no more than a
// call).
static std::size_t PrimeraLongitud(std::size_t n, std::size_t maximo) {
  return n == 0 ? 0 : std::max<std::size_t>(1, std::min(n, maximo));
}

void BuscaPrefijo(const TablasPaises& paises, const std::string& indicativo, std::string& prefijo) {
  std::string base = indicativo;
  std::string portable;
  SeparaPortable(base, portable);
  prefijo.clear();
  const std::size_t n = LongitudCar(indicativo);
  if (n == 0) return;
  // Left parts longer than the base call are the whole base call: seeking it
  // again gives the same answer, so the search starts at the base call.
  const std::size_t lb = LongitudCar(base);
  for (std::size_t m = lb == 0 ? 0 : PrimeraLongitud(std::min(n, lb), paises.LongitudMaximaPrefijo());
       m >= 1 || (m == 0 && lb == 0); --m) {
    std::string_view parte = Izquierda(base, m);
    if (const auto* f = paises.BuscaEnPrefijos(parte)) {
      prefijo = Valor(f->Prefijo, "Prefijos", "Prefijo");
      return;
    }
    if (m == 0) break;
  }
  // The last text tried: the first character of the base call (or the
  // empty base call itself).
  prefijo = std::string(Izquierda(base, 1));
}

void ObtienePrefijoYDistrito(const TablasPaises& paises, const std::string& indicativo,
                             std::string& prefijo, std::string& distrito) {
  std::string base = indicativo;
  std::string portable;
  SeparaPortable(base, portable);
  prefijo.clear();
  distrito.clear();
  const std::size_t n = LongitudCar(indicativo);

  const std::size_t inicio = PrimeraLongitud(n, paises.LongitudMaximaPrefijo());
  if (portable.empty()) {
    for (std::size_t m = inicio; m >= 1; --m) {
      std::string_view parte = Izquierda(base, m);
      if (const auto* f = paises.BuscaEnPrefijos(parte)) {
        prefijo = std::string(parte);
        const std::string& pais = Valor(f->Dxcc, "Prefijos", "Dxcc");
        const std::size_t digitoPrefijo = PrimerDigitoTrasElPrimero(parte);
        if (digitoPrefijo == std::string_view::npos) {
          distrito = pais;
          distrito += CaracterEn(base, parte.size());
        } else {
          // The prefix already holds the call area (EA6, KH6, UA0, VP2E):
          // the country's letters and the prefix's last digit.
          distrito.assign(pais, 0, std::min(pais.size(), PrimerDigitoTrasElPrimero(pais)));
          distrito += parte[parte.find_last_of("0123456789")];
        }
        return;
      }
    }
  }

  bool encontrado = false;
  for (std::size_t m = inicio; m >= 1; --m) {
    std::string_view parte = Izquierda(indicativo, m);
    prefijo = std::string(parte);
    if (const auto* f = paises.BuscaEnPrefijos(parte)) {
      distrito = Valor(f->Dxcc, "Prefijos", "Dxcc");
      encontrado = true;
      break;
    }
  }

  if (!portable.empty() && portable.front() == '/') {
    std::string_view ultimo = UltimoCaracter(portable);
    if (EsDigito(ultimo)) {
      distrito += ultimo;
    } else {
      distrito += CaracterEn(base, encontrado ? BytesDe(base, LongitudCar(prefijo)) : 0);
    }
  } else if (!portable.empty() && portable.back() == '/') {
    std::string_view antes = UltimoCaracter(std::string_view(portable).substr(0, portable.size() - 1));
    if (EsDigito(antes)) distrito += antes;
  }
}

void ObtienePaisZonaContinente(const TablasPaises& paises, const std::string& indicativo,
                               std::string& dxcc, std::string& waz, std::string& continente) {
  dxcc.clear();
  waz.clear();
  continente.clear();
  if (indicativo.empty()) return;
  const std::size_t n = LongitudCar(indicativo);

  const TablasPaises::FilaDxcc* pais = nullptr;
  const TablasPaises::FilaPrefijo* hallado = nullptr;
  for (std::size_t m = PrimeraLongitud(n, paises.LongitudMaximaPrefijo()); m >= 1 && !hallado; --m)
    hallado = paises.BuscaEnPrefijos(Izquierda(indicativo, m));
  if (hallado) {
    pais = paises.BuscaEnDxcc(Valor(hallado->Dxcc, "Prefijos", "Dxcc"));
  } else {
    for (std::size_t m = PrimeraLongitud(n, paises.LongitudMaximaDxcc()); m >= 1 && !pais; --m)
      pais = paises.BuscaEnDxcc(Izquierda(indicativo, m));
  }
  if (!pais) return;

  dxcc = Valor(pais->Dxcc, "Dxcc", "Dxcc");
  waz = Valor(pais->Waz, "Dxcc", "Waz");
  continente = Valor(pais->Continente, "Dxcc", "Continente");

  const auto& regiones = paises.RegionesDe(dxcc);
  if (regiones.empty()) return;

  // The call from its first digit on, and the character after that digit.
  std::string_view llamada(indicativo);
  std::size_t j = llamada.size();
  for (std::size_t i = 0; i < llamada.size(); ++i) {
    if (llamada[i] >= '0' && llamada[i] <= '9') {
      j = i;
      break;
    }
  }
  std::string_view desdeDigito = llamada.substr(j);
  std::string almohadilla = "#";
  if (j < llamada.size()) almohadilla += CaracterEn(llamada, j + 1);

  std::string candidato;
  for (const auto& r : regiones) {
    const std::string& patron = Valor(r.Prefijo, "Regiones", "Prefijo");
    std::size_t k = patron.size();
    for (std::size_t i = 0; i < patron.size(); ++i) {
      if (patron[i] >= '0' && patron[i] <= '9') {
        k = i;
        break;
      }
    }
    // A "#" followed by the character after the call's digit marks where the
    // call's digit goes.
    for (std::size_t p = 0; p < patron.size();
         p += std::max<std::size_t>(1, CaracterEn(patron, p).size())) {
      std::string_view dos = std::string_view(patron).substr(p, BytesDe(std::string_view(patron).substr(p), 2));
      if (dos == almohadilla) {
        k = p;
        break;
      }
    }
    candidato.assign(patron, 0, k);
    candidato.append(desdeDigito);
    if (CoincidePatron(candidato, patron)) {
      dxcc = Valor(r.Dxcc, "Regiones", "Dxcc");
      waz = Valor(r.Waz, "Regiones", "Waz");
      continente = Valor(r.Continente, "Regiones", "Continente");
      return;
    }
  }
}

// ---------------------------------------------------------------------------
// Pattern matching.

bool CoincidePatron(std::string_view texto, std::string_view patron) { return plataforma::Like(texto, patron); }

// ---------------------------------------------------------------------------
// Locators and distances.

bool CalculaCoordenadasLocator(const std::string& locator, float& longitud, float& latitud) {
  std::string loc = locator;
  if (LongitudCar(loc) < 6) loc += "LL";
  if (LongitudCar(loc) != 6 || loc.size() != 6) return false;
  auto letra = [](char c, char ultima, int& v) {
    if (c < 'A' || c > ultima) return false;
    v = c - 'A';
    return true;
  };
  auto digito = [](char c, int& v) {
    if (c < '0' || c > '9') return false;
    v = c - '0';
    return true;
  };
  int campoLon, cuadLon, subLon, campoLat, cuadLat, subLat;
  if (!letra(loc[0], 'S', campoLon) || !digito(loc[2], cuadLon) || !letra(loc[4], 'X', subLon)) return false;
  longitud = static_cast<float>(((campoLon * 1200 + cuadLon * 120 + subLon * 5) - 10800) * 60 + 150);
  if (!letra(loc[1], 'S', campoLat) || !digito(loc[3], cuadLat) || !letra(loc[5], 'X', subLat)) return false;
  latitud = static_cast<float>(((campoLat * 600 + cuadLat * 60 + subLat * 2.5) - 5400) * 60 + 75);
  return true;
}

bool CalculaDistanciaLocator(const std::string& locator1, const std::string& locator2, float& km) {
  if (locator1.empty()) {
    km = 0;
    return true;
  }
  float lon1 = 0, lat1 = 0;
  if (!CalculaCoordenadasLocator(locator1, lon1, lat1)) return false;
  if (locator2.empty()) {
    km = 0;
    return true;
  }
  float lon2 = 0, lat2 = 0;
  if (!CalculaCoordenadasLocator(locator2, lon2, lat2)) return false;
  CalculaDistanciaKm(lon2, lat2, lon1, lat1, km);
  return true;
}

void CalculaDistanciaKm(float longitud2, float latitud2, float longitud1, float latitud1, float& km) {
  // Values kept in single precision are rounded where they are stored; the
  // rest is worked out in double precision.
  const float dl = static_cast<float>((static_cast<double>(longitud2) - longitud1) / 3600.0);
  const float k = static_cast<float>(3.141592 / 180.0);
  const double kd = k;
  const float a = static_cast<float>(std::cos((90.0 - latitud1 / 3600.0) * kd));
  const float b = static_cast<float>(std::cos((90.0 - latitud2 / 3600.0) * kd));
  const float c = static_cast<float>(std::sin((90.0 - latitud1 / 3600.0) * kd));
  const float d = static_cast<float>(std::sin((90.0 - latitud2 / 3600.0) * kd));
  const double e = std::cos(std::fabs(static_cast<double>(dl) * kd));
  const float x = static_cast<float>(static_cast<double>(d) * c * e + static_cast<double>(b) * a);
  const float y = static_cast<float>(std::sqrt(std::fabs(1.0 - static_cast<double>(x) * x)));
  if (x == 0.0f) {
    // Two points exactly a quarter of the circumference apart.
    km = 10008.0f;
    return;
  }
  const double theta = std::atan(static_cast<double>(y) / x);
  double dist = std::floor(theta * (180.0 / 3.141592) * 111.2);
  // Over a quarter of the circumference the angle comes out negative. Within
  // reach of the antipode x rounds to -1 and the angle to -0: that is the
  // half circumference, not 0 km.
  if (dist < 0 || (x < 0.0f && dist == 0)) dist += 20000.0;
  km = static_cast<float>(dist);
}
