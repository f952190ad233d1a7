#include "plataforma/impresion.h"

#include "plataforma/fuente_fija.h"

#include <QFont>
#include <QFontDatabase>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QString>
#include <QStringList>
#include <algorithm>

namespace plataforma {
namespace {

// Where fonts-dejavu-core installs the face.
const char* const kFicherosPasoFijo[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf",
};

bool FamiliaDisponible(const QString& familia) {
  return QFontDatabase::families().contains(familia, Qt::CaseInsensitive);
}

}  // namespace

QFont FuenteDePasoFijo(double puntos, bool negrita) {
  const QString familia = QString::fromLatin1(kFamiliaPasoFijo);
  if (!FamiliaDisponible(familia))
    for (const char* fichero : kFicherosPasoFijo) QFontDatabase::addApplicationFont(QString::fromLatin1(fichero));
  QFont f = FamiliaDisponible(familia) ? QFont(familia) : QFontDatabase::systemFont(QFontDatabase::FixedFont);
  f.setPointSizeF(puntos > 0 ? puntos : 10);
  f.setBold(negrita);
  f.setItalic(false);
  f.setFixedPitch(true);
  f.setStyleHint(QFont::TypeWriter, QFont::PreferMatch);
  f.setKerning(false);
  return f;
}

std::vector<std::string> Impresoras() {
  std::vector<std::string> r;
  for (const QString& n : QPrinterInfo::availablePrinterNames()) r.push_back(n.toStdString());
  return r;
}

std::string ImpresoraPredeterminada() { return QPrinterInfo::defaultPrinterName().toStdString(); }

bool HayImpresoras() { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

bool EligeImpresora(EleccionImpresora& eleccion, const std::string& nombre) {
  for (const auto& n : Impresoras()) {
    if (n == nombre) {
      eleccion = {nombre, {}};
      return true;
    }
  }
  return false;
}

void UsaImpresoraPredeterminada(EleccionImpresora& eleccion) { eleccion = {}; }

void EligeSalidaPdf(EleccionImpresora& eleccion, const std::string& ruta) { eleccion = {{}, ruta}; }

std::string ImpresoraActual(const EleccionImpresora& e) {
  if (!e.pdf.empty()) return e.pdf;
  if (!e.impresora.empty()) return e.impresora;
  return ImpresoraPredeterminada();
}

bool HayImpresoraDisponible(const EleccionImpresora& e) {
  if (!e.pdf.empty()) return true;
  const std::string nombre = e.impresora.empty() ? ImpresoraPredeterminada() : e.impresora;
  if (nombre.empty()) return false;
  const std::vector<std::string> instaladas = Impresoras();
  return std::find(instaladas.begin(), instaladas.end(), nombre) != instaladas.end();
}

struct DocumentoImpreso::Impl {
  std::unique_ptr<QPrinter> impresora;
  QPainter pintor;
  QFont fuente;
  double paso = 0;  // line pitch, in device pixels
  double y = 0;     // top of the next line, in device pixels
  int pagina = 1;
  bool terminado = false;

  double AltoPagina() const { return impresora->pageLayout().paintRectPixels(impresora->resolution()).height(); }
};

DocumentoImpreso::DocumentoImpreso(const EleccionImpresora& eleccion) : impl_(std::make_unique<Impl>()) {
  Empieza(eleccion);
}

DocumentoImpreso::DocumentoImpreso(const std::string& ruta_pdf) : impl_(std::make_unique<Impl>()) {
  Empieza({{}, ruta_pdf});
}

void DocumentoImpreso::Empieza(const EleccionImpresora& e) {
  const std::string& pdf = e.pdf;
  if (!pdf.empty()) {
    impl_->impresora = std::make_unique<QPrinter>(QPrinter::HighResolution);
    impl_->impresora->setOutputFormat(QPrinter::PdfFormat);
    impl_->impresora->setOutputFileName(QString::fromStdString(pdf));
    impl_->impresora->setPageSize(QPageSize(QPageSize::A4));
  } else {
    const std::string nombre = e.impresora.empty() ? ImpresoraPredeterminada() : e.impresora;
    if (nombre.empty()) throw ErrorImpresora("No hay ninguna impresora instalada");
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(nombre));
    if (info.isNull()) throw ErrorImpresora("La impresora " + nombre + " no está instalada");
    impl_->impresora = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  }
  impl_->impresora->setFullPage(false);
  if (!impl_->pintor.begin(impl_->impresora.get())) throw ErrorImpresora("La impresora no acepta el documento");
  FuenteFija(10, false);
}

DocumentoImpreso::~DocumentoImpreso() {
  if (!impl_->terminado) Cancela();
}

void DocumentoImpreso::FuenteFija(double puntos, bool negrita) {
  if (impl_->terminado) throw ErrorImpresora("El documento ya está cerrado");
  impl_->fuente = FuenteDePasoFijo(puntos, negrita);
  impl_->pintor.setFont(impl_->fuente);
  impl_->paso = impl_->fuente.pointSizeF() * kPasoLineaPorPunto * impl_->impresora->resolution() / 72.0;
}

void DocumentoImpreso::Linea(const std::string& texto) {
  if (impl_->terminado) throw ErrorImpresora("El documento ya está cerrado");
  if (impl_->y > 0 && impl_->y + impl_->paso > impl_->AltoPagina()) NuevaPagina();
  // The text sits on a baseline placed by the pitch, not by the face's
  // ascent, so that a face with other metrics moves no line.
  impl_->pintor.drawText(QPointF(0, impl_->y + impl_->paso * 0.8), QString::fromStdString(texto));
  impl_->y += impl_->paso;
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
