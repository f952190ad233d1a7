#pragma once
// The special multipliers editor without its window: the eight columns of
// table MultEspeciales over the main window's lists, the rules that keep one
// criterion per row while it is typed, and the completion and check a row
// passes before it is stored.
#include "listeditors/editor_cuadricula.h"

namespace listeditors {

class EditorMultEspeciales : public EditorCuadricula {
 public:
  explicit EditorMultEspeciales(EnlaceListas& principal);

  static DefinicionEditor Definicion();
  // Key columns, in the order of the completion.
  enum ColumnaMult { Estacion, Pais, Distrito, Prefijo, Provincia, ZonaCQ, OtrasSiglas, Puntos };

  // Leaves one criterion in the row (0-based): the first key column, in
  // column order, that does not hold "*" keeps its text, the others "*".
  void AjustaComodines(int Linea);
  // The row check of row LineaActual.
  bool VerificaMultiplicador();

 protected:
  bool VerificaFila() override { return VerificaMultiplicador(); }
  void ReglasSalida(int fila, int columna) override;
};

}  // namespace listeditors
