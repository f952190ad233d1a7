#include "common/ventanas.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFont>
#include <QLayout>
#include <QListWidget>
#include <QScreen>
#include <QScrollArea>
#include <QWidget>
#include <algorithm>
#include <memory>

#include "plataforma/errores.h"
#include "plataforma/impresion.h"
#include "plataforma/lenguaje.h"
#include "plataforma/mensajes.h"
#include "plataforma/texto.h"

using plataforma::Botones;
using plataforma::Icono;

bool EsCampoEnBlanco(std::string& texto) {
  if (texto.empty()) return true;
  for (char c : texto)
    if (c != ' ') return false;
  texto.clear();
  return true;
}

bool VerificaFormatoNumerico(std::string& texto) {
  if (EsCampoEnBlanco(texto)) {
    texto.assign(1, '0');
    return true;
  }
  if (texto == "-") return true;
  if (plataforma::EsNumerico(texto)) return true;
  plataforma::MsgBox(".- ERROR en FORMATO NUMERICO", "VERIFICAR NUMERO ", Icono::Pregunta, Botones::Aceptar);
  return false;
}

void AvisaDatoEnBlanco(const std::string& titulo) {
  QApplication::beep();
  plataforma::MsgBox("Este dato no se puede dejar en blanco", titulo, Icono::Pregunta, Botones::Aceptar);
}

void CentraFormulario(QWidget* ventana) {
  if (!ventana) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QScreen* pantalla = ventana->screen() ? ventana->screen() : QGuiApplication::primaryScreen();
  if (pantalla) {
    const QRect area = pantalla->availableGeometry();
    const QRect marco = ventana->frameGeometry();
    ventana->move(area.left() + area.width() / 2 - marco.width() / 2,
                  area.top() + area.height() / 2 - marco.height() / 2);
  }
  QApplication::restoreOverrideCursor();
}

void AjustaVentanaAPantalla(QWidget* ventana, QScrollArea* area) {
  if (!ventana || !area || !area->widget() || !ventana->layout()) return;
  // The controls as they will be drawn: polished, with their layouts set.
  ventana->ensurePolished();
  for (QWidget* w : ventana->findChildren<QWidget*>()) w->ensurePolished();
  if (area->widget()->layout()) area->widget()->layout()->activate();
  ventana->layout()->activate();
  // What the whole window asks for, and the whole of the scroll area's contents.
  const QSize total = ventana->layout()->sizeHint();
  const QSize contenido =
      area->widget()->layout() ? area->widget()->layout()->totalSizeHint() : area->widget()->sizeHint();
  const int marcoArea = 2 * area->frameWidth();
  // Around the scroll area (margins of the window and of the frames that
  // hold it, and the controls above and below it), as the layout has just
  // placed it.
  const QSize alrededor = (ventana->size() - area->size()).expandedTo(QSize(0, 0));
  QSize deseado(std::max(total.width(), contenido.width() + marcoArea + alrededor.width()),
                contenido.height() + marcoArea + alrededor.height());
  QScreen* pantalla = ventana->screen() ? ventana->screen() : QGuiApplication::primaryScreen();
  if (pantalla) {
    // Room for the frame that the window manager adds (known once shown).
    QSize marco = ventana->frameGeometry().size() - ventana->geometry().size();
    if (!ventana->isVisible() || marco.width() <= 0 || marco.height() <= 0) marco = QSize(16, 48);
    const QSize disponible = pantalla->availableGeometry().size() - marco;
    deseado = deseado.boundedTo(disponible);
  }
  ventana->resize(deseado.expandedTo(ventana->minimumSizeHint()));
}

namespace {

constexpr const char* kAlturaMaximizada = "AlturaMaximizada";
constexpr const char* kAnchuraMaximizada = "AnchuraMaximizada";
constexpr const char* kPuntosNormales = "PuntosNormales";
constexpr const char* kGeometriaNormal = "GeometriaNormal";

// A control whose geometry a layout or a scroll area manages is left to it:
// a scroll area places its viewport, its scroll bars and the contents inside
// the viewport itself.
bool LoColocaUnLayout(const QWidget* w) {
  const QWidget* padre = w->parentWidget();
  if (!padre) return false;
  if (padre->layout() && padre->layout()->indexOf(const_cast<QWidget*>(w)) >= 0) return true;
  if (qobject_cast<const QAbstractScrollArea*>(padre)) return true;
  const QWidget* abuelo = padre->parentWidget();
  if (auto* area = qobject_cast<const QAbstractScrollArea*>(abuelo)) return area->viewport() == padre;
  return false;
}

}  // namespace

