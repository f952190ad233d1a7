#pragma once
// The grid list editor shared by the reference-list windows, without any
// widget: a list of parallel column lists, shown in fixed pages of
// `NumeroLineas` rows of text cells, browsed with the navigation keys, with
// rows added ("ALTA"), modified ("MODIFICAR") and deleted, and copied in
// from and back to the main window's working lists. The window over it
// only mirrors the cell texts, colours, button states and focus it holds,
// and hands it the operator's keys, typing and clicks.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "listeditors/enlace_listas.h"
#include "plataforma/mensajes.h"

namespace listeditors {

enum class Boton { ConfProv, Finalizar, Anadir, Modificar, Borra, Anular, Aceptar, Cancelar };
inline constexpr int kNumeroBotones = 8;

// Key codes the editor acts on (the classic virtual-key codes).
namespace tecla {
inline constexpr int Esc = 27, RePag = 33, AvPag = 34, Fin = 35, Inicio = 36, Arriba = 38, Abajo = 40;
inline constexpr int F3 = 114, F4 = 115, F10 = 121, F12 = 123;
}  // namespace tecla

// Where the focus is: a number cell or a value cell of a row (0-based), or
// a button.
struct Foco {
  enum class Tipo { Ninguno, Serie, Celda, Boton };
  Tipo tipo = Tipo::Ninguno;
  int fila = 0;
  int columna = 0;
  Boton boton = Boton::Cancelar;
  bool operator==(const Foco&) const = default;
  static Foco EnSerie(int fila) { return {Tipo::Serie, fila, 0, Boton::Cancelar}; }
  static Foco EnCelda(int fila, int columna) { return {Tipo::Celda, fila, columna, Boton::Cancelar}; }
  static Foco EnBoton(Boton b) { return {Tipo::Boton, 0, 0, b}; }
};

// What an editor instance supplies besides its rules and row check.
struct DefinicionEditor {
  // Column lists, each named after the main window's list it copies, in
  // the order they are copied in and back; one per value column.
  std::vector<std::string> listas;
  // Value columns (cell names), parallel to `listas`.
  std::vector<std::string> columnas;
  // Table whose field definitions limit the cells of the columns named in
  // `camposTabla`; the other columns get `longitudFija`.
  std::string tabla;
  std::vector<std::string> camposTabla;
  int longitudFija = 2;
  // Longest text of a number cell (0: typing there is refused).
  int longitudSerie = 10;
  int numeroLineas = 15;
  // Contents of a new row, one per value column.
  std::vector<std::string> filaNueva;
  // Enter moves along this ring of value columns.
  std::vector<int> ordenIntro;
  // The cell that gets the focus when a row is started or modified.
  int primeraCelda = 0;
  // The value cells keep their text as typed: neither upper-cased nor
  // trimmed, and no colour of their own while they have the focus.
  bool celdasLibres = false;
};

class EditorCuadricula {
 public:
  EditorCuadricula(EnlaceListas& principal, DefinicionEditor definicion);
  virtual ~EditorCuadricula() = default;
  EditorCuadricula(const EditorCuadricula&) = delete;
  EditorCuadricula& operator=(const EditorCuadricula&) = delete;

  // ------------------------------------------------------- life cycle
  void Form_Load();
  void Form_Activate();
  void ConfProv_Click();
  void Finalizar_Click();
  void Anadir_Click();
  void Modificar_Click();
  void Anular_Click();
  void Borra_Click();
  void Aceptar_Click();
  void Cancelar_Click();
  // A button pressed by the operator: the focus moves to it, then its
  // handler runs (nothing while it is disabled).
  void Pulsa(Boton b);
  // Replaces the whole open list (one vector per column list, parallel) and
  // shows its first page with the cursor on the first element; a row being
  // added or modified is given up.
  void ReemplazaLista(std::vector<std::vector<std::string>> columnas);

  // ------------------------------------------------------- keys
  // Modifier keys held with a key.
  static constexpr int kShift = 1, kCtrl = 2, kAlt = 4;
  // Window-level key preview. Returns true when the key was used (the
  // focused control must not get it).
  bool Form_KeyDown(int codigo, int modificadores = 0);
  // The navigation keys of the open list; true when the key was one of them.
  bool KeyDown(int codigo);

  // ------------------------------------------------------- cells
  // The operator moves the focus (click, Tab): the cell left runs its leave
  // handling first.
  void PonFoco(const Foco& foco);
  // Text typed into a value cell (upper-cased; cut to the cell's length).
  void Escribe(int fila, int columna, std::string_view texto);
  // Enter in a value cell: the next cell of the row in the Enter order.
  void Intro(int fila, int columna);

