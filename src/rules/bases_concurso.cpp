#include "rules/bases_concurso.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

#include "common/controles_ventana.h"
#include "common/ventanas.h"
#include "plataforma/mensajes.h"
#include "rules/bases_concurso_proceso.h"
#include "rules/bases_concurso_texto.h"
#include "ui_bases_concurso.h"

namespace rules {
BasesConcurso::BasesConcurso(std::unique_ptr<EnlaceBasesConcurso> principal, QWidget* padre)
    : QWidget(padre), principal_(std::move(principal)), ui_(std::make_unique<Ui::BasesConcurso>()) {
  ui_->setupUi(this);
  ui_->ListaBasesConcurso->setFont(FuenteFija());
  // Wide enough for a whole QSO line.
  QFontMetrics medidas(ui_->ListaBasesConcurso->font());
  ui_->ListaBasesConcurso->setMinimumWidth(medidas.horizontalAdvance(QString(kAnchoLineaQso + 2, QChar('0'))) +
                                           ui_->ListaBasesConcurso->verticalScrollBar()->sizeHint().width());
  ui_->ListaBasesConcurso->setMinimumHeight(medidas.lineSpacing() * 30);
  connect(ui_->Cruzar, &QPushButton::clicked, this, &BasesConcurso::Cruzar_Click);
  connect(ui_->FinClientes, &QPushButton::clicked, this, &BasesConcurso::FinClientes_Click);
}

BasesConcurso::~BasesConcurso() = default;

void BasesConcurso::Form_Load() {
  resize(sizeHint());
  ::CentraFormulario(this);
  ui_->LBases->setText(ui_->LBases->text() + " " + Q(principal_->NombreConcurso()) + " EDICIÓN " +
                       Q(principal_->EdicionConcurso()));
  show();
  GeneraBasesConcurso();
}

void BasesConcurso::GeneraBasesConcurso() {
  ui_->ListaBasesConcurso->clear();
  ResultadoBases resultado = GeneraFicheroBasesConcurso(*principal_);
  if (!resultado.error.empty()) {
    plataforma::MsgBox(resultado.error, "BASES CONCURSO", plataforma::Icono::Error);
    return;
  }
  for (const std::string& linea : resultado.lineas) ui_->ListaBasesConcurso->addItem(Q(linea));
}

std::vector<std::string> BasesConcurso::Lineas() const {
  std::vector<std::string> lineas;
  for (int i = 0; i < ui_->ListaBasesConcurso->count(); ++i)
    lineas.push_back(ui_->ListaBasesConcurso->item(i)->text().toStdString());
  return lineas;
}

void BasesConcurso::Cruzar_Click() { ::ImprimeLista(principal_->Impresora(), Lineas(), "BASES CONCURSO"); }

void BasesConcurso::FinClientes_Click() { close(); }

void BasesConcurso::closeEvent(QCloseEvent* evento) {
  Form_Unload();
  evento->accept();
}

void BasesConcurso::Form_Unload() {
  if (descargada_) return;
  descargada_ = true;
  principal_->MuestraVentanaPrincipal();
}

BasesConcurso* AbreBasesConcurso(std::unique_ptr<EnlaceBasesConcurso> principal) {
  auto* ventana = new BasesConcurso(std::move(principal));
  ventana->setAttribute(Qt::WA_DeleteOnClose);
  ventana->Form_Load();
  return ventana;
}

}  // namespace rules
