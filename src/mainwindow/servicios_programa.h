#pragma once
// The main window's services on the database files of the working folder,
// the installed printers and the message boxes of the program.
#include <memory>
#include <string>
#include <vector>

#include "mainwindow/servicios_principal.h"

struct sqlite3;

namespace principal {

class ServiciosPrograma : public ServiciosPrincipal {
 public:
  ServiciosPrograma() = default;
  ~ServiciosPrograma() override;
  ServiciosPrograma(const ServiciosPrograma&) = delete;
  ServiciosPrograma& operator=(const ServiciosPrograma&) = delete;

  std::string VersionPrograma() override;
  void ActualizaEsquema() override;
  void AbrirBasesDeDatos() override;
  void AbrirControlConcursos() override;
  bool CargarComboConcursos(ListaConcursos& lista) override;
  bool BuscaConcurso(std::int32_t numero) override;
  RegistroConcurso* ConcursoActual() override;
  std::vector<ColumnaConcurso> DefinicionConcursos() override;
  void FijaConcursoActivo(std::int32_t numero) override;
  std::vector<std::string> Impresoras() override;
  std::string ImpresoraActual() override;
  void EstableceImpresora(const std::string& nombre) override;
  void Mensaje(const std::string& texto, const std::string& titulo, IconoMensaje icono) override;
  void CrearCarpetasConcurso(const std::string& nombre, const std::string& edicion) override;
  bool AbreVentana(VentanaSecundaria ventana, QWidget* principal) override;

 private:
  static sqlite3* Abre(const std::string& ruta, bool soloLectura, const std::string& cual);

  sqlite3* concursos_ = nullptr;
  sqlite3* paises_ = nullptr;
  std::vector<ColumnaConcurso> definicion_;
  std::unique_ptr<RegistroConcursoMemoria> actual_;
  std::string actualImpresora_;
};

}  // namespace principal
