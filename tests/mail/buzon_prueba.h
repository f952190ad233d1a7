#pragma once
// What the intake tests share: a mail window that records what it is told,
// mails composed with attachments, the fixture inbox of the contest, the
// files of a folder and the answers a Maildir holds.
#include <gmime/gmime.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "common/ventana_proceso.h"
#include "mail/ventana_correo.h"
#include "plataforma/correo/servidores.h"
#include "plataforma/texto.h"
#include "soporte/base64.h"
#include "soporte/entregados.h"

namespace mail::prueba {

namespace fs = std::filesystem;
using pruebas_correo::Ficheros;
using pruebas_correo::LeeFichero;

inline constexpr long long kLlegada = 1773489600;  // 2026-03-14 12:00 UTC
inline const std::string kDatos = std::string(TROVALIS_DATOS_PRUEBA) + "/mail";

inline const char* const kCarpetas[] = {"FicherosManuales",     "FicherosRecibidos", "FicherosErrores",
                                        "FicherosConfirmacion", "ListasEmail",       "ListasValidas",
                                        "ListasDeSWL",          "ListasAdmitidas"};

class VentanaPrueba : public VentanaCorreo {
 public:
  ListaVentana* Lista(std::string_view nombre) override { return simple.Lista(nombre); }
  void PonTexto(std::string_view nombre, const std::string& texto) override { simple.PonTexto(nombre, texto); }
  std::string Texto(std::string_view nombre) const override { return simple.Texto(nombre); }
  void PonProgreso(int p) override { simple.PonProgreso(p); }
  bool GestionAutomatica() const override { return automatica; }
  bool NoEnviarNotificaciones() const override { return sinNotificaciones; }
  void HabilitaBotones(bool h) override { botones.push_back(h); }
  void Aviso(const std::string& texto) override { avisos.push_back(texto); }
  void InformaFallo(const std::string& texto) override { fallos.push_back(texto); }

  VentanaProcesoSimple simple;
  bool automatica = true;
  bool sinNotificaciones = false;
  std::vector<bool> botones;
  std::vector<std::string> avisos, fallos;
};

using soporte::Base64;

struct Adjunto {
  std::string nombre, contenido;
};

struct Correo {
  std::string remitente, destinatario, asunto;
  std::vector<Adjunto> adjuntos;
};

inline std::string Compone(const Correo& c) {
  std::string m = "From: " + c.remitente + "\r\nTo: " + c.destinatario + "\r\nSubject: " + c.asunto +
                  "\r\nMIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"xx\"\r\n\r\n"
                  "--xx\r\nContent-Type: text/plain\r\n\r\nAdjunto mi lista.\r\n";
  for (const Adjunto& a : c.adjuntos)
    m += "--xx\r\nContent-Type: application/octet-stream\r\nContent-Disposition: attachment; filename=\"" + a.nombre +
         "\"\r\nContent-Transfer-Encoding: base64\r\n\r\n" + Base64(a.contenido);
  return m + "--xx--\r\n";
}

inline std::string Log(const std::string& nombre) { return LeeFichero(kDatos + "/logs/" + nombre); }

// The fixture inbox of the contest, in arrival order.
inline std::vector<Correo> BuzonConcurso() {
  const std::string c = "concurso@example.org";
  const Adjunto foto{"foto.jpg", std::string("\xff\xd8\xff\xe0 no es una lista", 20)};
  return {
      {"ea1sin@example.org", c, "LISTA QQ1ABC", {}},
      {"qq2xyz@example.org", c, "LISTA QQ2XYZ", {foto}},
      {"qq3jkl@example.org", c, "Lista qq3jkl", {foto, {"QQ3JKL.LOG", Log("QQ3JKL.LOG")}}},
      {"qq4mno@example.org", c, "LISTA QQ9ZZZ", {{"QQ4MNO.LOG", Log("QQ4MNO.LOG")}}},
      {"qq1abc@example.org", c, "LISTA QQ1ABC", {{"qq1abc.cbr", Log("QQ1ABC.LOG")}}},
      {"qq5pqr@example.org", c, "LISTA QQ5PQR", {{"QQ5PQR (2).LOG", Log("QQ5PQR.LOG")}}},
      {"qq6stu@example.org", c, "LISTA QQ6STU", {{"QQ6STU.LOG", Log("QQ6STU.LOG")}}},
      {"qq7swl@example.org", c, "LISTA QQ7SWL", {{"QQ7SWL.LOG", Log("QQ7SWL.LOG")}}},
      {"qq8bad@example.org", c, "LISTA QQ8BAD", {{"QQ8BAD.LOG", Log("QQ8BAD.LOG")}}},
      {"qq9otr@example.org", "otro@example.org", "LISTA QQ9OTR", {{"QQ9OTR.LOG", Log("QQ9OTR.LOG")}}},
  };
}

inline std::vector<Correo> BuzonDiploma() {
  const std::string c = "concurso@example.org";
  return {
      {"qq2dip@example.org", c, "LISTA QQ2DIP", {{"QQ2DIP.LOG", Log("diploma_1.LOG")}}},
      {"qq2dip@example.org", c, "LISTA QQ2DIP", {{"QQ2DIP.LOG", Log("diploma_2.LOG")}}},
  };
}

// Every file under a folder, relative path to bytes.
inline std::map<std::string, std::string> Arbol(const std::string& raiz) {
  std::map<std::string, std::string> v;
  if (!fs::exists(raiz)) return v;
  for (const auto& e : fs::recursive_directory_iterator(raiz))
    if (e.is_regular_file()) v[fs::relative(e.path(), raiz).generic_string()] = LeeFichero(e.path().string());
  return v;
}

using soporte::Entregado;
using soporte::Entregados;

// The expected answer: a filed copy in Windows-1252 as UTF-8 text.
inline Entregado Respuesta(const std::string& para, const std::string& asunto, const std::string& golden) {
  // The sink stores what it takes with LF line ends.
  std::string texto = plataforma::DesdeWindows1252(LeeFichero(kDatos + "/" + golden));
  for (std::size_t p; (p = texto.find("\r\n")) != std::string::npos;) texto.erase(p, 1);
  return {para, asunto, texto};
}

}  // namespace mail::prueba
