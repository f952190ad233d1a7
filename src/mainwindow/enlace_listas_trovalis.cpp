#include "mainwindow/enlace_listas_trovalis.h"

#include <cctype>

#include "database/conexiones.h"
#include "mainwindow/editor_principal.h"

namespace principal {

namespace {

bool IgualSinCaso(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

}  // namespace

int EnlaceListasTrovalis::ListasSoloConsulta() const { return editor_.Contexto().ListasSoloConsulta; }

std::vector<std::string> EnlaceListasTrovalis::Lista(std::string_view nombre) const {
  return editor_.Concurso().Lista(nombre);
}

void EnlaceListasTrovalis::PonLista(std::string_view nombre, const std::vector<std::string>& items) {
  editor_.PonLista(nombre, items);
}

listeditors::DefinicionCampo EnlaceListasTrovalis::Campo(std::string_view tabla, std::string_view campo) const {
  dao::Field f = editor_.Contexto().BaseConcursos.TableDefs()[tabla].Fields()[campo];
  return {f.Type(), f.Size()};
}

std::string EnlaceListasTrovalis::TituloBanda(int indice) const { return editor_.TituloBanda(indice); }

bool EnlaceListasTrovalis::BandaMarcada(int indice) const {
  if (indice < 0 || indice >= kNumeroBandas) return false;
  return editor_.Concurso().Bandas[static_cast<std::size_t>(indice)];
}

bool EnlaceListasTrovalis::ModoMarcado(int indice) const {
  if (indice < 0 || indice >= kNumeroModos) return false;
  return editor_.Concurso().Modos[static_cast<std::size_t>(indice)];
}

bool EnlaceListasTrovalis::OpcionMarcada(std::string_view nombre) const {
  for (Opcion o : OpcionesEnOrdenDeCarga())
    if (IgualSinCaso(ColumnaOpcion(o), nombre)) return editor_.OpcionMarcada(o);
  return false;
}

listeditors::FormatoSufijo EnlaceListasTrovalis::Sufijo() const {
  const FormatoSufijoConcurso f = editor_.Concurso().Sufijo;
  return {f.PrimerNumero, f.PrimeraLetra, f.SegundaLetra, f.TerceraLetra, f.UltimaLetra};
}

void EnlaceListasTrovalis::PonSufijo(const listeditors::FormatoSufijo& f) {
  editor_.PonSufijo({f[0], f[1], f[2], f[3], f[4]});
}

listeditors::ExcluirPropios EnlaceListasTrovalis::Exclusiones() const {
  const ContextoConcurso& c = editor_.Contexto();
  return {c.OpcionExcluirMismaProv, c.OpcionExcluirMismoDist, c.OpcionExcluirMismoPais, c.OpcionExcluirMismoPrefijo,
          c.OpcionExcluirMismaZonaCQ};
}

void EnlaceListasTrovalis::PonExclusiones(const listeditors::ExcluirPropios& o) {
  ContextoConcurso& c = editor_.Contexto();
  c.OpcionExcluirMismaProv = o[0];
  c.OpcionExcluirMismoDist = o[1];
  c.OpcionExcluirMismoPais = o[2];
  c.OpcionExcluirMismoPrefijo = o[3];
  c.OpcionExcluirMismaZonaCQ = o[4];
}

}  // namespace principal
