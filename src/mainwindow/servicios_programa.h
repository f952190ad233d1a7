#pragma once
// The main window's services on the database files of the working folder,
// the installed printers and the message boxes of the program.
#include <memory>
#include <string>
#include <vector>

#include "database/conexiones.h"
#include "mainwindow/servicios_principal.h"
#include "plataforma/dao.h"

namespace principal {

// The row on which a contest recordset stands (the context's
// `ConcursoActual` for the program).
class RegistroConcursoDao : public RegistroConcurso {
 public:
  explicit RegistroConcursoDao(dao::Recordset& conjunto) : conjunto_(conjunto) {}
  std::vector<ColumnaConcurso> Definicion() const override;
  std::optional<std::string> LeeTexto(int posicion) const override;
  std::optional<std::string> LeeTexto(std::string_view nombre) const override;
  bool LeeBooleano(int posicion) const override;
  bool LeeBooleano(std::string_view nombre) const override;
  void EscribeTexto(int posicion, const std::string& valor) override;
  void EscribeTexto(std::string_view nombre, const std::string& valor) override;
  void EscribeBooleano(int posicion, bool valor) override;
  void EscribeBooleano(std::string_view nombre, bool valor) override;

 private:
  dao::Recordset& conjunto_;
};

class ServiciosPrograma : public ServiciosPrincipal {
 public:
  ContextoConcurso& Contexto() override { return contexto_; }
  database::RepositorioConcursos& Concursos() override { return concursos_; }
  std::string VersionPrograma() override;
  void ActualizaEsquema() override;
  void AbrirBasesDeDatos() override;
  void AbrirControlConcursos() override;
  bool CargarComboConcursos(::ListaConcursos& lista) override;
  bool BuscaConcurso(std::int32_t numero) override;
  RegistroConcurso* ConcursoActual() override;
  std::vector<ColumnaConcurso> DefinicionConcursos() override;
  void FijaConcursoActivo(std::int32_t numero) override;
  std::vector<std::string> Impresoras() override;
  std::string ImpresoraActual() override;
  void EstableceImpresora(const std::string& nombre) override;
  void Mensaje(const std::string& texto, const std::string& titulo, IconoMensaje icono) override;
  void CrearCarpetasConcurso(const std::string& nombre, const std::string& edicion) override;
  void GeneraCategoriasAdmitidas() override;
  bool AbreVentana(VentanaSecundaria ventana, EnlacesVentanaPrincipal& principal) override;

 private:
  ContextoConcurso contexto_;
  database::RepositorioConcursos concursos_{contexto_};
  RegistroConcursoDao actual_{contexto_.ConcursoActual};
  bool posicionado_ = false;
};

}  // namespace principal
