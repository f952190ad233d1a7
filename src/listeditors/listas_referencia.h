#pragma once
// The multiplier reference lists window "Configuración avanzada" without
// its widgets: six grid editors (provinces and districts with their
// exclusion marks, excluded countries, prefixes and CQ zones, multiplier
// stations), one list open at a time (`ModoLista`), the choice buttons of
// the kinds of multiplier in use, the built-in province and district lists,
// the suffix format and the exclude-own options. Everything works on copies
// of the main window's lists and options, written back only by Aceptar.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "listeditors/editor_cuadricula.h"
#include "listeditors/enlace_list_prov.h"

namespace listeditors {

// The lists by their `ModoLista`.
enum ModoListaProv { LProvincias = 0, LDistritos = 1, LPaises = 2, LPrefijos = 3, LZonasCq = 4, LEstaciones = 5 };
inline constexpr int kNumeroListasProv = 6;

// One list of the window: the grid editor of Part "template" with the
// element check of the reference lists.
class EditorListaReferencia : public EditorCuadricula {
 public:
  EditorListaReferencia(EnlaceListas& enlace, int modo);
  static DefinicionEditor DefinicionLista(int modo);
  int Modo() const { return modo_; }
  // Whether the list has an exclusion column (provinces and districts).
  bool ConExclusion() const { return modo_ == LProvincias || modo_ == LDistritos; }

  // The check of the cursor row before it is stored.
  bool VerificaElemento();
  // False when `Elemento` is already in the list: in "ALTA" any element; in
  // "MODIFICAR" any other than the one being modified.
  bool VerificaDuplicado(const std::string& Elemento, const std::vector<std::string>& ListaElementos) const;

 protected:
  bool VerificaFila() override { return VerificaElemento(); }
  void ReglasSalida(int, int) override {}

 private:
  int modo_;
};

class EditorListProv {
 public:
  enum class BotonProv {
    ConfProv, ConfDistritos, ConfPaises, ConfPrefijos, ConfZonaCq, ConfEstaciones, ConfSufijos,
    InsertarProv, InsertarDist, Modificar, Anadir, Borra, Anular, Finalizar, Aceptar, Cancelar
  };
  static constexpr int kNumeroBotones = 16;
  // Frames: the six lists' (by ModoLista) and FormatoSufijo.
  static constexpr int kFormatoSufijo = 6;

  // Where the focus is: a cell of a list's grid, a button or a check box.
  struct FocoProv {
    enum class Tipo { Ninguno, Serie, Celda, Boton, Casilla };
    Tipo tipo = Tipo::Ninguno;
    int modo = 0;
    int fila = 0;
    int columna = 0;
    BotonProv boton = BotonProv::Cancelar;
    bool operator==(const FocoProv&) const = default;
  };

  explicit EditorListProv(EnlaceListProv& principal);
  ~EditorListProv();
  EditorListProv(const EditorListProv&) = delete;
  EditorListProv& operator=(const EditorListProv&) = delete;

  // Where the six lists' messages to the operator go
  // (EditorCuadricula::PonMensajero).
  void PonMensajero(plataforma::Mensajero* mensajero);

  // ------------------------------------------------------- life cycle
  void Form_Load();
  void Form_Activate();
  // A button pressed by the operator: the focus moves to it, then its
  // action runs (nothing while it is disabled).
  void Pulsa(BotonProv b);
  // Window-level key preview; true when the key was used.
  bool Form_KeyDown(int codigo, int modificadores = 0);

  // ------------------------------------------------------- cells and boxes
  void PonFoco(const FocoProv& foco);
  void Escribe(int modo, int fila, int columna, std::string_view texto);
  void Intro(int modo, int fila, int columna);
  // The suffix-format boxes (0 PrimerNumero .. 4 UltimaLetra) and the
  // exclude-own boxes (0 province .. 4 CQ zone), ticked by the operator.
  void MarcaSufijo(int indice, bool marcada);
  void MarcaExcluir(int indice, bool marcada);

  // ------------------------------------------------------- help texts
  void CargaInformacion(int Opcion);
  static std::string TextoAyuda(int Opcion);

  // ------------------------------------------------------- state
  int ModoLista = 4;
  EditorListaReferencia& Lista(int modo) { return *listas_.at(static_cast<std::size_t>(modo)); }
  const EditorListaReferencia& Lista(int modo) const { return *listas_.at(static_cast<std::size_t>(modo)); }
  // NumeroProvincias, NumeroDistritos... by ModoLista.
  std::int32_t Numero(int modo) const { return Lista(modo).NumeroEspeciales; }
  bool EnUso(int modo) const { return enUso_.at(static_cast<std::size_t>(modo)); }
  bool SufijoEnUso() const { return sufijoEnUso_; }
  bool ListaAbierta() const { return abierta_; }
  bool Editable() const { return principal_.ListasSoloConsulta() == 0; }
  bool Habilitado(BotonProv b) const;
  bool MarcoHabilitado(int marco) const { return marcos_.at(static_cast<std::size_t>(marco)); }
  const FormatoSufijo& Sufijo() const { return sufijo_; }
  const ExcluirPropios& Exclusiones() const { return excluir_; }
  const FocoProv& FocoActual() const { return foco_; }
  const std::string& Informacion() const { return informacion_; }
  std::string Titulo(BotonProv b) const;
  int Pitidos() const;
  bool Cerrada() const { return cerrada_; }

  // The 52 province codes and the nine districts of the built-in lists.
  static const std::vector<std::string>& MatriculasEA();
  static const std::vector<std::string>& DistritosEA();

 private:
  void CargaListasConcurso();
  void AbreLista(int modo);
  void Finalizar();
  void InsertarProv_Click();
  void InsertarDist_Click();
  void Aceptar_Click();
  void ActivaBotonesConfiguracion(bool Activar);
  void TomaFoco();
  EditorListaReferencia& Actual() { return Lista(ModoLista); }
  const EditorListaReferencia& Actual() const { return Lista(ModoLista); }

  class EnlaceLista;
  EnlaceListProv& principal_;
  std::vector<std::unique_ptr<EnlaceLista>> enlaces_;
  std::vector<std::unique_ptr<EditorListaReferencia>> listas_;
  std::array<bool, kNumeroListasProv> enUso_{};
  bool sufijoEnUso_ = false;
  std::array<bool, kNumeroBotones> botones_{};
  std::array<bool, kNumeroListasProv + 1> marcos_{};
  FormatoSufijo sufijo_{};
  ExcluirPropios excluir_{};
  FocoProv foco_;
  std::string informacion_;
  bool abierta_ = false;
  bool cerrada_ = false;
};

}  // namespace listeditors
