#pragma once
// Test support of the Cabrillo format window: a working folder with a
// contest database holding an empty ResumenCabrillo table, and the main
// window's side as a plain struct.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "rules/enlace_formato_cabrillo.h"

namespace prueba {

// The main window's side.
struct EnlacePrueba : rules::EnlaceFormatoCabrillo {
  int soloConsulta = 0;
  std::int32_t numero = 7;
  std::string nombre = "CONCURSO PRUEBA";
  std::string carpeta;
  rules::OpcionesIntercambio opciones;
  std::string correoReclamaciones;
  std::string webConcurso;

  int ListasSoloConsulta() const override { return soloConsulta; }
  std::int32_t NumeroConcursoActual() const override { return numero; }
  std::string NombreConcurso() const override { return nombre; }
  std::string TextoNombreConcurso() const override { return nombre; }
  std::string CarpetaTrabajo() const override { return carpeta; }
  rules::OpcionesIntercambio Intercambio() const override { return opciones; }
  std::string CorreoReclamaciones() const override { return correoReclamaciones; }
  void PonCorreoReclamaciones(const std::string& t) override { correoReclamaciones = t; }
  std::string DireccionWebConcurso() const override { return webConcurso; }
  void PonDireccionWebConcurso(const std::string& t) override { webConcurso = t; }
};

// A stored value of the table, as text ("NULL" for no value).
using FilaTexto = std::map<std::string, std::string>;

// A working folder with the empty contest database of a new installation.
class CarpetaConBase {
 public:
  CarpetaConBase();
  std::string Ruta() const;
  std::string RutaBase() const;
  // Every row of ResumenCabrillo, each column by name.
  std::vector<FilaTexto> Filas() const;
  void Ejecuta(const std::string& sql) const;

 private:
  QTemporaryDir dir_;
};

}  // namespace prueba
