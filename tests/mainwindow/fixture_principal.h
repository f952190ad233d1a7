#pragma once
// A working folder with a contest database and a countries database, and
// the program's services with scripted printers.
#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "formulario_principal.h"
#include "listeditors/enlace_list_prov.h"
#include "mainwindow/servicios_programa.h"

class Trovalis;
namespace rules {
class FormatoCabrillo;
}

namespace prueba {

// Rows of a query on a contest database file, each value as text ("<null>"
// for Null), read with plain sqlite3 so the tests see what is stored.
using Filas = std::vector<std::vector<std::string>>;
Filas LeeFilas(const std::string& rutaBase, const std::string& sql);

// A control of a window by name; a missing one fails the test.
template <typename T>
T* Control(QWidget& w, const char* nombre) {
  T* c = w.findChild<T*>(nombre);
  EXPECT_NE(c, nullptr) << nombre;
  return c;
}

// Clicks the main window's Cabrillo button and runs `enVentana` on the
// format window while it is shown modally (cancelling it afterwards if it is
// still open). False when the window did not open.
bool AbreFormatoCabrillo(Trovalis& principal, const std::function<void(rules::FormatoCabrillo&)>& enVentana);

// The program's services, with scripted printers and the other windows
// recorded instead of opened.
class ServiciosGrabados : public principal::ServiciosPrograma {
 public:
  explicit ServiciosGrabados(std::vector<std::string> impresoras = {"PDF", "Laser"}, std::string actual = "Laser")
      : impresoras_(std::move(impresoras)), actual_(std::move(actual)) {}
  std::vector<std::string> Impresoras() override { return impresoras_; }
  std::string ImpresoraActual() override { return actual_; }
  void EstableceImpresora(const std::string& n) override { establecida = n; }
  void CargaTablaMunicipios() override { ++municipiosCargados; }
  bool AbreVentana(principal::VentanaSecundaria v, principal::EnlacesVentanaPrincipal&) override {
    ventanasAbiertas.push_back(v);
    return false;
  }

  std::string establecida;
  int municipiosCargados = 0;
  std::vector<principal::VentanaSecundaria> ventanasAbiertas;

 private:
  std::vector<std::string> impresoras_;
  std::string actual_;
};

// The layout of the contest table as a database of the current layout
// holds it.
std::vector<principal::ColumnaConcurso> ColumnasConcursos();

// One contest row: column name and value (nullptr for Null).
struct Columna {
  std::string Nombre;
  const char* Valor;
};

// A temporary working folder; the current folder while it lives.
class CarpetaPrueba {
 public:
  CarpetaPrueba();
  ~CarpetaPrueba();
  std::string Ruta() const;
  // Creates an empty Ledrima of the current layout and Terravia; with
  // concursoActivo >= 0 the control row holds it.
  void CreaBases(int concursoActivo = 0);
  // Adds a contest: number, name, edition, then further columns (Booleans
  // "1" or "0", dates "yyyy-mm-dd").
  void AgregaConcurso(int numero, const std::string& nombre, const std::string& edicion,
                      const std::vector<Columna>& otras = {});
  void Ejecuta(const std::string& sql);

 private:
  QTemporaryDir dir_;
  QString anterior_;
};

}  // namespace prueba
