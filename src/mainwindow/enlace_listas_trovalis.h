#pragma once
// What the list editors read and write of the main window: the view-only
// flag, the working lists of the contest in the editor, the field
// definitions of the shared contest database connection and the bands,
// modes, options, suffix format and exclude-own options of the editor.
#include "listeditors/enlace_list_prov.h"

namespace principal {

class EditorPrincipal;

class EnlaceListasTrovalis : public listeditors::EnlaceListProv {
 public:
  explicit EnlaceListasTrovalis(EditorPrincipal& editor) : editor_(editor) {}

  int ListasSoloConsulta() const override;
  std::vector<std::string> Lista(std::string_view nombre) const override;
  void PonLista(std::string_view nombre, const std::vector<std::string>& items) override;
  listeditors::DefinicionCampo Campo(std::string_view tabla, std::string_view campo) const override;
  std::string TituloBanda(int indice) const override;
  bool BandaMarcada(int indice) const override;
  bool ModoMarcado(int indice) const override;
  bool OpcionMarcada(std::string_view nombre) const override;
  listeditors::FormatoSufijo Sufijo() const override;
  void PonSufijo(const listeditors::FormatoSufijo& formato) override;
  listeditors::ExcluirPropios Exclusiones() const override;
  void PonExclusiones(const listeditors::ExcluirPropios& opciones) override;

 private:
  EditorPrincipal& editor_;
};

}  // namespace principal