  // ------------------------------------------------------- help texts
  void CargaInformacion(int Opcion);
  static std::string TextoAyuda(int Opcion);

  // ------------------------------------------------------- state
  std::int32_t NumeroElementos = 0;
  int NumeroLineas = 15;
  std::int32_t ElementoActual = 0;
  int LineaActual = 0;
  std::string EstadoLinea;
  bool NavegacionActiva = false;
  std::int32_t NumeroEspeciales = 0;

  bool Editable() const { return principal_.ListasSoloConsulta() == 0; }
  bool ListaAbierta() const { return listaAbierta_; }
  const DefinicionEditor& Definicion() const { return def_; }
  int NumeroColumnas() const { return static_cast<int>(def_.columnas.size()); }
  int Columna(std::string_view nombre) const;  // -1 when none

  // The column lists (in the order of the definition).
  const std::vector<std::vector<std::string>>& Listas() const { return listas_; }
  const std::vector<std::string>& Lista(std::string_view nombre) const;

  // The grid as it is drawn (rows 0-based).
  const std::string& Celda(int fila, int columna) const { return celdas_.at(fila).at(columna); }
  const std::string& Serie(int fila) const { return serie_.at(fila); }
  bool Marcada(int fila) const { return marcada_.at(fila); }
  bool Bloqueada(int fila) const { return bloqueada_.at(fila); }
  int Longitud(int columna) const { return longitudes_.at(columna); }
  bool Habilitado(Boton b) const { return botones_[static_cast<int>(b)]; }
  const Foco& FocoActual() const { return foco_; }
  const std::string& Informacion() const { return informacion_; }
  std::string TituloConfProv() const;
  std::string TituloFinalizar() const;
  // Beeps asked for so far.
  int Pitidos() const { return pitidos_; }
  // The window must close: after Aceptar (lists copied back) or Cancelar.
  bool Cerrada() const { return cerrada_; }

  // Where the editor's messages to the operator go (a refused row, the
  // question before a deletion): its window's message boxes. Not owned.
  // With none, a message is shown nowhere and gets its default answer (No
  // to the question).
  void PonMensajero(plataforma::Mensajero* mensajero) { mensajero_ = mensajero; }

  // Maximum length for a field type (`Longitud` unchanged for a type not
  // listed).
  static void VerLongitudTipoCampo(const DefinicionCampo& campo, int& Longitud);

 protected:
  // The instance's row check on row LineaActual: false after it has shown
  // its message and put the focus on the cell to correct.
  virtual bool VerificaFila() = 0;
  // The instance's rules for a cell that loses the focus (after trimming).
  virtual void ReglasSalida(int fila, int columna) = 0;

  std::string& CeldaEditable(int fila, int columna) { return celdas_.at(fila).at(columna); }
  // Shows a message box through the editor's Mensajero.
  plataforma::Respuesta Mensaje(const std::string& texto, const std::string& titulo, plataforma::Icono icono,
                                plataforma::Botones botones = plataforma::Botones::Aceptar) const;
  void Pita() { ++pitidos_; }
  EnlaceListas& principal_;

 private:
  void AjustaCampos();
  void CargaListasConcurso();
  void MuestraLista();
  void RestauraLinea(int Linea);
  void LimpiaLinea(int Linea);
  void LimpiaLineas();
  void MarcaLineaActual(bool Marcar);
  void BloqueaLinea(int Accion, int Linea);
  void VaAlFinal();
  void RetrocedePagina();
  void AvanzaPagina();
  void BajaCursor(int veces);
  void IniciaAlta();
  void GrabaAltaElemento();
  void GrabaModificacion();
  void EliminaElemento();
  void ActivaBotonesSalida();
  void ActivaBotonesLista();
  void DesactivaBotones();
  void ActivaBotonesConfiguracion(bool Activar);
  void Habilita(Boton b, bool si) { botones_[static_cast<int>(b)] = si; }
  void SaleDeCelda(int fila, int columna);
  void FocoSerie() { PonFoco(Foco::EnSerie(LineaActual > 0 ? LineaActual - 1 : 0)); }

  DefinicionEditor def_;
  std::vector<std::vector<std::string>> listas_;
  std::vector<std::vector<std::string>> celdas_;
  std::vector<std::string> serie_;
  std::vector<bool> marcada_;
  std::vector<bool> bloqueada_;
  std::vector<int> longitudes_;
  std::array<bool, kNumeroBotones> botones_{};
  Foco foco_;
  std::string informacion_;
  int pitidos_ = 0;
  plataforma::Mensajero* mensajero_ = nullptr;
  bool listaAbierta_ = false;
  bool cerrada_ = false;
};

}  // namespace listeditors
