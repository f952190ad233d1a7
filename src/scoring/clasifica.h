#pragma once
// The rankings window "CLASIFICACIONES", the last window of a contest
// edition's work. Opening it rebuilds the rankings by points and by
// category (scoring/clasificaciones.h) and lists them; from it the manager
// prints either ranking and mails every participant the result, the
// annulled QSOs or a communiqué typed in its panel. The cross-check window
// opens it through `AccionesClasificacion` and is shown again when it
// closes.
//
// A mailing runs to its end without yielding; meanwhile the mailing
// buttons and the exit are disabled, and the window cannot be closed.
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "scoring/enlace_ges_puntos.h"
#include "scoring/envios_clasificacion.h"

class QListWidget;
class QPushButton;

namespace dao {
class Database;
}

namespace Ui {
class Clasifica;
}

namespace scoring {

struct ResultadoClasificaciones;

// The contest in hand as the window needs it.
struct DatosClasifica {
  dao::Database* Base = nullptr;
  std::string CarpetaConcurso;
  std::string NombreConcurso;
  std::string EdicionConcurso;
  // The printer chosen for the run; nullptr: the default one.
  const plataforma::EleccionImpresora* Impresora = nullptr;
};

// Reads the contest's name and edition from its row of `Concursos`.
DatosClasifica LeeDatosClasifica(EnlaceGesPuntos& enlace);

class Clasifica : public QWidget {
  Q_OBJECT

 public:
  // envios: the mailings; nullptr leaves the mailing buttons disabled.
  // al_cerrar: called once when the window is unloaded.
  Clasifica(DatosClasifica datos, std::shared_ptr<EnviosClasificacion> envios, std::function<void()> al_cerrar,
            QWidget* padre = nullptr);
  ~Clasifica() override;

  // Rebuilds the rankings, names the contest, and shows the window at the
  // top of the screen, as high as the screen's free area and wide enough
  // for the longest line of each ranking beside its scroll bar.
  void Form_Load();

  // A mailing is going on.
  bool Enviando() const { return enviando_; }

 protected:
  void closeEvent(QCloseEvent* evento) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  enum class Envio { Resultados, Nulos };

  void AjustaAPantalla();

  void ImprimirPuntos_Click();
  const plataforma::EleccionImpresora& Impresora() const;
  void ImprimirCategoria_Click();
  // Shows the two rankings in ListaPorCategoria and ListaPorPuntos.
  void MuestraClasificaciones(const ResultadoClasificaciones& clasificaciones);
  void Envia(Envio envio);
  // The mailings' recipients, added to ListaPorEmail.
  std::vector<std::string> MuestraDestinatarios();
  void EnviarComunicado_Click();
  void Aceptar_Click();
  void Cancelar_Click();
  void CierraComunicado();
  bool Form_KeyDown(int tecla, Qt::KeyboardModifiers modificadores);
  void Form_Unload();

  DatosClasifica datos_;
  std::shared_ptr<EnviosClasificacion> envios_;
  std::function<void()> al_cerrar_;
  std::unique_ptr<Ui::Clasifica> ui_;
  bool enviando_ = false;
  bool descargada_ = false;
  const plataforma::EleccionImpresora predeterminada_;  // when none is given
};

// Opens the window (deleted when it closes) and loads it.
Clasifica* AbreClasifica(DatosClasifica datos, std::shared_ptr<EnviosClasificacion> envios,
                         std::function<void()> al_cerrar);

// The cross-check window's `Clasificaciones`: opens the rankings window for
// the contest its opener gives, with the mailings `crea_envios` makes (asked
// at every opening; nullptr or no function: no mailings). Only the rankings:
// CalculaPuntuaciones does nothing here (the scoring run comes through
// AccionesCalculoPuntuaciones, which forwards the rankings to this).
class AccionesClasificacion : public AccionesPuntuacion {
 public:
  using CreaEnvios = std::function<std::shared_ptr<EnviosClasificacion>()>;
  AccionesClasificacion(EnlaceGesPuntos& enlace, CreaEnvios crea_envios = {});
  void CalculaPuntuaciones(EdicionConcurso&, ProgresoEtapa&) override {}
  void AbreClasificaciones(std::function<void()> al_cerrar) override;

  // The window last opened (nullptr once it is closed).
  Clasifica* Ventana() const;

 private:
  EnlaceGesPuntos& enlace_;
  CreaEnvios crea_envios_;
  QPointer<Clasifica> ventana_;
};

}  // namespace scoring
