#pragma once
// What the list editors read and write of the main window: the view-only
// flag, its working lists, the field definitions of the shared contest
// database connection and the band and mode boxes of the editor.
#include "listeditors/enlace_listas.h"

class Trovalis;

namespace principal {

class EnlaceListasTrovalis : public listeditors::EnlaceListas {
 public:
  explicit EnlaceListasTrovalis(Trovalis& ventana) : ventana_(ventana) {}

  int ListasSoloConsulta() const override;
  std::vector<std::string> Lista(std::string_view nombre) const override;
  void PonLista(std::string_view nombre, const std::vector<std::string>& items) override;
  listeditors::DefinicionCampo Campo(std::string_view tabla, std::string_view campo) const override;
  std::string TituloBanda(int indice) const override;
  bool BandaMarcada(int indice) const override;
  bool ModoMarcado(int indice) const override;

 private:
  Trovalis& ventana_;
};

}  // namespace principal
