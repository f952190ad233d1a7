#include "plataforma/impresion.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QString>
#include <QStringList>

namespace plataforma {
namespace {

struct Eleccion {
  std::string impresora;  // device name chosen; empty: the default one
  std::string pdf;        // PDF output when not empty
};

Eleccion& Actual() {
  static Eleccion e;
  return e;
}

}  // namespace

std::vector<std::string> Impresoras() {
  std::vector<std::string> r;
  for (const QString& n : QPrinterInfo::availablePrinterNames()) r.push_back(n.toStdString());
  return r;
}

std::string ImpresoraPredeterminada() { return QPrinterInfo::defaultPrinterName().toStdString(); }

bool HayImpresoras() { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

bool EligeImpresora(const std::string& nombre) {
  for (const auto& n : Impresoras()) {
    if (n == nombre) {
      Actual() = {nombre, {}};
      return true;
    }
  }
  return false;
}

void UsaImpresoraPredeterminada() { Actual() = {}; }

void EligeSalidaPdf(const std::string& ruta) { Actual() = {{}, ruta}; }

std::string ImpresoraActual() {
  const Eleccion& e = Actual();
  if (!e.pdf.empty()) return e.pdf;
  if (!e.impresora.empty()) return e.impresora;
  return ImpresoraPredeterminada();
}

struct DocumentoImpreso::Impl {
  std::unique_ptr<QPrinter> impresora;
  QPainter pintor;
  QFont fuente;
  double y = 0;  // top of the next line, in device pixels
  int pagina = 1;
  bool terminado = false;

  double AltoPagina() const { return impresora->pageLayout().paintRectPixels(impresora->resolution()).height(); }
};

DocumentoImpreso::DocumentoImpreso() : impl_(std::make_unique<Impl>()) {
  const Eleccion& e = Actual();
  if (!e.pdf.empty()) {
    impl_->impresora = std::make_unique<QPrinter>(QPrinter::HighResolution);
    impl_->impresora->setOutputFormat(QPrinter::PdfFormat);
    impl_->impresora->setOutputFileName(QString::fromStdString(e.pdf));
  } else {
    const std::string nombre = e.impresora.empty() ? ImpresoraPredeterminada() : e.impresora;
    if (nombre.empty()) throw ErrorImpresora("No hay ninguna impresora instalada");
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(nombre));
    if (info.isNull()) throw ErrorImpresora("La impresora " + nombre + " no está instalada");
    impl_->impresora = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  }
  impl_->impresora->setFullPage(false);
  if (!impl_->pintor.begin(impl_->impresora.get()))
    throw ErrorImpresora("La impresora no acepta el documento");
  impl_->fuente = QFont("Courier New", 10);
  impl_->fuente.setStyleHint(QFont::TypeWriter);
  impl_->pintor.setFont(impl_->fuente);
}

DocumentoImpreso::~DocumentoImpreso() {
  if (!impl_->terminado) Cancela();
}

void DocumentoImpreso::Fuente(const std::string& nombre, double puntos, bool negrita) {
  if (impl_->terminado) throw ErrorImpresora("El documento ya está cerrado");
  QFont f(QString::fromStdString(nombre));
  f.setPointSizeF(puntos > 0 ? puntos : 10);
  f.setBold(negrita);
  f.setItalic(false);
  const QString minus = QString::fromStdString(nombre).toLower();
  if (minus.contains("courier") || minus.contains("mono")) f.setStyleHint(QFont::TypeWriter);
  impl_->fuente = f;
  impl_->pintor.setFont(f);
}

void DocumentoImpreso::Linea(const std::string& texto) {
  if (impl_->terminado) throw ErrorImpresora("El documento ya está cerrado");
  const QFontMetricsF m(impl_->fuente, impl_->impresora.get());
  const double alto = m.lineSpacing();
  if (impl_->y > 0 && impl_->y + alto > impl_->AltoPagina()) NuevaPagina();
  impl_->pintor.drawText(QPointF(0, impl_->y + m.ascent()), QString::fromStdString(texto));
  impl_->y += alto;
}

void DocumentoImpreso::NuevaPagina() {
  if (impl_->terminado) throw ErrorImpresora("El documento ya está cerrado");
  if (!impl_->impresora->newPage()) throw ErrorImpresora("La impresora no acepta una página nueva");
  impl_->y = 0;
  ++impl_->pagina;
}

void DocumentoImpreso::Fin() {
  if (impl_->terminado) return;
  impl_->terminado = true;
  if (!impl_->pintor.end()) throw ErrorImpresora("La impresora no ha terminado el documento");
}

void DocumentoImpreso::Cancela() {
  if (impl_->terminado) return;
  impl_->terminado = true;
  impl_->impresora->abort();
  if (impl_->pintor.isActive()) impl_->pintor.end();
}

int DocumentoImpreso::Pagina() const { return impl_->pagina; }

}  // namespace plataforma
