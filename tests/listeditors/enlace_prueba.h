#pragma once
// The main window as the list editors see it, kept in plain containers.
#include <array>
#include <map>
#include <string>
#include <vector>

#include "listeditors/enlace_listas.h"

namespace prueba {

struct EnlacePrueba : listeditors::EnlaceListas {
  int soloConsulta = 0;
  std::map<std::string, std::vector<std::string>, std::less<>> listas;
  // Field sizes as the contest database of the current layout has them.
  std::map<std::string, listeditors::DefinicionCampo, std::less<>> campos = {
      {"MultEspeciales.Estacion", {dao::Tipo::Text, 10}}, {"MultEspeciales.Pais", {dao::Tipo::Text, 10}},
      {"MultEspeciales.Distrito", {dao::Tipo::Text, 6}},  {"MultEspeciales.Prefijo", {dao::Tipo::Text, 6}},
      {"MultEspeciales.Provincia", {dao::Tipo::Text, 6}}, {"MultEspeciales.ZonaCQ", {dao::Tipo::Text, 6}},
      {"MultEspeciales.OtrasSiglas", {dao::Tipo::Text, 6}}, {"ListaEspeciales.Estacion", {dao::Tipo::Text, 12}},
      {"ListaEspeciales.Prefijo", {dao::Tipo::Text, 6}},  {"ListaEspeciales.Distrito", {dao::Tipo::Text, 6}},
      {"ListaEspeciales.Provincia", {dao::Tipo::Text, 6}}, {"ListaEspeciales.Banda", {dao::Tipo::Text, 6}},
      {"ListaEspeciales.Modo", {dao::Tipo::Text, 6}},
  };
  std::array<bool, 14> bandas{};
  std::array<bool, 12> modos{};

  int ListasSoloConsulta() const override { return soloConsulta; }
  std::vector<std::string> Lista(std::string_view nombre) const override {
    auto it = listas.find(nombre);
    return it == listas.end() ? std::vector<std::string>{} : it->second;
  }
  void PonLista(std::string_view nombre, const std::vector<std::string>& items) override {
    listas[std::string(nombre)] = items;
  }
  listeditors::DefinicionCampo Campo(std::string_view tabla, std::string_view campo) const override {
    auto it = campos.find(std::string(tabla) + "." + std::string(campo));
    if (it == campos.end()) throw dao::Error(3265, "Elemento no encontrado en esta colección.");
    return it->second;
  }
  std::string TituloBanda(int i) const override {
    static const char* const kTitulos[] = {"1.8", "3.5", "7",  "10",  "14",  "18",   "21",
                                           "24",  "28",  "50", "144", "432", "1296", "27"};
    return kTitulos[i];
  }
  bool BandaMarcada(int i) const override { return bandas.at(static_cast<std::size_t>(i)); }
  bool ModoMarcado(int i) const override { return modos.at(static_cast<std::size_t>(i)); }
};

}  // namespace prueba
