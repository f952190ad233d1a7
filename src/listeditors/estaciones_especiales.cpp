#include "listeditors/estaciones_especiales.h"

#include <vector>

#include "listeditors/numeros.h"

namespace listeditors {
namespace {

const char* const kTituloEsp = "VERIFICAR ESTACIONES ESPECIALES";
constexpr int kNumeroBandas = 14;

}  // namespace

DefinicionEditor EditorEstacionesEspeciales::Definicion() {
  DefinicionEditor d;
  d.listas = {"ListaEstEsp",   "ListaPreEsp",  "ListaDistEsp",   "ListaProvEsp",
              "ListaBandaEsp", "ListaModoEsp", "ListaPuntosEsp", "ListaPuntosRefEsp"};
  d.columnas = {"Estacion", "Prefijo", "Distrito", "Provincia", "Banda", "Modo", "Puntos", "PuntosRef"};
  d.tabla = "ListaEspeciales";
  d.camposTabla = {"Estacion", "Prefijo", "Distrito", "Provincia", "Banda", "Modo"};
  d.longitudFija = 2;
  d.longitudSerie = 0;
  d.numeroLineas = 15;
  d.filaNueva = {"*", "*", "*", "*", "*", "*", "", "*"};
  d.ordenIntro = {Estacion, Prefijo, Distrito, Provincia, Banda, Modo, Puntos, PuntosRef};
  d.primeraCelda = Estacion;
  return d;
}

EditorEstacionesEspeciales::EditorEstacionesEspeciales(EnlaceListas& principal)
    : EditorCuadricula(principal, Definicion()) {}

void EditorEstacionesEspeciales::ReglasSalida(int fila, int columna) {
  std::string& texto = CeldaEditable(fila, columna);
  const bool siempre = columna == Puntos || columna == PuntosRef;
  if (!siempre && EstadoLinea.empty()) return;
  if (texto.empty()) texto = "*";
  if (texto == "*") return;
  std::vector<int> comodines;
  switch (columna) {
    case Estacion: comodines = {Prefijo, Distrito, Provincia, PuntosRef}; break;
    case Prefijo: comodines = {Estacion}; break;
    case Distrito: comodines = {Estacion, Provincia}; break;
    case Provincia: comodines = {Estacion, Distrito, PuntosRef}; break;
    case PuntosRef:
      CeldaEditable(fila, Puntos).clear();
      comodines = {Estacion, Provincia};
      break;
    default: break;
  }
  for (int c : comodines) CeldaEditable(fila, c) = "*";
}

void EditorEstacionesEspeciales::CompletaComodines(int Linea) {
  auto celda = [&](int c) -> std::string& { return CeldaEditable(Linea, c); };
  if (celda(Estacion) != "*") celda(Prefijo) = celda(Distrito) = celda(Provincia) = celda(PuntosRef) = "*";
  if (celda(Distrito) != "*") celda(Provincia) = "*";
  if (celda(PuntosRef) != "*") {
    celda(Puntos).clear();
    celda(Estacion) = celda(Provincia) = "*";
  }
  if (!celda(Puntos).empty()) celda(PuntosRef) = "*";
}

bool EditorEstacionesEspeciales::VerificaEstacionEspecial() {
  const int fila = LineaActual - 1;
  auto error = [&](const char* texto, int columna) {
    Mensaje(texto, kTituloEsp, plataforma::Icono::Error);
    PonFoco(Foco::EnCelda(fila, columna));
    return false;
  };
  CompletaComodines(fila);
  bool todas = true;
  for (int c : {Estacion, Prefijo, Distrito, Provincia, Banda, Modo, PuntosRef})
    todas = todas && Celda(fila, c) == "*";
  if (todas) return error("La configuración no es correcta ", Estacion);
  if (!VerificaBanda(fila)) {
    PonFoco(Foco::EnCelda(fila, Banda));
    return false;
  }
  if (!VerificaModo(fila)) {
    PonFoco(Foco::EnCelda(fila, Modo));
    return false;
  }
  const std::string& p = Celda(fila, Puntos);
  const std::string& r = Celda(fila, PuntosRef);
  if (p.empty() && r == "*") return error("Faltan los puntos", Puntos);
  if (!p.empty() && !EsNumeroPositivo(p))
    return error("El valor de los puntos debe ser númerico y mayor de 0", Puntos);
  if (r == "*" || EsNumeroPositivo(r)) return true;
  return error("El valor de los puntos por referencia debe ser númerico y mayor de 0", PuntosRef);
}

bool EditorEstacionesEspeciales::VerificaBanda(int Linea) {
  const std::string& banda = Celda(Linea, Banda);
  if (banda == "*") return true;
  for (int i = 0; i < kNumeroBandas; ++i)
    if (principal_.TituloBanda(i) == banda && principal_.BandaMarcada(i)) return true;
  Mensaje("Banda no permitida o no existente", ".- ERROR EN BANDA", plataforma::Icono::Error);
  return false;
}

std::string EditorEstacionesEspeciales::TextoErrorModo() {
  const std::string salto = "\r\n\r\n";
  std::string texto;
  for (const char* pieza :
       {"Modo no permitido o no existente", "MODOS PERMITIDOS PARA CABRILLO", ".- PH (Para Fonía SSB, LSB, USB, AM).",
        ".- CW.", ".- FM.", ".- PS (Para RTTY o PACKET)."})
    texto += pieza + salto;
  return texto;
}

bool EditorEstacionesEspeciales::VerificaModo(int Linea) {
  const std::string& modo = Celda(Linea, Modo);
  auto marcado = [&](int i) { return principal_.ModoMarcado(i); };
  bool correcto = false;
  if (modo == "*")
    correcto = true;
  else if (modo == "PH")
    correcto = marcado(0) || marcado(2) || marcado(3) || marcado(4);
  else if (modo == "FM")
    correcto = marcado(5);
  else if (modo == "CW")
    correcto = marcado(1);
  else if (modo == "PS")
    correcto = marcado(6) || marcado(7);
  if (!correcto) Mensaje(TextoErrorModo(), "ERROR EN MODO", plataforma::Icono::Ninguno);
  return correcto;
}

}  // namespace listeditors
