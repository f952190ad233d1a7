#pragma once
// A contest edition as the stages of a run work on it: the listing of each
// stage folder of its tree (received, manual, valid, admitted, crossed,
// annulled, scores, errors, confirmations) and the run's own lists
// (listeners, stations without log by callsign and by count, control logs,
// the queue of manual files to delete), each read from and written to its
// file. The stages take an edition and change it; the windows show it.
//
// A listing holds the names of the ordinary, not hidden files of its folder,
// sorted by name without regard to letter case; a missing folder lists as
// empty. A list file holds one entry a line (Windows-1252, CR LF); a missing
// file reads as an empty list; a file that exists but cannot be read, or
// that cannot be written, raises plataforma::ErrorFichero.
#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

struct EstadoConcurso;

// Every list of an edition.
enum class ListaEdicion {
  // Stage folders.
  Recibidos,       // FicherosRecibidos
  Manuales,        // FicherosManuales
  Validas,         // ListasValidas
  Admitidas,       // ListasAdmitidas
  Cruzadas,        // ListasCruzadas
  QsoAnulados,     // ListasQsoAnulados
  Puntuaciones,    // ListasPuntuaciones
  Errores,         // FicherosErrores
  Confirmaciones,  // FicherosConfirmacion
  // The run's lists, each in its file.
  Oyentes,                  // ListasDeSWL/ListasDeSWL.txt
  NoEnviadasPorIndicativo,  // ListasNoEnviadas/ListasNoEnviadasPorIndicativo.txt
  NoEnviadasPorNumero,      // ListasNoEnviadas/ListasNoEnviadasPorNumero.txt
  DeControl,                // ListasDeControl/ListasDeControl.txt
  // Manual logs merged by the award's manual pass, deleted at its end; no file.
  ManualesPorBorrar,
};
inline constexpr std::size_t kListasEdicion = static_cast<std::size_t>(ListaEdicion::ManualesPorBorrar) + 1;

// How a list came to hold what it holds. A window shows the count of a list
// it read; the results that a cross-check or a changed option discarded show
// no count; a list only emptied keeps the count shown before.
enum class EstadoLista { SinLeer, Leida, Descartada, Vaciada };

// What the last change of a list did: one entry put in or taken out at
// `indice`, or anything else (read again, set, emptied, discarded).
struct CambioLista {
  enum class Clase { Entera, Insercion, Retirada };
  Clase clase = Clase::Entera;
  std::size_t indice = 0;
};

// True for the stage folders, false for the run's lists.
bool EsCarpetaDeEtapa(ListaEdicion lista);
// The folder of a list as the code names it, inside the edition's folder
// (resolved without regard to letter case); nullptr for the queue of manual
// files to delete.
const char* CarpetaDeLista(ListaEdicion lista);

// Count texts: "12 Listas", "12 NO ENVIADAS".
std::string TextoCuentaListas(std::size_t cuantas);
std::string TextoCuentaNoEnviadas(std::size_t cuantas);

// Ordinary, not hidden files of a folder (names only), sorted by name without
// regard to letter case; empty when the folder does not exist.
std::vector<std::string> FicherosDeCarpeta(const std::string& carpeta);

// Lines of a list file; empty when the file does not exist and `debe_existir`
// is false. plataforma::ErrorFichero when it cannot be read.
std::vector<std::string> LeeFicheroLista(const std::string& ruta, bool debe_existir = false);

class EdicionConcurso {
 public:
  // The edition in `carpeta` (the edition's folder, CarpetaConcurso) of the
  // contest `nombre`.
  EdicionConcurso(std::string carpeta, std::string nombre);
  // The contest in hand of `estado`: its CarpetaConcurso and NombreConcurso.
  explicit EdicionConcurso(const EstadoConcurso& estado);

  const std::string& Carpeta() const { return carpeta_; }
  const std::string& Nombre() const { return nombre_; }
  // The edition is one of the municipality award.
  bool EsDiploma() const;

  // The folder of a stage list, or the file of a run's list, resolved
  // whatever the letter case of the tree; empty for the queue of manual
  // files to delete.
  std::string Ruta(ListaEdicion lista) const;

  const std::vector<std::string>& Lista(ListaEdicion lista) const { return listas_[Indice(lista)]; }
  std::size_t Cuenta(ListaEdicion lista) const { return Lista(lista).size(); }
  EstadoLista Estado(ListaEdicion lista) const { return estados_[Indice(lista)]; }
  // The count text of a list: "n NO ENVIADAS" for the lists of stations
  // without log, "n Listas" for any other.
  std::string TextoCuenta(ListaEdicion lista) const;

  // Reads a list: a stage folder's listing, or a run's list from its file.
  // The queue of manual files to delete has no file and is left as it is.
  const std::vector<std::string>& Lee(ListaEdicion lista);
  // Writes a run's list to its file, replacing it. The listeners' file is
  // not written for the award. Nothing for a stage folder or the queue.
  void Guarda(ListaEdicion lista) const;
  // Sets or extends a list in memory (a run's list, or a listing the run
  // changed); the file is written by Guarda.
  void Pon(ListaEdicion lista, std::vector<std::string> elementos);
  void Agrega(ListaEdicion lista, std::string elemento);
  // Removes the first entry equal to `elemento`; false when there is none.
  bool Quita(ListaEdicion lista, const std::string& elemento);
  // Puts `elemento` in place `indice` (at the end past the last entry) /
  // removes the entry in place `indice` (nothing past the last): one entry of
  // a list kept up to date, the rest untouched.
  void Inserta(ListaEdicion lista, std::size_t indice, std::string elemento);
  void QuitaEn(ListaEdicion lista, std::size_t indice);
  // Empties a list in memory (EstadoLista::Vaciada); no file is touched.
  void Vacia(ListaEdicion lista);

  // Discards the results of the cross-check and the scoring: deletes every
  // file of ListasCruzadas, ListasQsoAnulados, ListasPuntuaciones,
  // ListasNoEnviadas, ListasDeControl and ListasDeSWL (a file that cannot be
  // deleted is passed over) and empties the lists of crossed logs, annulled
  // QSOs, scores, stations without log and control logs (Descartada). The
  // listeners' list in memory is kept.
  void DescartaResultadosCruce();
  // Deletes every file of ListasPuntuaciones (passing over failures) and
  // empties its listing (Vaciada).
  void DescartaPuntuaciones();

  // Renames every manual log whose extension (from the first ".") is ".CBR"
  // in any letter case to the same name with "LOG"; a log whose new name is
  // taken already keeps its name. Returns those names; the listing is not
  // read again.
  std::vector<std::string> RenombraCbrManuales() const;
  // Deletes the manual logs of the queue and empties it.
  void BorraManualesPorBorrar();

  // Called after each change of a list, with the list that changed;
  // UltimoCambio tells what the change did.
  std::function<void(ListaEdicion)> AlCambiar;
  const CambioLista& UltimoCambio() const { return ultimo_cambio_; }

 private:
  static std::size_t Indice(ListaEdicion l) { return static_cast<std::size_t>(l); }
  void Cambia(ListaEdicion lista, EstadoLista estado, CambioLista cambio = {});
  void BorraFicherosDe(const char* subcarpeta) const;

  std::string carpeta_;
  std::string nombre_;
  std::array<std::vector<std::string>, kListasEdicion> listas_;
  std::array<EstadoLista, kListasEdicion> estados_{};
  CambioLista ultimo_cambio_;
};

// The warning about the manual logs RenombraCbrManuales could not rename:
// the names, one a line.
std::string TextoCbrNoRenombrados(const std::vector<std::string>& nombres);
