#pragma once
// Printing. The installed printers are known by device name; one of them,
// or a PDF file, is the printer chosen for the run (EleccionImpresora, held
// by the run's context). A machine without printers is normal: the lists are
// empty and a document reports ErrorImpresora when it starts.
#include <memory>
#include <string>
#include <vector>

#include "plataforma/eleccion_impresora.h"
#include "plataforma/errores.h"

namespace plataforma {

// Device names of the installed printers, in the system's order.
std::vector<std::string> Impresoras();
// The default printer's name; empty when there is none.
std::string ImpresoraPredeterminada();
bool HayImpresoras();
// Chooses the printer with exactly that device name. With no such printer
// the choice stays as it was and the answer is false.
bool EligeImpresora(EleccionImpresora& eleccion, const std::string& nombre);
// Chooses the default printer again (undoes EligeImpresora and
// EligeSalidaPdf).
void UsaImpresoraPredeterminada(EleccionImpresora& eleccion);
// Chooses a PDF file as the printer: every later document on that choice
// is written to that file, replacing it.
void EligeSalidaPdf(EleccionImpresora& eleccion, const std::string& ruta);
// Name of the chosen printer, else the default one; for a PDF output its
// path. Empty when there is none.
std::string ImpresoraActual(const EleccionImpresora& eleccion);
// Whether a document would find its printer: a PDF output is chosen, or the
// chosen (else the default) printer is installed. False on a machine with no
// printer at all.
bool HayImpresoraDisponible(const EleccionImpresora& eleccion);

// The fixed-pitch face that lists print in: DejaVu Sans Mono, which the
// install step guarantees (package fonts-dejavu-core). It is taken by its
// family name, loaded from its files when the font configuration does not
// list it, so that no substitute chosen by the machine's fonts stands in.
inline constexpr const char* kFamiliaPasoFijo = "DejaVu Sans Mono";
// Line pitch of the printed lists: 1.2 times the point size.
inline constexpr double kPasoLineaPorPunto = 1.2;

// One printed document on the chosen printer. Lines go down the page in
// the current font; a page that is full continues on a new page. Any
// failure throws ErrorImpresora; the document is then to be cancelled.
class DocumentoImpreso {
 public:
  // Starts the document on the chosen printer; throws ErrorImpresora when
  // there is no printer or it refuses the document.
  explicit DocumentoImpreso(const EleccionImpresora& eleccion);
  // Starts the document as a PDF file at that path, whatever the current
  // printer (the stand-in of a machine without printers).
  explicit DocumentoImpreso(const std::string& ruta_pdf);
  // A document that is neither ended nor cancelled is cancelled.
  ~DocumentoImpreso();
  DocumentoImpreso(const DocumentoImpreso&) = delete;
  DocumentoImpreso& operator=(const DocumentoImpreso&) = delete;

  // Font for the following lines: the program's fixed-pitch face
  // (FamiliaPasoFijo) at that size, bold or not, never italic.
  void FuenteFija(double puntos, bool negrita);
  // Prints one line (UTF-8) and moves down by the document's fixed line
  // pitch, whatever the face's own line spacing: a page holds the same
  // number of lines on every machine.
  void Linea(const std::string& texto);
  // Starts a new page.
  void NuevaPagina();
  // Ends the document and sends it to the printer.
  void Fin();
  // Abandons the document (nothing more is printed).
  void Cancela();
  // Page in hand, from 1.
  int Pagina() const;

 private:
  void Empieza(const EleccionImpresora& eleccion);
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace plataforma
