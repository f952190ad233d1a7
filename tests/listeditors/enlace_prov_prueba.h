#pragma once
// The main window as the multiplier reference lists window sees it, kept in
// plain containers, with the field sizes of the reference-list tables.
#include "enlace_prueba.h"

namespace prueba {

struct EnlaceProv : EnlacePrueba {
  EnlaceProv() {
    campos["ListaProv.CodigoProv"] = {dao::Tipo::Text, 6};
    campos["ListaProv.ProvExcluida"] = {dao::Tipo::Boolean, 0};
    campos["ListaDistritos.CodigoDistrito"] = {dao::Tipo::Text, 6};
    campos["ListaDistritos.DistritoExcluido"] = {dao::Tipo::Boolean, 0};
    campos["ListaPaises.DxccExcluido"] = {dao::Tipo::Text, 10};
    campos["ListaPrefijos.PrefijoExcluido"] = {dao::Tipo::Text, 6};
  }
};

}  // namespace prueba