void RedimensionaControles(QWidget* ventana, int alturaNormal, int anchuraNormal, bool maximizar) {
  if (!ventana || alturaNormal <= 0 || anchuraNormal <= 0) return;
  ventana->setUpdatesEnabled(false);
  float factorAltura = 1.0f, factorAnchura = 1.0f;
  if (maximizar) {
    const int altura = ventana->height(), anchura = ventana->width();
    ventana->setProperty(kAlturaMaximizada, altura);
    ventana->setProperty(kAnchuraMaximizada, anchura);
    factorAltura = static_cast<float>(altura) / static_cast<float>(alturaNormal);
    factorAnchura = static_cast<float>(anchura) / static_cast<float>(anchuraNormal);
  }
  const auto controles = ventana->findChildren<QWidget*>();
  for (QWidget* w : controles) {
    // Each control keeps its normal font size and geometry, so restoring
    // gives back exactly what it had, however often the window changes.
    if (!w->property(kPuntosNormales).isValid()) w->setProperty(kPuntosNormales, w->font().pointSizeF());
    if (!LoColocaUnLayout(w) && !w->isWindow() && !w->property(kGeometriaNormal).isValid())
      w->setProperty(kGeometriaNormal, w->geometry());
    const double puntos = w->property(kPuntosNormales).toDouble();
    QFont f = w->font();
    if (puntos > 0) {
      f.setPointSizeF(maximizar ? puntos * static_cast<double>(factorAnchura) : puntos);
      w->setFont(f);
    }
    const QVariant g = w->property(kGeometriaNormal);
    if (g.isValid()) {
      const QRect r = g.toRect();
      if (maximizar)
        w->setGeometry(static_cast<int>(static_cast<float>(r.left()) * factorAnchura),
                       static_cast<int>(static_cast<float>(r.top()) * factorAltura),
                       static_cast<int>(static_cast<float>(r.width()) * factorAnchura),
                       static_cast<int>(static_cast<float>(r.height()) * factorAltura));
      else
        w->setGeometry(r);
    }
  }
  ventana->setUpdatesEnabled(true);
  ventana->show();
}

void EstableceImpresora(plataforma::EleccionImpresora& eleccion, const std::string& nombreImpresora) {
  for (const auto& nombre : plataforma::Impresoras()) {
    if (nombre == nombreImpresora) {
      plataforma::EligeImpresora(eleccion, nombre);
      return;
    }
  }
}

std::string RutaPdfSinImpresora(const std::string& titulo) {
  std::string nombre = "Impresion " + titulo;
  for (char& c : nombre)
    if (c == '/' || c == '\\' || c == ':' || (static_cast<unsigned char>(c) < 0x20)) c = '_';
  nombre += " " + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HHmmss")).toStdString() + ".pdf";
  return QDir::current().absoluteFilePath(QString::fromStdString(nombre)).toStdString();
}

void ImprimeLista(const plataforma::EleccionImpresora& eleccion, const std::vector<std::string>& lineas,
                  const std::string& titulo) {
  // A machine without printers writes the pages into the working folder.
  const std::string pdf = plataforma::HayImpresoraDisponible(eleccion) ? std::string() : RutaPdfSinImpresora(titulo);
  std::unique_ptr<plataforma::DocumentoImpreso> documento;
  try {
    documento = pdf.empty() ? std::make_unique<plataforma::DocumentoImpreso>(eleccion)
                            : std::make_unique<plataforma::DocumentoImpreso>(pdf);
    auto& doc = *documento;
    // Courier New 10 in the lists' own fixed-pitch face, the same on every
    // machine, with a fixed line pitch: the page break after the 60th item
    // falls where it should whatever fonts are installed.
    doc.FuenteFija(10, true);
    doc.Linea(plataforma::Mayusculas(titulo));
    doc.Linea("");
    int contador = 0;
    for (const auto& linea : lineas) {
      doc.FuenteFija(10, false);
      doc.Linea(linea);
      if (++contador == 60) doc.NuevaPagina();
    }
    doc.Fin();
  } catch (const std::exception& error) {
    if (documento) documento->Cancela();
    plataforma::MsgBox(pdf.empty() ? TextoImpresoraNoDisponible(error.what())
                                   : "No se ha podido escribir el fichero PDF " + pdf + ": " + error.what());
    return;
  }
  if (!pdf.empty()) plataforma::MsgBox(TextoImpresoEnPdf(pdf));
}

std::string TextoImpresoEnPdf(const std::string& ruta) {
  return "No hay ninguna impresora instalada: la lista se ha guardado como PDF en\n" + ruta +
         "\n\nPara imprimir en papel, instale la impresora en el sistema (en Debian: Configuración > "
         "Impresoras, o CUPS en http://localhost:631) y elíjala con \"Selección Impresora\" en la ventana "
         "principal.";
}

std::string TextoImpresoraNoDisponible(const std::string& motivo) {
  return "La Impresora no está disponible (" + motivo +
         ").\n\nCompruebe que está encendida y conectada y que el sistema la tiene instalada (en Debian: "
         "Configuración > Impresoras, o CUPS en http://localhost:631), o elija otra con \"Selección "
         "Impresora\" en la ventana principal.";
}

void ImprimeLista(const plataforma::EleccionImpresora& eleccion, const QListWidget& lista, const std::string& titulo) {
  std::vector<std::string> lineas;
  lineas.reserve(static_cast<std::size_t>(lista.count()));
  for (int i = 0; i < lista.count(); ++i) lineas.push_back(lista.item(i)->text().toStdString());
  ImprimeLista(eleccion, lineas, titulo);
}
