#include "scoring/clasificaciones.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <limits>
#include <map>

#include "common/edicion_concurso.h"
#include "plataforma/dao.h"
#include "plataforma/errores.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"

namespace scoring {

namespace {

constexpr std::size_t kLargoConcursante = 24;  // columns of `Clasificaciones`
constexpr std::size_t kLargoCategoria = 32;

constexpr std::string_view kCarpetaClasificacion = "ListasClasificacion";
constexpr std::string_view kFicheroPorCategoria = "ListaPorCategoria.lst";
constexpr std::string_view kFicheroPorPuntos = "ListaPorPuntos.lst";

bool EmpiezaPor(std::string_view texto, std::string_view inicio) { return texto.substr(0, inicio.size()) == inicio; }

// The value of a line: what follows its first ":", blanks trimmed.
std::string Valor(const std::string& linea) {
  const std::size_t p = linea.find(':');
  return plataforma::Recorta(p == std::string::npos ? std::string_view() : std::string_view(linea).substr(p + 1));
}

// Left-aligned in a field of `ancho` characters; a longer value is kept whole.
std::string Campo(std::string_view valor, std::size_t ancho) {
  std::string s(valor);
  const std::size_t largo = plataforma::Longitud(valor);
  if (largo < ancho) s.append(ancho - largo, ' ');
  return s;
}

std::string Campo(long long valor, std::size_t ancho) { return Campo(std::to_string(valor), ancho); }

// A whole number with an optional sign and nothing else, within 32 bits.
std::optional<std::int32_t> Entero32(const std::string& texto) {
  std::string_view t = texto;
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  if (t.empty() || t.front() == '+') return std::nullopt;
  long long v = 0;
  const auto [fin, error] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (error != std::errc() || fin != t.data() + t.size()) return std::nullopt;
  if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(v);
}

std::string RutaCarpeta(const std::string& carpeta_concurso, std::string_view subcarpeta) {
  return plataforma::ResuelveRuta(plataforma::UneRuta(carpeta_concurso, subcarpeta));
}

FilaClasificacion Fila(dao::Recordset& rs) {
  FilaClasificacion f;
  f.Concursante = rs["Concursante"].CStr();
  f.Categoria = rs["Categoria"].CStr();
  f.Puntos = rs["Puntos"].IsNull() ? 0 : rs["Puntos"].CLng();
  return f;
}

}  // namespace

std::optional<FilaClasificacion> LeeFilaClasificacion(const std::vector<std::string>& lineas, std::string& motivo) {
  std::optional<std::string> concursante, categoria, puntos;
  for (const std::string& l : lineas) {
    if (l.find("CATEGORÍA: ") != std::string::npos) categoria = Valor(l);
    if (l.find("CONCURSANTE: ") != std::string::npos) concursante = Valor(l);
    if (l.find("TOTAL PUNTOS:") != std::string::npos) puntos = Valor(l);
  }
  if (!concursante || concursante->empty()) {
    motivo = "no nombra al concursante (falta \"CONCURSANTE:\")";
    return std::nullopt;
  }
  if (!puntos) {
    motivo = "falta \"TOTAL PUNTOS:\"";
    return std::nullopt;
  }
  const std::optional<std::int32_t> valor = Entero32(*puntos);
  if (!valor) {
    motivo = "la puntuación \"" + *puntos + "\" no es un número válido";
    return std::nullopt;
  }
  if (plataforma::Longitud(*concursante) > kLargoConcursante) {
    motivo = "el concursante tiene más de " + std::to_string(kLargoConcursante) + " caracteres";
    return std::nullopt;
  }
  FilaClasificacion fila;
  fila.Concursante = *concursante;
  fila.Categoria = categoria.value_or(std::string());
  if (plataforma::Longitud(fila.Categoria) > kLargoCategoria) {
    motivo = "la categoría tiene más de " + std::to_string(kLargoCategoria) + " caracteres";
    return std::nullopt;
  }
  fila.Puntos = *valor;
  return fila;
}

CuentasListaCruzada CuentaLineasCruzadas(std::string_view bytes) {
  CuentasListaCruzada c;
  const char* const datos = bytes.data();
  const std::size_t n = bytes.size();
  // The next CR and the next LF are each sought once and kept until the
  // scan passes them: a file of lone CRs (or lone LFs) is read once, not
  // once per line.
  const auto siguiente = [&](char fin, std::size_t desde) {
    const void* p = desde < n ? std::memchr(datos + desde, fin, n - desde) : nullptr;
    return p ? static_cast<std::size_t>(static_cast<const char*>(p) - datos) : n;
  };
  std::size_t cr = siguiente('\r', 0), lf = siguiente('\n', 0);
  for (std::size_t inicio = 0; inicio < n;) {
    if (cr < inicio) cr = siguiente('\r', inicio);
    if (lf < inicio) lf = siguiente('\n', inicio);
    const std::size_t fin = std::min(cr, lf);
    const std::string_view l(datos + inicio, fin - inicio);
    if (EmpiezaPor(l, "QSO:"))
      ++c.Qsos;
    else if (EmpiezaPor(l, "DUP"))
      ++c.Duplicados;
    else if (EmpiezaPor(l, "NUL"))
      ++c.Nulos;
    inicio = fin + 1;
  }
  return c;
}

namespace {

// The lines of a score file (its Windows-1252 bytes) that LeeFilaClasificacion
// reads, in order and as LeerLineas gives them: those holding one of its
// marks. Only they are converted; the marks hold no line end, so each is
// found in the bytes as a whole and its line cut around it.
std::vector<std::string> LineasConMarca(std::string_view bytes) {
  // "CATEGORÍA: " as Windows-1252 bytes (Í is 0xCD).
  static constexpr std::string_view kMarcas[] = {"CATEGOR\xCD" "A: ", "CONCURSANTE: ", "TOTAL PUNTOS:"};
  const char* const datos = bytes.data();
  const std::size_t n = bytes.size();
  const auto busca = [&](std::string_view marca, std::size_t desde) -> std::size_t {
    if (desde >= n) return n;
    const void* p = memmem(datos + desde, n - desde, marca.data(), marca.size());
    return p ? static_cast<std::size_t>(static_cast<const char*>(p) - datos) : n;
  };
  std::size_t siguiente[std::size(kMarcas)];
  for (std::size_t m = 0; m < std::size(kMarcas); ++m) siguiente[m] = busca(kMarcas[m], 0);
  std::vector<std::string> lineas;
  for (std::size_t desde = 0;;) {
    std::size_t marca = n;
    for (std::size_t m = 0; m < std::size(kMarcas); ++m) {
      if (siguiente[m] < desde) siguiente[m] = busca(kMarcas[m], desde);
      marca = std::min(marca, siguiente[m]);
    }
    if (marca >= n) break;
    std::size_t inicio = marca;
    while (inicio > 0 && datos[inicio - 1] != '\r' && datos[inicio - 1] != '\n') --inicio;
    std::size_t fin = marca;
    while (fin < n && datos[fin] != '\r' && datos[fin] != '\n') ++fin;
    lineas.push_back(plataforma::DesdeWindows1252(bytes.substr(inicio, fin - inicio)));
    desde = fin;
  }
  return lineas;
}

// CuentaListaCruzada in the crossed-logs folder resolved already, reading
// through `bytes`.
CuentasListaCruzada CuentaEnCarpeta(const std::string& carpeta_cruzadas, const std::string& concursante,
                                    std::string& bytes) {
  // The name comes from a score file; one that would leave the folder names
  // no crossed log.
  if (concursante.empty() || concursante.find_first_of("/\\") != std::string::npos || concursante == "." ||
      concursante == "..")
    return {};
  const std::string ruta = plataforma::ResuelveRuta(plataforma::UneRuta(carpeta_cruzadas, concursante + ".LOG"));
  if (!plataforma::LeerBytesResuelta(ruta, bytes)) return {};
  return CuentaLineasCruzadas(bytes);
}

}  // namespace

CuentasListaCruzada CuentaListaCruzada(const std::string& carpeta_concurso, const std::string& concursante) {
  std::string bytes;
  return CuentaEnCarpeta(RutaCarpeta(carpeta_concurso, "ListasCruzadas"), concursante, bytes);
}

std::string ElementoPorCategoria(const FilaClasificacion& fila, const CuentasListaCruzada& c) {
  const long long nulos = static_cast<long long>(c.Duplicados) + c.Nulos;
  return "CATEGORÍA:" + Campo(fila.Categoria, 26) + " CONCURSANTE:" + Campo(fila.Concursante, 11) +
         " PUNTOS:" + Campo(fila.Puntos, 7) + " QSOS:" + Campo(c.Qsos + nulos, 6) + " NULOS:" + Campo(nulos, 6);
}

std::string ElementoPorPuntos(const FilaClasificacion& fila, const CuentasListaCruzada& c) {
  const long long nulos = c.Nulos;
  return "CONCURSANTE:" + Campo(fila.Concursante, 11) + " PUNTOS:" + Campo(fila.Puntos, 7) +
         " CATEGORÍA:" + Campo(fila.Categoria, 26) + " QSOS:" + Campo(c.Qsos + nulos, 6) + " NULOS:" + Campo(nulos, 6);
}

ResultadoClasificaciones CalculaClasificaciones(dao::Database& base, const EdicionConcurso& edicion) {
  ResultadoClasificaciones resultado;
  std::vector<PuntuacionOmitida>& omitidas = resultado.Omitidas;
  const std::string& carpeta_concurso = edicion.Carpeta();

  // 1. The table holds only the ranking being built.
  base.BeginTrans();
  try {
    base.Execute("DELETE FROM Clasificaciones");
    dao::Recordset tabla = base.OpenRecordset("Clasificaciones");
    const std::string carpeta = edicion.Ruta(ListaEdicion::Puntuaciones);
    std::string bytes;  // one buffer for every score file
    for (const std::string& nombre : plataforma::ListaFicheros(carpeta)) {
      const std::string ruta = plataforma::UneRuta(carpeta, nombre);
      if (!plataforma::ExisteFichero(ruta) || !plataforma::LeerBytes(ruta, bytes)) {
        omitidas.push_back({nombre, "no se puede leer"});
        continue;
      }
      // Only the lines that give the row are made text.
      const std::vector<std::string> lineas = LineasConMarca(bytes);
      std::string motivo;
      const std::optional<FilaClasificacion> fila = LeeFilaClasificacion(lineas, motivo);
      if (!fila) {
        omitidas.push_back({nombre, motivo});
        continue;
      }
      tabla.AddNew();
      tabla["Concursante"].SetValue(dao::Variant(fila->Concursante));
      tabla["Categoria"].SetValue(dao::Variant(fila->Categoria));
      tabla["Puntos"].SetValue(dao::Variant(fila->Puntos));
      tabla.Update();
    }
    tabla.Close();
    base.CommitTrans();
  } catch (...) {
    base.Rollback();
    throw;
  }

  // 2. The two lists.
  struct Orden {
    const char* Select;
    std::vector<std::string>* Lista;
    std::string (*Elemento)(const FilaClasificacion&, const CuentasListaCruzada&);
  };
  const Orden ordenes[] = {
      {"Select * From Clasificaciones Order By Categoria ASC,Puntos Desc, Concursante Asc", &resultado.PorCategoria,
       ElementoPorCategoria},
      {"Select * From Clasificaciones Order By Puntos Desc,Categoria Desc, Concursante Asc", &resultado.PorPuntos,
       ElementoPorPuntos},
  };
  // Each crossed log is counted once per rebuild, for both lists; the
  // folder is resolved once, and one buffer serves every log.
  std::map<std::string, CuentasListaCruzada> cuentas;
  const std::string carpeta_cruzadas = RutaCarpeta(carpeta_concurso, "ListasCruzadas");
  std::string bytes;
  const auto cuenta = [&](const std::string& concursante) -> const CuentasListaCruzada& {
    auto it = cuentas.find(concursante);
    if (it == cuentas.end())
      it = cuentas.emplace(concursante, CuentaEnCarpeta(carpeta_cruzadas, concursante, bytes)).first;
    return it->second;
  };
  for (const Orden& orden : ordenes) {
    dao::Recordset rs = base.OpenRecordset(orden.Select, dao::TipoRecordset::Snapshot);
    for (; !rs.Eof(); rs.MoveNext()) {
      const FilaClasificacion fila = Fila(rs);
      orden.Lista->push_back(orden.Elemento(fila, cuenta(fila.Concursante)));
    }
    rs.Close();
  }

  return resultado;
}

ResultadoClasificaciones GeneraClasificaciones(dao::Database& base, const EdicionConcurso& edicion) {
  ResultadoClasificaciones resultado = CalculaClasificaciones(base, edicion);
  GuardaListasClasificacion(resultado, edicion);
  return resultado;
}

void GuardaListasClasificacion(const ResultadoClasificaciones& clasificaciones, const EdicionConcurso& edicion) {
  const std::string carpeta = RutaCarpeta(edicion.Carpeta(), kCarpetaClasificacion);
  if (!plataforma::CreaCarpeta(carpeta)) throw plataforma::ErrorFichero(carpeta, "No se puede crear la carpeta");
  for (const std::string& f : plataforma::ListaFicheros(carpeta))
    plataforma::BorraFichero(plataforma::UneRuta(carpeta, f));
  const std::pair<std::string_view, const std::vector<std::string>*> ficheros[] = {
      {kFicheroPorCategoria, &clasificaciones.PorCategoria},
      {kFicheroPorPuntos, &clasificaciones.PorPuntos},
  };
  for (const auto& [fichero, lista] : ficheros) {
    const std::string ruta = plataforma::UneRuta(carpeta, fichero);
    if (!plataforma::EscribirLineas(ruta, *lista))
      throw plataforma::ErrorFichero(ruta, "No se puede escribir la clasificación");
  }
}

std::string TextoPuntuacionesOmitidas(const std::vector<PuntuacionOmitida>& omitidas) {
  std::string texto = "Estos ficheros de puntuación no entran en la clasificación:";
  for (const PuntuacionOmitida& o : omitidas) texto += "\n" + o.Fichero + ": " + o.Motivo;
  return texto;
}

}  // namespace scoring
