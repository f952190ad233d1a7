#include "common/terravia.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <array>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "common/paises.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"

namespace {

std::string Recorta(std::string_view s) {
  std::size_t a = 0, b = s.size();
  while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
  while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
  return std::string(s.substr(a, b - a));
}

std::string Mayusculas(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

struct Valores {
  int Zona = 0;
  std::string Continente;
  bool operator==(const Valores&) const = default;
};

struct Entidad {
  std::string Primario;  // as written, "*" included
  Valores Propios;
  std::vector<std::string> Alias;  // as written, marks included
};

bool LeeEntero(const std::string& t, int& v) {
  if (t.empty() || t.size() > 3) return false;
  v = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  return true;
}

bool ContinenteValido(const std::string& c) {
  static const char* const validos[] = {"AF", "AN", "AS", "EU", "NA", "OC", "SA"};
  return std::any_of(std::begin(validos), std::end(validos), [&](const char* v) { return c == v; });
}

std::vector<Entidad> LeeFicheroPaises(const std::string& ruta) {
  std::vector<std::string> lineas;
  if (!plataforma::LeerLineas(ruta, lineas)) throw ErrorPaises("No se puede leer el fichero de países: " + ruta);
  std::string texto;
  for (const auto& l : lineas) {
    texto += l;
    texto += '\n';
  }

  std::vector<Entidad> entidades;
  std::size_t inicio = 0;
  int numero = 0;
  while (inicio < texto.size()) {
    std::size_t fin = texto.find(';', inicio);
    std::string registro = Recorta(std::string_view(texto).substr(
        inicio, (fin == std::string::npos ? texto.size() : fin) - inicio));
    inicio = fin == std::string::npos ? texto.size() : fin + 1;
    if (registro.empty()) continue;
    ++numero;
    if (fin == std::string::npos)
      throw ErrorPaises("Fichero de países: la entidad " + std::to_string(numero) + " no termina en \";\"");
    // Eight header fields, each ended by ":".
    std::vector<std::string> campos;
    std::size_t p = 0;
    for (int i = 0; i < 8; ++i) {
      std::size_t dos = registro.find(':', p);
      if (dos == std::string::npos)
        throw ErrorPaises("Fichero de países: cabecera incompleta en la entidad " + std::to_string(numero));
      campos.push_back(Recorta(std::string_view(registro).substr(p, dos - p)));
      p = dos + 1;
    }
    Entidad e;
    e.Primario = campos[7];
    e.Propios.Continente = campos[3];
    if (!LeeEntero(campos[1], e.Propios.Zona) || e.Propios.Zona < 1 || e.Propios.Zona > 40 ||
        !ContinenteValido(e.Propios.Continente) || e.Primario.empty() || e.Primario == "*")
      throw ErrorPaises("Fichero de países: cabecera no válida en la entidad " + std::to_string(numero) +
                        " (" + campos[0] + ")");
    std::string resto = registro.substr(p);
    std::size_t a = 0;
    while (a <= resto.size()) {
      std::size_t coma = resto.find(',', a);
      if (coma == std::string::npos) coma = resto.size();
      std::string alias;
      for (char c : std::string_view(resto).substr(a, coma - a))
        if (!std::isspace(static_cast<unsigned char>(c))) alias += c;
      if (!alias.empty()) e.Alias.push_back(alias);
      a = coma + 1;
    }
    entidades.push_back(std::move(e));
  }
  if (entidades.empty()) throw ErrorPaises("El fichero de países no contiene ninguna entidad: " + ruta);
  return entidades;
}

// An alias without its marks, and the zone and continent it gives.
struct Alias {
  std::string Texto;
  Valores Val;
};

Alias QuitaMarcas(const std::string& alias, const Valores& propios, const std::string& entidad) {
  Alias r;
  r.Val = propios;
  for (std::size_t i = 0; i < alias.size();) {
    char c = alias[i];
    char cierre = c == '(' ? ')' : c == '[' ? ']' : c == '{' ? '}' : c == '<' ? '>' : c == '~' ? '~' : 0;
    if (!cierre) {
      r.Texto += c;
      ++i;
      continue;
    }
    std::size_t f = alias.find(cierre, i + 1);
    if (f == std::string::npos)
      throw ErrorPaises("Fichero de países: marca sin cerrar en el alias " + alias + " de " + entidad);
    std::string dentro = alias.substr(i + 1, f - i - 1);
    if (c == '(') {
      int z;
      if (!LeeEntero(dentro, z) || z < 1 || z > 40)
        throw ErrorPaises("Fichero de países: zona CQ no válida en el alias " + alias + " de " + entidad);
      r.Val.Zona = z;
    } else if (c == '{') {
      if (!ContinenteValido(dentro))
        throw ErrorPaises("Fichero de países: continente no válido en el alias " + alias + " de " + entidad);
      r.Val.Continente = dentro;
    }
    i = f + 1;
  }
  r.Texto = Mayusculas(r.Texto);
  return r;
}

// What the country file says of a prefix or a full call: country key, CQ
// zone and continent.
struct Lugar {
  std::string Dxcc;
  int Zona = 0;
  std::string Continente;
  bool operator==(const Lugar&) const = default;
};

using MapaLugares = std::unordered_map<std::string, Lugar>;

// A plain reading of the country file: a full call ("=") first, else the
// longest prefix.
struct Lectura {
  MapaLugares Prefijos;
  MapaLugares Llamadas;
  std::size_t Maximo = 0;

  const Lugar* PorPrefijo(std::string_view s) const {
    for (std::size_t n = std::min(s.size(), Maximo); n >= 1; --n) {
      auto it = Prefijos.find(std::string(s.substr(0, n)));
      if (it != Prefijos.end()) return &it->second;
    }
    return nullptr;
  }
  const Lugar* Lee(std::string_view s) const {
    auto it = Llamadas.find(std::string(s));
    return it != Llamadas.end() ? &it->second : PorPrefijo(s);
  }
  void Anade(MapaLugares& m, const std::string& t, const Lugar& l) {
    if (m.emplace(t, l).second && &m == &Prefijos) Maximo = std::max(Maximo, t.size());
  }
};

bool SoloLetras(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

std::size_t PrimerDigito(std::string_view s) {
  const std::size_t p = s.find_first_of("0123456789");
  return p == std::string_view::npos ? s.size() : p;
}

std::string Zona(int z) {
  char b[8];
  std::snprintf(b, sizeof b, "%02d", z);
  return b;
}

struct FilaPrefijo {
  std::string Prefijo, Dxcc;
};
struct FilaDxcc {
  std::string Dxcc, Waz, Continente;
};
struct FilaRegion {
  std::string Dxcc, Prefijo, Waz, Continente;
};

struct Contenido {
  std::vector<FilaDxcc> Paises;
  std::vector<FilaPrefijo> Prefijos;
  std::vector<FilaRegion> Regiones;
};


Lectura LeeContenido(const std::vector<Entidad>& entidades, std::vector<std::string>& paises,
                     std::map<std::string, Lugar>& propios) {
  Lectura l;
  for (const auto& e : entidades) {
    if (e.Primario[0] == '*') continue;
    std::string clave = Mayusculas(e.Primario);
    if (propios.count(clave)) throw ErrorPaises("Fichero de países: entidad repetida " + e.Primario);
    propios[clave] = {clave, e.Propios.Zona, e.Propios.Continente};
    paises.push_back(clave);
    for (const auto& a : e.Alias) {
      const bool llamada = a[0] == '=';
      Alias al = QuitaMarcas(llamada ? a.substr(1) : a, e.Propios, e.Primario);
      if (al.Texto.empty()) continue;
      l.Anade(llamada ? l.Llamadas : l.Prefijos, al.Texto, {clave, al.Val.Zona, al.Val.Continente});
    }
  }
  // The entries of an entity that is not a country ("*") keep their zone and
  // continent, and count as the country that the rest of the file gives them.
  std::vector<std::pair<std::string, Lugar>> prefijos, llamadas;
  for (const auto& e : entidades) {
    if (e.Primario[0] != '*') continue;
    for (const auto& a : e.Alias) {
      const bool llamada = a[0] == '=';
      Alias al = QuitaMarcas(llamada ? a.substr(1) : a, e.Propios, e.Primario);
      if (al.Texto.empty()) continue;
      const Lugar* padre = llamada ? l.Lee(al.Texto)
                                   : l.PorPrefijo(std::string_view(al.Texto).substr(0, al.Texto.size() - 1));
      if (!padre) continue;
      (llamada ? llamadas : prefijos).push_back({al.Texto, {padre->Dxcc, al.Val.Zona, al.Val.Continente}});
    }
  }
  for (auto& [t, v] : prefijos) l.Anade(l.Prefijos, t, v);
  for (auto& [t, v] : llamadas) l.Anade(l.Llamadas, t, v);
  return l;
}

template <class T>
std::vector<std::string> Claves(const std::unordered_map<std::string, T>& m) {
  std::vector<std::string> r;
  for (const auto& [k, v] : m) r.push_back(k);
  std::sort(r.begin(), r.end());
  return r;
}

// The value most often given (the first of a tie), or nullptr.
const Lugar* Mayoria(const std::vector<const Lugar*>& votos) {
  std::vector<std::pair<const Lugar*, int>> cuenta;
  for (const Lugar* v : votos) {
    auto it = std::find_if(cuenta.begin(), cuenta.end(), [&](auto& x) {
      return x.first == v || (x.first && v && *x.first == *v);
    });
    if (it == cuenta.end())
      cuenta.push_back({v, 1});
    else
      ++it->second;
  }
  const Lugar* r = nullptr;
  int maximo = 0;
  for (auto& [v, n] : cuenta)
    if (n > maximo) {
      maximo = n;
      r = v;
    }
  return r;
}


void Ejecuta(sqlite3* db, const char* sql) {
  char* error = nullptr;
  if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
    std::string msg = error ? error : sqlite3_errmsg(db);
    sqlite3_free(error);
    throw ErrorPaises("Base de datos de países: " + msg);
  }
}

void Inserta(sqlite3* db, const char* sql, const std::vector<std::vector<const std::string*>>& filas) {
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
    throw ErrorPaises(std::string("Base de datos de países: ") + sqlite3_errmsg(db));
  for (const auto& f : filas) {
    for (std::size_t i = 0; i < f.size(); ++i)
      sqlite3_bind_text(st, static_cast<int>(i + 1), f[i]->c_str(), static_cast<int>(f[i]->size()),
                        SQLITE_STATIC);
    if (sqlite3_step(st) != SQLITE_DONE) {
      std::string msg = sqlite3_errmsg(db);
      sqlite3_finalize(st);
      throw ErrorPaises("Base de datos de países: " + msg);
    }
    sqlite3_reset(st);
  }
  sqlite3_finalize(st);
}


void Escribe(sqlite3* db, const Contenido& c) {
  std::vector<std::vector<const std::string*>> filas;
  for (const auto& f : c.Paises) filas.push_back({&f.Dxcc, &f.Waz, &f.Continente});
  Inserta(db, "INSERT INTO Dxcc (Dxcc, Waz, Continente) VALUES (?1, ?2, ?3)", filas);
  filas.clear();
  for (const auto& f : c.Prefijos) filas.push_back({&f.Prefijo, &f.Dxcc});
  Inserta(db, "INSERT INTO Prefijos (Prefijo, Dxcc) VALUES (?1, ?2)", filas);
  filas.clear();
  for (const auto& f : c.Regiones) filas.push_back({&f.Dxcc, &f.Prefijo, &f.Waz, &f.Continente});
  Inserta(db, "INSERT INTO Regiones (Dxcc, Prefijo, Waz, Continente) VALUES (?1, ?2, ?3, ?4)", filas);
}

// Letters after the last digit of a call (all of it without a digit).
std::size_t LetrasTrasElDigito(const std::string& x) {
  const std::size_t p = x.find_last_of("0123456789");
  return p == std::string::npos ? x.size() : x.size() - p - 1;
}

// The lookups' answers for the content so far, from a copy in memory.
std::unique_ptr<TablasPaises> Simula(const Contenido& c) {
  sqlite3* db = nullptr;
  if (sqlite3_open(":memory:", &db) != SQLITE_OK) {
    sqlite3_close(db);
    throw ErrorPaises("Base de datos de países: sin memoria");
  }
  try {
    CreaTablasTerravia(db);
    Escribe(db, c);
    auto t = TablasPaises::Carga(db);
    sqlite3_close(db);
    return t;
  } catch (...) {
    sqlite3_close(db);
    throw;
  }
}

Contenido Traduce(const std::vector<Entidad>& entidades) {
  Contenido c;
  std::vector<std::string> paises;
  std::map<std::string, Lugar> propios;
  const Lectura l = LeeContenido(entidades, paises, propios);
  for (const auto& p : paises) {
    const Lugar& v = propios[p];
    c.Paises.push_back({p, Zona(v.Zona), v.Continente});
  }
  const std::vector<std::string> alias = Claves(l.Prefijos);

  // Keys of Prefijos. Every prefix of letters alone, and every two-letter
  // prefix that a one-letter one stands for (WA, KA, IK...): the call-area
  // digit follows them, so the district key is their country and the digit.
  std::map<std::string, std::string> claves;
  for (const auto& a : alias) {
    if (!SoloLetras(a)) continue;
    claves[a] = l.Prefijos.at(a).Dxcc;
    if (a.size() == 1)
      for (char y = 'A'; y <= 'Z'; ++y) {
        const std::string ay = a + y;
        if (!claves.count(ay)) claves[ay] = l.PorPrefijo(ay)->Dxcc;
      }
  }
  // Any other prefix only where it leads to another country than the
  // longest shorter key: the longest-prefix search gives the same country
  // without it, and its zone and continent come from the regions.
  auto masLargaMenor = [&](const std::string& t) -> const std::string* {
    for (std::size_t n = t.size(); n-- > 1;) {
      auto it = claves.find(t.substr(0, n));
      if (it != claves.end()) return &it->second;
      auto ia = l.Prefijos.find(t.substr(0, n));
      if (ia != l.Prefijos.end()) return &ia->second.Dxcc;
    }
    return nullptr;
  };
  std::vector<std::pair<std::string, std::string>> otras;
  for (const auto& a : alias) {
    if (claves.count(a)) continue;
    const std::string& dxcc = l.Prefijos.at(a).Dxcc;
    const std::string* menor = masLargaMenor(a);
    if (!menor || *menor != dxcc) otras.push_back({a, dxcc});
  }
  for (auto& [a, d] : otras) claves[a] = d;
  std::size_t maximo = 0;
  for (const auto& [k, d] : claves) maximo = std::max(maximo, k.size());
  auto claveDe = [&](std::string_view t) -> const std::pair<const std::string, std::string>* {
    for (std::size_t n = std::min(t.size(), maximo); n >= 1; --n) {
      auto it = claves.find(std::string(t.substr(0, n)));
      if (it != claves.end()) return &*it;
    }
    return nullptr;
  };

  // Regions. A region row is matched on the call from its first digit on,
  // whatever letters stand before it: each call area of a country (a prefix
  // of the file from its first digit on) takes the zone and continent that
  // most of the country's keys give it.
  std::map<std::string, std::vector<std::string>> clavesDe;
  for (const auto& [k, d] : claves) clavesDe[d].push_back(k);
  // In a country with keys that begin with letters, a prefix that begins
  // with a digit (a block such as 3Q beside QA) defines no call area: read
  // from its first digit on it would stand for a call area of the letters.
  std::set<std::string> conLetra;
  for (const auto& [k, d] : claves)
    if (PrimerDigito(k) > 0) conLetra.insert(d);
  std::map<std::string, std::set<std::string>> areas;
  for (const auto& a : alias) {
    const std::size_t p = PrimerDigito(a);
    if (p == a.size()) continue;
    const auto* k = claveDe(a);
    if (k && (p > 0 || !conLetra.count(k->second))) areas[k->second].insert(a.substr(p));
  }
  std::map<std::string, std::vector<FilaRegion>> regiones;
  for (auto& [dxcc, sufijos] : areas) {
    std::map<std::string, const Lugar*> decide;
    std::map<std::string, std::string> letras;
    for (const auto& s : sufijos) {
      std::vector<const Lugar*> votos;
      for (const auto& k : clavesDe[dxcc]) {
        const std::string delante = k.substr(0, PrimerDigito(k));
        const std::string llamada = delante + s;
        const auto* destino = claveDe(llamada);
        if (!destino || destino->second != dxcc) continue;
        const Lugar* v = l.PorPrefijo(llamada);
        if (!v) continue;
        votos.push_back(v);
        if (!letras.count(s)) letras[s] = delante;
      }
      decide[s] = Mayoria(votos);
    }
    std::vector<std::string> orden;
    for (const auto& s : sufijos) {
      if (!decide[s]) continue;
      const Lugar* heredado = &propios[dxcc];
      for (std::size_t n = s.size(); n-- > 1;) {
        auto it = decide.find(s.substr(0, n));
        if (it != decide.end() && it->second) {
          heredado = it->second;
          break;
        }
      }
      if (decide[s]->Zona != heredado->Zona || decide[s]->Continente != heredado->Continente)
        orden.push_back(s);
    }
    std::stable_sort(orden.begin(), orden.end(),
                     [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    for (const auto& s : orden)
      regiones[dxcc].push_back(
          {dxcc, letras[s] + s + "*", Zona(decide[s]->Zona), decide[s]->Continente});
  }

  auto vuelca = [&]() {
    c.Prefijos.clear();
    for (const auto& [k, d] : claves) c.Prefijos.push_back({k, d});
    c.Regiones.clear();
    for (const auto& p : paises)
      for (const auto& r : regiones[p]) c.Regiones.push_back(r);
  };
  vuelca();

  // Full calls ("=") that the prefixes answer otherwise: a key of their own
  // when their country differs, a row of their own (before the call areas)
  // when the zone or the continent still does. A key also answers the
  // longer calls that begin with it, and a region row every call of the
  // country with the same text from the digit on: so a key needs two letters
  // or more after the digit and a row three (shorter suffixes are shared by
  // too many other calls). Calls with "/" are left to the prefixes.
  {
    auto tablas = Simula(c);
    std::map<std::string, std::vector<FilaRegion>> delante;
    for (const auto& x : Claves(l.Llamadas)) {
      if (x.find('/') != std::string::npos || x.size() > 20) continue;
      const Lugar& v = l.Llamadas.at(x);
      std::string d, w, k;
      ObtienePaisZonaContinente(*tablas, x, d, w, k);
      if (d == v.Dxcc && w == Zona(v.Zona) && k == v.Continente) continue;
      const std::size_t letras = LetrasTrasElDigito(x);
      if (d != v.Dxcc) {
        if (letras < 2) continue;
        claves[x] = v.Dxcc;
        const Lugar& suyo = propios[v.Dxcc];
        if (suyo.Zona == v.Zona && suyo.Continente == v.Continente) continue;
      }
      if (letras >= 3) delante[v.Dxcc].push_back({v.Dxcc, x, Zona(v.Zona), v.Continente});
    }
    for (auto& [dxcc, filas] : delante)
      regiones[dxcc].insert(regiones[dxcc].begin(), filas.begin(), filas.end());
  }
  vuelca();
  return c;
}

}  // namespace

void CreaTablasTerravia(sqlite3* db) {
  Ejecuta(db,
          "CREATE TABLE Prefijos (Prefijo TEXT(20) COLLATE NOCASE, Dxcc TEXT(10) COLLATE NOCASE);"
          "CREATE UNIQUE INDEX ClavePrefijo ON Prefijos (Prefijo);"
          "CREATE TABLE Dxcc (Dxcc TEXT(10) COLLATE NOCASE, Waz TEXT(5), Continente TEXT(2));"
          "CREATE UNIQUE INDEX ClaveDxcc ON Dxcc (Dxcc);"
          "CREATE TABLE Regiones (Dxcc TEXT(10) COLLATE NOCASE, Prefijo TEXT(20), Waz TEXT(5), "
          "Continente TEXT(2));");
}

ResumenTerravia CreaTerravia(const std::string& rutaCty, const std::string& rutaSalida) {
  const Contenido c = Traduce(LeeFicheroPaises(rutaCty));
  for (const auto& f : c.Prefijos)
    if (f.Prefijo.size() > 20 || f.Dxcc.size() > 10)
      throw ErrorPaises("Fichero de países: prefijo demasiado largo: " + f.Prefijo);
  for (const auto& f : c.Regiones)
    if (f.Prefijo.size() > 20) throw ErrorPaises("Fichero de países: patrón demasiado largo: " + f.Prefijo);

  std::error_code ec;
  if (std::filesystem::exists(std::filesystem::symlink_status(plataforma::ResuelveRuta(rutaSalida), ec)))
    throw ErrorPaises("Ya existe " + rutaSalida + ": no se sobrescribe");
  // Created exclusively: a file that appears meanwhile is not overwritten.
  int fd = ::open(rutaSalida.c_str(), O_CREAT | O_EXCL | O_WRONLY, 0644);
  if (fd < 0) throw ErrorPaises("No se puede crear " + rutaSalida);
  ::close(fd);

  sqlite3* db = nullptr;
  try {
    if (sqlite3_open_v2(rutaSalida.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
      throw ErrorPaises("No se puede abrir " + rutaSalida + ": " + (db ? sqlite3_errmsg(db) : "sin memoria"));
    Ejecuta(db, "BEGIN");
    CreaTablasTerravia(db);
    Escribe(db, c);
    Ejecuta(db, "COMMIT");
    if (sqlite3_close(db) != SQLITE_OK) throw ErrorPaises("No se puede cerrar " + rutaSalida);
    db = nullptr;
  } catch (...) {
    sqlite3_close_v2(db);
    std::error_code ec;
    std::filesystem::remove(rutaSalida, ec);
    std::filesystem::remove(rutaSalida + "-journal", ec);
    throw;
  }
  ResumenTerravia r;
  r.Paises = c.Paises.size();
  r.Prefijos = c.Prefijos.size();
  r.Regiones = c.Regiones.size();
  return r;
}
