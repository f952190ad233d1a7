#pragma once
// What the main window uses of the rest of the program: the contest
// database, the printers, the message boxes, the contest folders and the
// windows it opens. The window works through this interface only, so it can
// be started on a fixture folder in the tests.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "cabrillo/contexto_concurso.h"
#include "database/conexiones.h"
#include "database/repositorio_concursos.h"
#include "mainwindow/registro_concurso.h"

class QWidget;

namespace rules {
class EnlaceFormatoCabrillo;
class EnlaceBasesConcurso;
}  // namespace rules
namespace listeditors {
class EnlaceListProv;
}  // namespace listeditors
namespace mail {
class EnlaceGesAutomatica;
}  // namespace mail

namespace principal {

// A database file that is missing, locked or not a database: start-up cannot
// go on. `Fichero` is the path of the file.
class ErrorArranque : public std::runtime_error {
 public:
  ErrorArranque(const std::string& fichero, const std::string& motivo)
      : std::runtime_error(motivo), fichero_(fichero) {}
  const std::string& Fichero() const { return fichero_; }

 private:
  std::string fichero_;
};

enum class IconoMensaje { Ninguno, Error, Pregunta, Informacion };

// The windows that the main window opens.
enum class VentanaSecundaria {
  GestionCorreo,        // mail window, not modal
  BasesConcurso,        // contest-rules window, not modal
  ListasProvincias,     // multiplier reference lists, modal
  EstacionesEspeciales, // special stations, modal
  MultEspeciales,       // special multipliers, modal
  FormatoCabrillo,      // Cabrillo format, modal
};

// What the windows opened from the main window read and write of it: one
// link per window, each an interface of that window's folder. The main
// window implements it, so its services open a window without knowing the
// main window's class.
class EnlacesVentanaPrincipal {
 public:
  virtual ~EnlacesVentanaPrincipal() = default;
  // The widget the opened windows belong to.
  virtual QWidget* Widget() = 0;
  // The Cabrillo format window's link, valid while the window is open.
  virtual std::unique_ptr<rules::EnlaceFormatoCabrillo> EnlaceFormato() = 0;
  // The contest-rules window's link; it outlives the call (the window is
  // not modal).
  virtual std::unique_ptr<rules::EnlaceBasesConcurso> EnlaceBases() = 0;
  // The list editors' link, valid while the editor is open.
  virtual std::unique_ptr<listeditors::EnlaceListProv> EnlaceListas() = 0;
  // The mail window's link; it outlives the call (the window is not modal).
  virtual std::unique_ptr<mail::EnlaceGesAutomatica> EnlaceCorreo() = 0;
};

class ServiciosPrincipal {
 public:
  virtual ~ServiciosPrincipal() = default;

  // The context of the run: the contest in hand, its connections and
  // options, and what the checks of one log share.
  virtual ContextoConcurso& Contexto() = 0;
  // The stored contests: numbering, control row, create, save, delete and
  // the reference lists, on the context's contest database.
  virtual database::RepositorioConcursos& Concursos() = 0;

  // Version of the program for the caption ("1.0.0.0").
  virtual std::string VersionPrograma() = 0;
  // Brings the contest database of the working folder up to the current
  // layout (the upgrade steps and the special multipliers table).
  virtual void ActualizaEsquema() = 0;
  // Opens the contest and countries databases of the working folder.
  virtual void AbrirBasesDeDatos() = 0;
  virtual void AbrirControlConcursos() = 0;
  // Fills the list with every contest and selects the active one. With no
  // contest it shows "No hay Concursos CONFIGURADOS" and answers false.
  virtual bool CargarComboConcursos(::ListaConcursos& lista) = 0;

  // Positions the contest in hand on the row of that number; false when
  // there is none.
  virtual bool BuscaConcurso(std::int32_t numero) = 0;
  // The row of the contest in hand; nullptr before a contest is positioned.
  virtual RegistroConcurso* ConcursoActual() = 0;
  // Definition of the contest table (types and sizes of its columns).
  virtual std::vector<ColumnaConcurso> DefinicionConcursos() = 0;
  // Stores the active contest in the control record.
  virtual void FijaConcursoActivo(std::int32_t numero) = 0;

  // Installed printers by device name, in the platform's order.
  virtual std::vector<std::string> Impresoras() = 0;
  virtual std::string ImpresoraActual() = 0;
  // Makes current the installed printer of that name (none: unchanged).
  virtual void EstableceImpresora(const std::string& nombre) = 0;

  virtual void Mensaje(const std::string& texto, const std::string& titulo, IconoMensaje icono) = 0;

  // Creates the contest's folder tree (sets the context's CarpetaConcurso).
  virtual void CrearCarpetasConcurso(const std::string& nombre, const std::string& edicion) = 0;
  // Rebuilds the admitted categories of the contest in hand.
  virtual void GeneraCategoriasAdmitidas() {}
  // Fills the award's municipality table.
  virtual void CargaTablaMunicipios() {}

  // Opens another window. The modal ones return when it closes. Answers
  // false when that window is not available, so that the main window stays.
  virtual bool AbreVentana(VentanaSecundaria ventana, EnlacesVentanaPrincipal& principal) = 0;
};

// The services of the program itself.
std::unique_ptr<ServiciosPrincipal> CreaServiciosPrograma();

}  // namespace principal
