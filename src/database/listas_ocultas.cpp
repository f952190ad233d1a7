#include "database/listas_ocultas.h"

#include <stdexcept>

#include "database/conexiones.h"

namespace listas {

namespace {

const std::array<DefinicionGrupo, kNumeroGrupos> kGrupos = {{
    {Grupo::Provincias, "ListaProv", {"ListaProv", "ListaExProv"}, {"CodigoProv", "ProvExcluida"}},
    {Grupo::Distritos,
     "ListaDistritos",
     {"ListaDistritos", "ListaExDistritos"},
     {"CodigoDistrito", "DistritoExcluido"}},
    {Grupo::MultEstaciones, "ListaMultEspeciales", {"ListaMultEstEsp"}, {"MultEstacion"}},
    {Grupo::Paises, "ListaPaises", {"ListaExPaises"}, {"DxccExcluido"}},
    {Grupo::Prefijos, "ListaPrefijos", {"ListaExPrefijos"}, {"PrefijoExcluido"}},
    {Grupo::Cq, "ListaCq", {"ListaExZonasCq"}, {"CqExcluido"}},
    {Grupo::Especiales,
     "ListaEspeciales",
     {"ListaEstEsp", "ListaPreEsp", "ListaDistEsp", "ListaProvEsp", "ListaBandaEsp", "ListaModoEsp", "ListaPuntosEsp",
      "ListaPuntosRefEsp"},
     {"Estacion", "Prefijo", "Distrito", "Provincia", "Banda", "Modo", "Puntos", "PuntosRef"}},
    {Grupo::MultEspeciales,
     "MultEspeciales",
     {"ListaEstMultEsp", "ListaPaisMultEsp", "ListaDistritoMultEsp", "ListaPrefijoMultEsp", "ListaProvinciasMultEsp",
      "ListaZonaCqMultEsp", "ListaOtrosMultEsp", "ListaPuntosMultEsp"},
     {"Estacion", "Pais", "Distrito", "Prefijo", "Provincia", "ZonaCQ", "OtrasSiglas", "Puntos"}},
}};

bool EsFlag(Grupo g, std::size_t columna) { return (g == Grupo::Provincias || g == Grupo::Distritos) && columna == 1; }
bool EsPuntos(Grupo g, std::size_t columna) {
  return (g == Grupo::Especiales || g == Grupo::MultEspeciales) && columna == 6 + (g == Grupo::MultEspeciales);
}
// Banda, Modo and PuntosRef of a special station: "*" for any value.
bool EsComodin(Grupo g, std::size_t columna) {
  return g == Grupo::Especiales && (columna == 4 || columna == 5 || columna == 7);
}
bool TieneValores(Grupo g) {
  return g == Grupo::Provincias || g == Grupo::Distritos || g == Grupo::MultEstaciones || g == Grupo::Paises ||
         g == Grupo::Prefijos || g == Grupo::Cq;
}

std::vector<std::string>& Lista(ListasOcultas& l, std::string_view nombre) {
  auto it = l.find(nombre);
  if (it == l.end()) it = l.emplace(std::string(nombre), std::vector<std::string>{}).first;
  return it->second;
}

// Item i of a list; past its end the empty text.
std::string Item(const std::vector<std::string>& lista, std::size_t i) {
  return i < lista.size() ? lista[i] : std::string();
}

// Whether the group is stored, and the exclusion option of the group.
struct Condicion {
  bool guardar;
  bool excluir;
};

Condicion CondicionDe(Grupo g, const OpcionesListas& o, bool nuevo) {
  switch (g) {
    case Grupo::Provincias: return {o.CadaProv || (!nuevo && o.ProvPorBanda), o.ExcluirProv};
    case Grupo::Distritos: return {o.CadaDistrito || (!nuevo && o.DistritoPorBanda), o.ExcluirDistrito};
    case Grupo::MultEstaciones: return {o.CadaEstacion || o.EstacionPorBanda, true};
    case Grupo::Paises: return {(o.CadaPais || (!nuevo && o.PaisPorBanda)) && o.ExcluirPais, o.ExcluirPais};
    case Grupo::Prefijos:
      return {(o.CadaPrefijo || (!nuevo && o.PrefijoPorBanda)) && o.ExcluirPrefijo, o.ExcluirPrefijo};
    case Grupo::Cq: return {(o.CadaCq || (!nuevo && o.CqPorBanda)) && o.ExcluirCq, o.ExcluirCq};
    case Grupo::Especiales: return {o.RecibirPuntos, true};
    case Grupo::MultEspeciales: return {o.Multiplicadores, true};
  }
  return {false, false};
}

// Trims the group's lists by the options and works out the exclusion flag of
// every entry (provinces and districts; the others give an empty vector).
std::vector<bool> Recorta(Grupo g, const OpcionesListas& o, ListasOcultas& l, bool nuevo) {
  const DefinicionGrupo& d = Definicion(g);
  Condicion c = CondicionDe(g, o, nuevo);
  if (!c.guardar) {
    for (std::string_view nombre : d.listas) Lista(l, nombre).clear();
    return {};
  }
  if (g != Grupo::Provincias && g != Grupo::Distritos) return {};
  std::vector<std::string>& valores = Lista(l, d.listas[0]);
  std::vector<std::string>& flags = Lista(l, d.listas[1]);
  std::vector<bool> r(valores.size(), false);
  if (nuevo && !c.excluir) {
    flags.clear();
    return r;
  }
  for (std::size_t i = 0; i < valores.size(); ++i) {
    r[i] = c.excluir && Item(flags, i) == "SI";
    if (!r[i] && i < flags.size()) flags[i].clear();
  }
  return r;
}

dao::Variant ValorColumna(Grupo g, std::size_t columna, const std::string& item, bool flag) {
  if (EsFlag(g, columna)) return dao::Variant(flag);
  if (EsPuntos(g, columna)) {
    if (item.empty()) return dao::Variant(0);
    return dao::Variant(item);
  }
  // An empty wildcard column means any value, as "*" does (the `Modo`
  // column takes no empty text).
  if (EsComodin(g, columna) && item.empty()) return dao::Variant("*");
  return dao::Variant(item);
}

// Adds one row per entry of the group.
void AgregaFilas(dao::Database& base, Grupo g, std::int32_t numero, const std::vector<bool>& flags, ListasOcultas& l) {
  const DefinicionGrupo& d = Definicion(g);
  dao::Recordset rs = base.OpenRecordset(d.tabla);
  const std::vector<std::string>& primera = Lista(l, d.listas[0]);
  for (std::size_t i = 0; i < primera.size(); ++i) {
    rs.AddNew();
    rs["NumeroOrden"] = dao::Variant(numero);
    for (std::size_t c = 0; c < d.columnas.size(); ++c) {
      bool flag = i < flags.size() && flags[i];
      rs[d.columnas[c]] = ValorColumna(g, c, Item(Lista(l, d.listas[c]), i), flag);
    }
    rs.Update();
  }
  rs.Close();
}

dao::Recordset FilasDelConcurso(dao::Database& base, std::string_view tabla, std::int32_t numero) {
  return base.OpenRecordset("Select * From " + std::string(tabla) + " Where NumeroOrden = ?", {dao::Variant(numero)});
}

std::string TextoCargado(Grupo g, std::size_t columna, const dao::Variant& v) {
  if (EsFlag(g, columna)) {
    bool excluido = !v.IsNull() && v.CBool();
    if (excluido) return "SI";
    return g == Grupo::Provincias ? "" : " ";
  }
  if (EsPuntos(g, columna)) {
    if (v.IsNull()) return "";
    if (v.EsNumero() && v.CDbl() == 0) return "";
    return v.CStr();
  }
  std::string t = v.IsNull() ? std::string() : v.CStr();
  if (EsComodin(g, columna) && t.empty()) return "*";
  return t;
}

}  // namespace

const std::array<DefinicionGrupo, kNumeroGrupos>& Grupos() { return kGrupos; }

const DefinicionGrupo& Definicion(Grupo grupo) {
  for (const DefinicionGrupo& d : kGrupos)
    if (d.grupo == grupo) return d;
  throw std::logic_error("grupo de listas desconocido");
}

ListasOcultas ListasVacias() {
  ListasOcultas l;
  for (const DefinicionGrupo& d : kGrupos)
    for (std::string_view nombre : d.listas) l.emplace(std::string(nombre), std::vector<std::string>{});
  return l;
}

void LimpiaListas(ListasOcultas& l) {
  for (auto& [nombre, lista] : l) lista.clear();
}

void Carga(dao::Database& base, Grupo grupo, std::int32_t numero, ListasOcultas& l) {
  const DefinicionGrupo& d = Definicion(grupo);
  dao::Recordset rs = FilasDelConcurso(base, d.tabla, numero);
  for (std::string_view nombre : d.listas) Lista(l, nombre).clear();
  for (; !rs.Eof(); rs.MoveNext())
    for (std::size_t c = 0; c < d.columnas.size(); ++c)
      Lista(l, d.listas[c]).push_back(TextoCargado(grupo, c, rs[d.columnas[c]].Value()));
  rs.Close();
}

void Graba(dao::Database& base, Grupo grupo, std::int32_t numero, const OpcionesListas& o, ListasOcultas& l) {
  std::vector<bool> flags = Recorta(grupo, o, l, true);
  AgregaFilas(base, grupo, numero, flags, l);
}

void Actualiza(dao::Database& base, Grupo grupo, std::int32_t numero, const OpcionesListas& o, ListasOcultas& l) {
  const DefinicionGrupo& d = Definicion(grupo);
  if (!TieneValores(grupo)) {
    Borra(base, grupo, numero);
    std::vector<bool> flags = Recorta(grupo, o, l, false);
    AgregaFilas(base, grupo, numero, flags, l);
    return;
  }
  std::vector<bool> flags = Recorta(grupo, o, l, false);
  const std::vector<std::string>& valores = Lista(l, d.listas[0]);
  const std::string_view columna = d.columnas[0];
  const bool conFlag = d.columnas.size() > 1;

  // First pass: a row whose value is listed stays (with the flag of the
  // place where it was found); any other row goes.
  dao::Recordset rs = FilasDelConcurso(base, d.tabla, numero);
  for (; !rs.Eof(); rs.MoveNext()) {
    std::string valor = rs[columna].Value().IsNull() ? std::string() : rs[columna].Value().CStr();
    std::size_t i = 0;
    while (i < valores.size() && valores[i] != valor) ++i;
    if (i == valores.size()) {
      rs.Delete();
    } else if (conFlag) {
      rs.Edit();
      rs[d.columnas[1]] = dao::Variant(static_cast<bool>(flags[i]));
      rs.Update();
    }
  }
  rs.Close();

  // Second pass: a listed value without a row gets one.
  rs = FilasDelConcurso(base, d.tabla, numero);
  const std::string criterio = std::string(columna) + " = ?";
  for (std::size_t i = 0; i < valores.size(); ++i) {
    if (rs.RecordCount() > 0) {
      rs.FindFirst(criterio, {dao::Variant(valores[i])});
      if (!rs.NoMatch()) continue;
    }
    rs.AddNew();
    rs["NumeroOrden"] = dao::Variant(numero);
    rs[columna] = dao::Variant(valores[i]);
    if (conFlag) rs[d.columnas[1]] = dao::Variant(static_cast<bool>(flags[i]));
    rs.Update();
  }
  rs.Close();
}

void Borra(dao::Database& base, Grupo grupo, std::int32_t numero) {
  const DefinicionGrupo& d = Definicion(grupo);
  base.Execute("DELETE FROM " + std::string(d.tabla) + " Where NumeroOrden = ?", {dao::Variant(numero)});
}

void BorraResumenCabrillo(dao::Database& base, std::int32_t numero) {
  base.Execute("DELETE FROM ResumenCabrillo Where NumeroOrden = ?", {dao::Variant(numero)});
}

}  // namespace listas
