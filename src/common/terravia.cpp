#include "common/terravia.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <map>
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

Contenido Traduce(const std::vector<Entidad>& entidades) {
  Contenido c;
  struct Dueno {
    std::string Dxcc;
    Valores Val;
  };
  std::vector<std::string> orden;  // aliases in file order
  std::unordered_map<std::string, Dueno> duenos;
  std::map<std::string, Valores> propios;
  std::vector<std::string> ordenPaises;

  for (const auto& e : entidades) {
    if (e.Primario[0] == '*') continue;
    std::string clave = Mayusculas(e.Primario);
    if (propios.count(clave)) throw ErrorPaises("Fichero de países: entidad repetida " + e.Primario);
    propios[clave] = e.Propios;
    ordenPaises.push_back(clave);
    c.Paises.push_back({clave, Zona(e.Propios.Zona), e.Propios.Continente});
    for (const auto& a : e.Alias) {
      if (a[0] == '=') continue;
      Alias al = QuitaMarcas(a, e.Propios, e.Primario);
      if (al.Texto.empty() || duenos.count(al.Texto)) continue;
      duenos[al.Texto] = {clave, al.Val};
      orden.push_back(al.Texto);
    }
  }

  // Longest alias of a DXCC entity that is a proper left part of the text.
  auto masLargoMenor = [&](const std::string& t) -> const Dueno* {
    for (std::size_t n = t.size(); n-- > 1;) {
      auto it = duenos.find(t.substr(0, n));
      if (it != duenos.end()) return &it->second;
    }
    return nullptr;
  };

  // Aliases of non-DXCC entities join the entity of their longest shorter
  // alias, with their own zone and continent.
  std::vector<std::pair<std::string, Dueno>> agregados;
  for (const auto& e : entidades) {
    if (e.Primario[0] != '*') continue;
    for (const auto& a : e.Alias) {
      if (a[0] == '=') continue;
      Alias al = QuitaMarcas(a, e.Propios, e.Primario);
      if (al.Texto.empty() || duenos.count(al.Texto)) continue;
      const Dueno* padre = masLargoMenor(al.Texto);
      if (!padre) continue;
      agregados.push_back({al.Texto, {padre->Dxcc, al.Val}});
    }
  }
  for (auto& [t, d] : agregados) {
    if (duenos.count(t)) continue;
    duenos[t] = d;
    orden.push_back(t);
  }

  for (const auto& t : orden) {
    const Dueno& d = duenos[t];
    const Dueno* menor = masLargoMenor(t);
    if (menor && menor->Dxcc == d.Dxcc) continue;
    c.Prefijos.push_back({t, d.Dxcc});
  }

  // Call areas per country: the alias from its first digit on.
  struct Area {
    std::vector<std::pair<Valores, std::string>> Votos;  // values and alias, file order
  };
  // In a country with letter-led aliases that hold a digit, an alias that
  // begins with a digit (a block such as "3H" beside "BY") defines no call
  // area: from its first digit on it would read as another call area.
  std::map<std::string, bool> conLetra;
  for (const auto& t : orden) {
    std::size_t d = t.find_first_of("0123456789");
    if (d != std::string::npos && d > 0) conLetra[duenos[t].Dxcc] = true;
  }
  std::map<std::string, std::map<std::string, Area>> areas;
  for (const auto& t : orden) {
    std::size_t d = t.find_first_of("0123456789");
    if (d == std::string::npos) continue;
    const Dueno& du = duenos[t];
    if (d == 0 && conLetra[du.Dxcc]) continue;
    areas[du.Dxcc][t.substr(d)].Votos.push_back({du.Val, t});
  }
  for (const auto& pais : ordenPaises) {
    auto ip = areas.find(pais);
    if (ip == areas.end()) continue;
    const Valores& delPais = propios[pais];
    // Value and pattern of each call area.
    struct Decision {
      Valores Val;
      std::string Alias;
    };
    std::map<std::string, Decision> decide;
    for (const auto& [area, a] : ip->second) {
      std::vector<std::pair<Valores, int>> cuenta;
      for (const auto& v : a.Votos) {
        auto it = std::find_if(cuenta.begin(), cuenta.end(), [&](auto& x) { return x.first == v.first; });
        if (it == cuenta.end())
          cuenta.push_back({v.first, 1});
        else
          ++it->second;
      }
      int maximo = 0;
      for (auto& x : cuenta) maximo = std::max(maximo, x.second);
      Valores elegido;
      bool hay = false;
      for (auto& x : cuenta)
        if (x.second == maximo && x.first == delPais) {
          elegido = x.first;
          hay = true;
        }
      if (!hay)
        for (auto& x : cuenta)
          if (x.second == maximo) {
            elegido = x.first;
            break;
          }
      std::string alias;
      for (const auto& v : a.Votos)
        if (v.first == elegido) {
          alias = v.second;
          break;
        }
      decide[area] = {elegido, alias};
    }
    std::vector<std::string> orden_areas;
    for (const auto& [area, dec] : decide) {
      // What the call area gets without a row of its own.
      Valores heredado = delPais;
      for (std::size_t n = area.size(); n-- > 1;) {
        auto it = decide.find(area.substr(0, n));
        if (it != decide.end()) {
          heredado = it->second.Val;
          break;
        }
      }
      if (!(dec.Val == heredado)) orden_areas.push_back(area);
    }
    std::stable_sort(orden_areas.begin(), orden_areas.end(),
                     [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    for (const auto& area : orden_areas) {
      const Decision& dec = decide[area];
      c.Regiones.push_back({pais, dec.Alias + "*", Zona(dec.Val.Zona), dec.Val.Continente});
    }
  }
  return c;
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
    std::vector<std::vector<const std::string*>> filas;
    for (const auto& f : c.Paises) filas.push_back({&f.Dxcc, &f.Waz, &f.Continente});
    Inserta(db, "INSERT INTO Dxcc (Dxcc, Waz, Continente) VALUES (?1, ?2, ?3)", filas);
    filas.clear();
    for (const auto& f : c.Prefijos) filas.push_back({&f.Prefijo, &f.Dxcc});
    Inserta(db, "INSERT INTO Prefijos (Prefijo, Dxcc) VALUES (?1, ?2)", filas);
    filas.clear();
    for (const auto& f : c.Regiones) filas.push_back({&f.Dxcc, &f.Prefijo, &f.Waz, &f.Continente});
    Inserta(db, "INSERT INTO Regiones (Dxcc, Prefijo, Waz, Continente) VALUES (?1, ?2, ?3, ?4)", filas);
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
