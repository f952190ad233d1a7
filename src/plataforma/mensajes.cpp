#include "plataforma/mensajes.h"

#include <cstdio>
#include <cstdlib>

namespace plataforma {
namespace {
Mensajero* g_mensajero = nullptr;
}

Mensajero* InstalaMensajero(Mensajero* m) {
  Mensajero* anterior = g_mensajero;
  g_mensajero = m;
  return anterior;
}

Mensajero* MensajeroInstalado() { return g_mensajero; }

Respuesta RespuestaPorDefecto(Botones botones) {
  return botones == Botones::SiNo ? Respuesta::No : Respuesta::Aceptar;
}

bool RespuestaPosible(Botones botones, Respuesta r) {
  switch (botones) {
    case Botones::Aceptar: return r == Respuesta::Aceptar;
    case Botones::AceptarCancelar: return r == Respuesta::Aceptar || r == Respuesta::Cancelar;
    case Botones::SiNo: return r == Respuesta::Si || r == Respuesta::No;
  }
  return false;
}

Respuesta MsgBox(const std::string& texto, const std::string& titulo, Icono icono,
                 Botones botones) {
  if (g_mensajero) return g_mensajero->Muestra(texto, titulo, icono, botones);
  std::fprintf(stderr, "[%s] %s\n", titulo.c_str(), texto.c_str());
  return RespuestaPorDefecto(botones);
}

const char* NombreIcono(Icono i) {
  switch (i) {
    case Icono::Ninguno: return "sin icono";
    case Icono::Error: return "Error";
    case Icono::Pregunta: return "Pregunta";
    case Icono::Informacion: return "Información";
  }
  return "?";
}

const char* NombreBotones(Botones b) {
  switch (b) {
    case Botones::Aceptar: return "Aceptar";
    case Botones::AceptarCancelar: return "Aceptar/Cancelar";
    case Botones::SiNo: return "Sí/No";
  }
  return "?";
}

const char* NombreRespuesta(Respuesta r) {
  switch (r) {
    case Respuesta::Aceptar: return "Aceptar";
    case Respuesta::Cancelar: return "Cancelar";
    case Respuesta::Si: return "Sí";
    case Respuesta::No: return "No";
  }
  return "?";
}

std::string TextoErrorNoControlado(std::string_view detalle) {
  std::string t = "Se ha producido un error no controlado y el programa terminará.";
  if (!detalle.empty()) {
    t += "\n\n";
    t.append(detalle);
  }
  return t;
}

void TerminaPorErrorNoControlado(std::string_view detalle) {
  const std::string texto = TextoErrorNoControlado(detalle);
  std::fprintf(stderr, "%s\n", texto.c_str());
  MsgBox(texto, "TROVALIS", Icono::Error, Botones::Aceptar);
  std::fflush(nullptr);
  std::_Exit(1);
}

}  // namespace plataforma
