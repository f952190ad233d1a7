#pragma once
// What the windows opened from the main window read and write of its
// contest editor: the run's context, the contest in the editor as it stands
// (texts, bands, modes, options, suffix format, working lists), the working
// lists and the suffix format the list editors give back, the band captions,
// the intake mode and the exact-name box. The main window implements it for
// its links; no link sees the window's controls.
#include <string>
#include <string_view>
#include <vector>

#include "cabrillo/contexto_concurso.h"
#include "mainwindow/concurso_en_edicion.h"

namespace principal {

class EditorPrincipal {
 public:
  virtual ~EditorPrincipal() = default;
  virtual ContextoConcurso& Contexto() = 0;
  // The contest in the editor as the editor shows it now.
  virtual ConcursoEnEdicion Concurso() const = 0;
  // The value of one option, without the rest of the contest.
  virtual bool OpcionMarcada(Opcion o) const = 0;
  // Replaces a working list (by name, without regard to case).
  virtual void PonLista(std::string_view nombre, const std::vector<std::string>& items) = 0;
  virtual void PonSufijo(const FormatoSufijoConcurso& formato) = 0;
  // The caption of band box `indice` (0 to kNumeroBandas - 1).
  virtual std::string TituloBanda(int indice) const = 0;
  // The intake mode and the exact-name check of the editor.
  virtual bool GestionAutomatica() const = 0;
  virtual bool GestionManual() const = 0;
  virtual bool VerificaNombreExacto() const = 0;
  // The main window shown again, in front.
  virtual void MuestraDeNuevo() = 0;
};

}  // namespace principal
