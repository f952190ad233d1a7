#pragma once
// What the list editors read and write of the main window: the view-only
// flag, the working lists of the contest in hand by name, the field
// definitions of the contest database (for the cell lengths) and the band
// and mode boxes of the contest editor. The main window implements it; the
// tests implement it with plain containers.
#include <string>
#include <string_view>
#include <vector>

#include "plataforma/dao.h"

namespace listeditors {

// Type and declared size of a field of the contest database.
struct DefinicionCampo {
  dao::Tipo tipo = dao::Tipo::Text;
  int tamano = 0;
};

class EnlaceListas {
 public:
  virtual ~EnlaceListas() = default;
  // 0: editable (a contest is being created or modified); any other value
  // opens the editor for viewing only.
  virtual int ListasSoloConsulta() const = 0;
  // A working list of the main window, item by item.
  virtual std::vector<std::string> Lista(std::string_view nombre) const = 0;
  // Empties the working list and fills it with these items, in order.
  virtual void PonLista(std::string_view nombre, const std::vector<std::string>& items) = 0;
  // Definition of a field of a table of the contest database; a missing
  // table or field is the database engine's error (dao::Error).
  virtual DefinicionCampo Campo(std::string_view tabla, std::string_view campo) const = 0;
  // The band boxes 0 to 13 of the contest editor: caption and tick.
  virtual std::string TituloBanda(int indice) const = 0;
  virtual bool BandaMarcada(int indice) const = 0;
  // The mode boxes 0 to 11 of the contest editor: tick.
  virtual bool ModoMarcado(int indice) const = 0;
};

}  // namespace listeditors
