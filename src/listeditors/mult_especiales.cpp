#include "listeditors/mult_especiales.h"

#include <vector>

#include "listeditors/numeros.h"

namespace listeditors {
namespace {

constexpr int kClaves = 7;
const char* const kTituloMult = "VERIFICAR MULTIPLICADORES ESTACIONES ESPECIALES";

}  // namespace

DefinicionEditor EditorMultEspeciales::Definicion() {
  DefinicionEditor d;
  d.listas = {"ListaEstMultEsp",        "ListaPaisMultEsp",   "ListaDistritoMultEsp", "ListaPrefijoMultEsp",
              "ListaProvinciasMultEsp", "ListaZonaCqMultEsp", "ListaOtrosMultEsp",    "ListaPuntosMultEsp"};
  d.columnas = {"Estacion", "Pais", "Distrito", "Prefijo", "Provincia", "ZonaCQ", "OtrasSiglas", "Puntos"};
  d.tabla = "MultEspeciales";
  d.camposTabla = {"Estacion", "Pais", "Prefijo", "Distrito", "Provincia", "ZonaCQ", "OtrasSiglas"};
  d.longitudFija = 2;
  d.longitudSerie = 10;
  d.numeroLineas = 15;
  d.filaNueva = {"*", "*", "*", "*", "*", "*", "*", ""};
  d.ordenIntro = {Estacion, Pais, Distrito, Prefijo, Provincia, ZonaCQ, OtrasSiglas, Puntos};
  d.primeraCelda = Estacion;
  return d;
}

EditorMultEspeciales::EditorMultEspeciales(EnlaceListas& principal) : EditorCuadricula(principal, Definicion()) {}

void EditorMultEspeciales::ReglasSalida(int fila, int columna) {
  std::string& texto = CeldaEditable(fila, columna);
  if (columna == Puntos) {
    if (texto.empty()) texto = "*";
    return;
  }
  if (EstadoLinea.empty()) return;
  if (texto.empty()) texto = "*";
  if (texto == "*") return;
  std::vector<int> otras;
  switch (columna) {
    case Pais: otras = {Estacion, Distrito, Prefijo, ZonaCQ}; break;
    case Distrito: otras = {Estacion, Pais, Prefijo, ZonaCQ}; break;
    case Prefijo: otras = {Estacion, Pais, Distrito, ZonaCQ}; break;
    default: otras = {Estacion, Pais, Distrito, Prefijo, Provincia, ZonaCQ, OtrasSiglas}; break;
  }
  for (int c : otras)
    if (c != columna) CeldaEditable(fila, c) = "*";
}

void EditorMultEspeciales::AjustaComodines(int Linea) {
  for (int c = 0; c < kClaves; ++c) {
    if (Celda(Linea, c) == "*") continue;
    for (int otra = 0; otra < kClaves; ++otra)
      if (otra != c) CeldaEditable(Linea, otra) = "*";
  }
}

bool EditorMultEspeciales::VerificaMultiplicador() {
  const int fila = LineaActual - 1;
  AjustaComodines(fila);
  bool todas = true;
  for (int c = 0; c < kClaves; ++c) todas = todas && Celda(fila, c) == "*";
  if (todas) {
    Mensaje("La configuración no es correcta ", kTituloMult, plataforma::Icono::Error);
    PonFoco(Foco::EnCelda(fila, Estacion));
    return false;
  }
  const std::string& puntos = Celda(fila, Puntos);
  if (puntos.empty()) {
    Mensaje("Faltan los MULTIPLICADORES", kTituloMult, plataforma::Icono::Error);
    PonFoco(Foco::EnCelda(fila, Puntos));
    return false;
  }
  if (EsNumeroPositivo(puntos)) return true;
  Mensaje("El valor del MULTIPLICADOR debe ser númerico y mayor de 0", kTituloMult, plataforma::Icono::Error);
  PonFoco(Foco::EnCelda(fila, Puntos));
  return false;
}

}  // namespace listeditors
