#include "mainwindow/registro_concurso.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace principal {

namespace {

bool IgualSinCaso(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

bool TextoEsVerdadero(const std::optional<std::string>& valor) {
  if (!valor) return false;
  return *valor == "1" || *valor == "-1" || IgualSinCaso(*valor, "true") || IgualSinCaso(*valor, "verdadero");
}

RegistroConcursoMemoria::RegistroConcursoMemoria(std::vector<ColumnaConcurso> definicion)
    : definicion_(std::move(definicion)), valores_(definicion_.size()) {}

int RegistroConcursoMemoria::Posicion(std::string_view nombre) const {
  for (std::size_t i = 0; i < definicion_.size(); ++i)
    if (IgualSinCaso(definicion_[i].Nombre, nombre)) return static_cast<int>(i);
  return -1;
}

int RegistroConcursoMemoria::PosicionObligada(std::string_view nombre) const {
  int p = Posicion(nombre);
  if (p < 0) throw std::out_of_range("Columna inexistente: " + std::string(nombre));
  return p;
}

int RegistroConcursoMemoria::PosicionValida(int posicion) const {
  if (posicion < 0 || posicion >= static_cast<int>(valores_.size()))
    throw std::out_of_range("Columna inexistente: " + std::to_string(posicion));
  return posicion;
}

std::optional<std::string> RegistroConcursoMemoria::LeeTexto(int posicion) const {
  return valores_[static_cast<std::size_t>(PosicionValida(posicion))];
}
std::optional<std::string> RegistroConcursoMemoria::LeeTexto(std::string_view nombre) const {
  return valores_[static_cast<std::size_t>(PosicionObligada(nombre))];
}
bool RegistroConcursoMemoria::LeeBooleano(int posicion) const { return TextoEsVerdadero(LeeTexto(posicion)); }
bool RegistroConcursoMemoria::LeeBooleano(std::string_view nombre) const {
  return TextoEsVerdadero(LeeTexto(nombre));
}
void RegistroConcursoMemoria::EscribeTexto(int posicion, const std::string& valor) {
  valores_[static_cast<std::size_t>(PosicionValida(posicion))] = valor;
}
void RegistroConcursoMemoria::EscribeTexto(std::string_view nombre, const std::string& valor) {
  valores_[static_cast<std::size_t>(PosicionObligada(nombre))] = valor;
}
void RegistroConcursoMemoria::EscribeBooleano(int posicion, bool valor) {
  valores_[static_cast<std::size_t>(PosicionValida(posicion))] = valor ? "1" : "0";
}
void RegistroConcursoMemoria::EscribeBooleano(std::string_view nombre, bool valor) {
  valores_[static_cast<std::size_t>(PosicionObligada(nombre))] = valor ? "1" : "0";
}
void RegistroConcursoMemoria::Pon(std::string_view nombre, std::optional<std::string> valor) {
  valores_[static_cast<std::size_t>(PosicionObligada(nombre))] = std::move(valor);
}

}  // namespace principal
