#include "scoring/multiplicadores_listas.h"

#include <array>
#include <utility>

#include "common/paises.h"
#include "plataforma/dao.h"
#include "plataforma/texto.h"
#include "scoring/fila_concurso.h"

namespace scoring {

namespace {

using CampoOpcion = bool OpcionesMultiplicadores::*;
using CampoFamilia = OpcionesFamilia OpcionesMultiplicadores::*;

constexpr std::array<std::pair<std::string_view, CampoOpcion>, 14> kOpciones = {{
    {"Multiplicadores", &OpcionesMultiplicadores::Multiplicadores},
    {"CadaBanda", &OpcionesMultiplicadores::CadaBanda},
    {"CadaDia", &OpcionesMultiplicadores::CadaDia},
    {"CadaModo", &OpcionesMultiplicadores::CadaModo},
    {"PrimerNumero", &OpcionesMultiplicadores::PrimerNumero},
    {"PrimeraLetra", &OpcionesMultiplicadores::PrimeraLetra},
    {"SegundaLetra", &OpcionesMultiplicadores::SegundaLetra},
    {"TerceraLetra", &OpcionesMultiplicadores::TerceraLetra},
    {"UltimaLetra", &OpcionesMultiplicadores::UltimaLetra},
    {"ExcluirMismoPais", &OpcionesMultiplicadores::ExcluirMismoPais},
    {"ExcluirMismaZonaCQ", &OpcionesMultiplicadores::ExcluirMismaZonaCq},
    {"ExcluirMismoPrefijo", &OpcionesMultiplicadores::ExcluirMismoPrefijo},
    {"ExcluirMismaProv", &OpcionesMultiplicadores::ExcluirMismaProv},
    {"ExcluirMismoDist", &OpcionesMultiplicadores::ExcluirMismoDist},
}};

// Each family: its member and the names of its four columns.
struct ColumnasFamilia {
  CampoFamilia familia;
  std::array<std::string_view, 4> nombres;
};
const std::array<ColumnasFamilia, 9> kFamilias = {{
    {&OpcionesMultiplicadores::Pais, {"CadaPais", "PaisPorBanda", "PaisPorDia", "PaisPorModo"}},
    {&OpcionesMultiplicadores::Cq, {"CadaCq", "CqPorBanda", "CqPorDia", "CqPorModo"}},
    {&OpcionesMultiplicadores::Prefijo, {"CadaPrefijo", "PrefijoPorBanda", "PrefijoPorDia", "PrefijoPorModo"}},
    {&OpcionesMultiplicadores::Sufijo, {"CadaSufijo", "SufijoPorBanda", "SufijoPorDia", "SufijoPorModo"}},
    {&OpcionesMultiplicadores::Distrito, {"CadaDistrito", "DistritoPorBanda", "DistritoPorDia", "DistritoPorModo"}},
    {&OpcionesMultiplicadores::Prov, {"CadaProv", "ProvPorBanda", "ProvPorDia", "ProvPorModo"}},
    {&OpcionesMultiplicadores::Otros, {"Otros", "OtrosPorBanda", "OtrosPorDia", "OtrosPorModo"}},
    {&OpcionesMultiplicadores::Cuadricula,
     {"CadaCuadricula", "CuadriculaPorBanda", "CuadriculaPorDia", "CuadriculaPorModo"}},
    {&OpcionesMultiplicadores::Estacion, {"CadaEstacion", "EstacionPorBanda", "EstacionPorDia", "EstacionPorModo"}},
}};

// The key column names of MultEspeciales, as stored in the keys.
constexpr std::array<std::string_view, 7> kColumnasEspeciales = {"estacion",  "pais",   "distrito",   "prefijo",
                                                                 "provincia", "zonacq", "otrassiglas"};

bool ColumnaEspecial(std::string_view columna, std::string& clave) {
  const std::string plegada = PliegaTexto(columna);
  for (std::string_view c : kColumnasEspeciales)
    if (plegada == c) {
      clave = plegada;
      return true;
    }
  return false;
}

dao::Recordset Filas(dao::Database& base, std::string_view tabla, std::int32_t numero) {
  return base.OpenRecordset("Select * From " + std::string(tabla) + " Where NumeroOrden = ?", {dao::Variant(numero)});
}

}  // namespace

std::string PliegaTexto(std::string_view texto) {
  std::string r(texto);
  for (std::size_t i = 0; i < r.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(r[i]);
    if (c >= 'A' && c <= 'Z') {
      r[i] = static_cast<char>(c + 32);
    } else if (c == 0xC3 && i + 1 < r.size()) {
      // U+00C0..U+00DE but U+00D7 (the multiplication sign).
      const unsigned char d = static_cast<unsigned char>(r[i + 1]);
      if (d >= 0x80 && d <= 0x9E && d != 0x97) r[i + 1] = static_cast<char>(d + 0x20);
      ++i;
    }
  }
  return r;
}

bool LeeOpcionesMultiplicadores(dao::Database& base, std::int32_t numero_orden, OpcionesMultiplicadores& opciones) {
  OpcionesMultiplicadores leidas;
  const bool hay = RecorreFilaConcurso(base, numero_orden, [&](std::string_view nombre, const dao::Variant& valor) {
    auto es = [&](std::string_view n) { return plataforma::IgualesSinCaso(nombre, n); };
    for (const auto& [n, miembro] : kOpciones)
      if (es(n)) leidas.*miembro = Cierto(valor);
    for (const auto& f : kFamilias) {
      OpcionesFamilia& familia = leidas.*(f.familia);
      bool* destinos[] = {&familia.Cada, &familia.PorBanda, &familia.PorDia, &familia.PorModo};
      for (std::size_t k = 0; k < 4; ++k)
        if (es(f.nombres[k])) *destinos[k] = Cierto(valor);
    }
  });
  if (hay) opciones = leidas;
  return hay;
}

ListasMultiplicadores ListasMultiplicadores::Lee(dao::Database& base, std::int32_t numero_orden) {
  ListasMultiplicadores l;
  auto recorre = [&](std::string_view tabla, auto&& fila) {
    dao::Recordset rs = Filas(base, tabla, numero_orden);
    while (!rs.Eof()) {
      fila(rs);
      rs.MoveNext();
    }
    rs.Close();
  };
  auto lista = [&](std::string_view tabla, std::string_view columna,
                   void (ListasMultiplicadores::*anade)(std::string_view)) {
    recorre(tabla, [&](dao::Recordset& rs) {
      const dao::Variant v = rs.Fields(columna).Value();
      if (!v.IsNull()) (l.*anade)(v.CStr());
    });
  };
  lista("ListaPaises", "DxccExcluido", &ListasMultiplicadores::AnadePaisExcluido);
  lista("ListaCq", "CqExcluido", &ListasMultiplicadores::AnadeZonaCqExcluida);
  lista("ListaPrefijos", "PrefijoExcluido", &ListasMultiplicadores::AnadePrefijoExcluido);
  lista("ListaMultEspeciales", "MultEstacion", &ListasMultiplicadores::AnadeEstacionMultiplicadora);
  recorre("ListaProv", [&](dao::Recordset& rs) {
    const dao::Variant v = rs.Fields("CodigoProv").Value();
    if (!v.IsNull()) l.AnadeProvincia(v.CStr(), Cierto(rs.Fields("ProvExcluida").Value()));
  });
  recorre("ListaDistritos", [&](dao::Recordset& rs) {
    const dao::Variant v = rs.Fields("CodigoDistrito").Value();
    if (!v.IsNull()) l.AnadeDistrito(v.CStr(), Cierto(rs.Fields("DistritoExcluido").Value()));
  });
  recorre("MultEspeciales", [&](dao::Recordset& rs) {
    const dao::Variant puntos = rs.Fields("Puntos").Value();
    std::int32_t peso = 1;
    if (!puntos.IsNull()) {
      try {
        peso = puntos.CLng();
      } catch (const dao::Error&) {
        peso = 1;
      }
    }
    for (std::string_view columna : {"Estacion", "Pais", "Distrito", "Prefijo", "Provincia", "ZonaCQ", "OtrasSiglas"}) {
      const dao::Variant v = rs.Fields(columna).Value();
      if (!v.IsNull()) l.AnadeMultEspecial(columna, v.CStr(), peso);
    }
  });
  return l;
}

void ListasMultiplicadores::AnadePaisExcluido(std::string_view dxcc) { paises_.insert(PliegaTexto(dxcc)); }
void ListasMultiplicadores::AnadeZonaCqExcluida(std::string_view zona) { zonas_.insert(PliegaTexto(zona)); }
void ListasMultiplicadores::AnadePrefijoExcluido(std::string_view prefijo) { prefijos_.insert(PliegaTexto(prefijo)); }
void ListasMultiplicadores::AnadeProvincia(std::string_view codigo, bool excluida) {
  provincias_.emplace(PliegaTexto(codigo), excluida);
}
void ListasMultiplicadores::AnadeDistrito(std::string_view codigo, bool excluido) {
  distritos_.emplace(PliegaTexto(codigo), excluido);
}
void ListasMultiplicadores::AnadeEstacionMultiplicadora(std::string_view indicativo) {
  estaciones_.insert(PliegaTexto(indicativo));
}
void ListasMultiplicadores::AnadeMultEspecial(std::string_view columna, std::string_view valor, std::int32_t puntos) {
  std::string clave;
  if (!ColumnaEspecial(columna, clave)) return;
  especiales_.emplace(clave + '\x1f' + PliegaTexto(valor), puntos);
}

bool ListasMultiplicadores::EsPaisExcluido(std::string_view dxcc, std::string_view propio,
                                           const OpcionesMultiplicadores& o) const {
  if (o.ExcluirMismoPais && dxcc == propio) return true;
  return paises_.contains(PliegaTexto(dxcc));
}

bool ListasMultiplicadores::EsZonaCqExcluida(std::string_view zona, std::string_view propia,
                                             const OpcionesMultiplicadores& o) const {
  if (o.ExcluirMismaZonaCq && zona == propia) return true;
  return zonas_.contains(PliegaTexto(zona));
}

bool ListasMultiplicadores::EsPrefijoExcluido(std::string_view prefijo, std::string_view propio,
                                              const OpcionesMultiplicadores& o) const {
  if (o.ExcluirMismoPrefijo && prefijo == propio) return true;
  return prefijos_.contains(PliegaTexto(prefijo));
}

bool ListasMultiplicadores::EsProvinciaValida(std::string_view provincia, std::string_view propia,
                                              const OpcionesMultiplicadores& o) const {
  if (o.ExcluirMismaProv && provincia == propia) return false;
  const auto it = provincias_.find(PliegaTexto(provincia));
  return it != provincias_.end() && !it->second;
}

bool ListasMultiplicadores::EsDistritoValido(std::string_view distrito, std::string_view propio,
                                             const OpcionesMultiplicadores& o) const {
  if (o.ExcluirMismoDist && distrito == propio) return false;
  const auto it = distritos_.find(PliegaTexto(distrito));
  if (it != distritos_.end()) return !it->second;
  // No pattern can be made of an empty key: it never counts.
  if (distrito.empty()) return false;
  std::string patron(distrito.substr(0, distrito.size() - 1));
  patron += '*';
  return distritos_.contains(PliegaTexto(patron));
}

bool ListasMultiplicadores::EsEstacionMultiplicadora(std::string_view indicativo) const {
  return estaciones_.contains(PliegaTexto(indicativo));
}

bool ListasMultiplicadores::ValorMultEspecial(std::string_view columna, std::string_view valor,
                                              std::int32_t& peso) const {
  std::string clave;
  if (!ColumnaEspecial(columna, clave)) return false;
  const auto it = especiales_.find(clave + '\x1f' + PliegaTexto(valor));
  if (it == especiales_.end()) return false;
  peso = it->second;
  return true;
}

void ObtieneClaveLetras(const TablasPaises& paises, const OpcionesMultiplicadores& opciones,
                        const std::string& indicativo, std::string& clave) {
  clave.clear();
  std::string prefijo, distrito;
  ObtienePrefijoYDistrito(paises, indicativo, prefijo, distrito);
  const std::size_t n = prefijo.size();
  auto anade = [&](std::size_t posicion) {  // 0-based
    if (posicion < indicativo.size()) clave += indicativo[posicion];
  };
  if (opciones.PrimerNumero && n > 0) clave += prefijo.back();
  if (opciones.PrimeraLetra) anade(n);
  if (opciones.SegundaLetra) anade(n + 1);
  if (opciones.TerceraLetra) anade(n + 2);
  if (opciones.UltimaLetra && !indicativo.empty()) clave += indicativo.back();
}

void SeparaLetrasYNumero(std::string_view referencia, std::string& letras, std::string& numero) {
  letras.clear();
  numero.clear();
  const std::size_t guion = referencia.find('-');
  if (guion != std::string_view::npos) {
    letras = std::string(referencia.substr(0, guion));
    numero = std::string(referencia.substr(guion + 1));
    return;
  }
  for (std::size_t i = 0; i < referencia.size(); ++i) {
    if (referencia[i] >= '0' && referencia[i] <= '9') {
      numero = std::string(referencia.substr(i));
      return;
    }
    letras += referencia[i];
  }
}

}  // namespace scoring
