#include "mainwindow/enlace_listas_trovalis.h"

#include <QCheckBox>
#include <QListWidget>

#include "database/conexiones.h"
#include "cabrillo/contexto_concurso.h"
#include "mainwindow/trovalis.h"

namespace principal {

int EnlaceListasTrovalis::ListasSoloConsulta() const { return ventana_.Contexto().ListasSoloConsulta; }

std::vector<std::string> EnlaceListasTrovalis::Lista(std::string_view nombre) const {
  std::vector<std::string> items;
  if (QListWidget* lista = ventana_.ListaOculta(nombre)) {
    items.reserve(static_cast<std::size_t>(lista->count()));
    for (int i = 0; i < lista->count(); ++i) items.push_back(lista->item(i)->text().toStdString());
  }
  return items;
}

void EnlaceListasTrovalis::PonLista(std::string_view nombre, const std::vector<std::string>& items) {
  QListWidget* lista = ventana_.ListaOculta(nombre);
  if (!lista) return;
  lista->clear();
  for (const std::string& t : items) lista->addItem(QString::fromStdString(t));
}

listeditors::DefinicionCampo EnlaceListasTrovalis::Campo(std::string_view tabla, std::string_view campo) const {
  dao::Field f = ventana_.Contexto().BaseConcursos.TableDefs()[tabla].Fields()[campo];
  return {f.Type(), f.Size()};
}

std::string EnlaceListasTrovalis::TituloBanda(int indice) const {
  if (indice < 0 || indice >= static_cast<int>(ventana_.Banda.size())) return {};
  return ventana_.Banda[static_cast<std::size_t>(indice)]->text().toStdString();
}

bool EnlaceListasTrovalis::BandaMarcada(int indice) const {
  if (indice < 0 || indice >= static_cast<int>(ventana_.Banda.size())) return false;
  return ventana_.Banda[static_cast<std::size_t>(indice)]->isChecked();
}

bool EnlaceListasTrovalis::ModoMarcado(int indice) const {
  if (indice < 0 || indice >= static_cast<int>(ventana_.Modo.size())) return false;
  return ventana_.Modo[static_cast<std::size_t>(indice)]->isChecked();
}

bool EnlaceListasTrovalis::OpcionMarcada(std::string_view nombre) const {
  QCheckBox* casilla = ventana_.CasillaOpcion(nombre);
  return casilla && casilla->isChecked();
}

listeditors::FormatoSufijo EnlaceListasTrovalis::Sufijo() const {
  return {ventana_.PrimerNumero, ventana_.PrimeraLetra, ventana_.SegundaLetra, ventana_.TerceraLetra,
          ventana_.UltimaLetra};
}

void EnlaceListasTrovalis::PonSufijo(const listeditors::FormatoSufijo& f) {
  ventana_.PrimerNumero = f[0];
  ventana_.PrimeraLetra = f[1];
  ventana_.SegundaLetra = f[2];
  ventana_.TerceraLetra = f[3];
  ventana_.UltimaLetra = f[4];
}

listeditors::ExcluirPropios EnlaceListasTrovalis::Exclusiones() const {
  const ContextoConcurso& c = ventana_.Contexto();
  return {c.OpcionExcluirMismaProv, c.OpcionExcluirMismoDist, c.OpcionExcluirMismoPais, c.OpcionExcluirMismoPrefijo,
          c.OpcionExcluirMismaZonaCQ};
}

void EnlaceListasTrovalis::PonExclusiones(const listeditors::ExcluirPropios& o) {
  ContextoConcurso& c = ventana_.Contexto();
  c.OpcionExcluirMismaProv = o[0];
  c.OpcionExcluirMismoDist = o[1];
  c.OpcionExcluirMismoPais = o[2];
  c.OpcionExcluirMismoPrefijo = o[3];
  c.OpcionExcluirMismaZonaCQ = o[4];
}

}  // namespace principal
