#include "common/controles_ventana.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHash>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {

// The item delegate of a window's list box: the size of an item of plain
// text is the style's, measured once per text. A list box measures every
// item again each time it lays them out (after items are added), and
// measuring a text (shaping it) is what costs. The sizes are kept by text
// and state; a change of anything else the style reads (font, style,
// alignment) forgets them, and so does a box of many different texts once it
// has kMaximoTextos of them.
class DelegadoTexto : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem opcion = option;
    initStyleOption(&opcion, index);
    constexpr auto kSoloTexto = QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::Alternate;
    if ((opcion.features & ~QStyleOptionViewItem::ViewItemFeatures(kSoloTexto)) || index.data(Qt::SizeHintRole).isValid())
      return QStyledItemDelegate::sizeHint(option, index);
    const QStyle* estilo = opcion.widget ? opcion.widget->style() : QApplication::style();
    if (estilo != estilo_ || opcion.font != fuente_ || opcion.displayAlignment != alineacion_ ||
        medidas_.size() >= kMaximoTextos) {
      medidas_.clear();
      estilo_ = estilo;
      fuente_ = opcion.font;
      alineacion_ = opcion.displayAlignment;
      paso_fijo_ = PasoFijo(fuente_);
    }
    // In a face of fixed pitch a text of printable ASCII measures as any
    // other of the same length and the same spaces at its end (which a line
    // may leave out of its width): the lines of a log, new texts each, are
    // measured once per length.
    QString forma;
    if (paso_fijo_ && ConPasoFijo(opcion.text)) {
      qsizetype finales = 0;
      while (finales < opcion.text.size() && opcion.text[opcion.text.size() - 1 - finales] == u' ') ++finales;
      forma = QString(opcion.text.size() - finales, u'x') + QString(finales, u' ');
    }
    const QPair<int, QString> clave(static_cast<int>(opcion.state), forma.isEmpty() ? opcion.text : forma);
    auto it = medidas_.constFind(clave);
    if (it != medidas_.constEnd()) return *it;
    const QSize medida = QStyledItemDelegate::sizeHint(option, index);
    medidas_.insert(clave, medida);
    return medida;
  }

 private:
  // Whether every printable ASCII character of the face has one advance,
  // alone and in a row (no kerning, no ligature of another width). The
  // face's own word for it is not trusted: a monospaced face may not say so.
  static bool PasoFijo(const QFont& fuente) {
    const QFontMetricsF medida(fuente);
    const qreal paso = medida.horizontalAdvance(QLatin1Char('x'));
    QString todos;
    for (char c = ' '; c <= '~'; ++c) {
      if (medida.horizontalAdvance(QLatin1Char(c)) != paso) return false;
      todos += QLatin1Char(c);
    }
    for (char c = '~'; c >= ' '; --c) todos += QLatin1Char(c);
    return medida.horizontalAdvance(todos) == paso * static_cast<qreal>(todos.size());
  }
  static bool ConPasoFijo(const QString& texto) {
    if (texto.isEmpty()) return false;
    for (const QChar c : texto)
      if (c.unicode() < u' ' || c.unicode() > u'~') return false;
    return true;
  }

  static constexpr qsizetype kMaximoTextos = 20000;
  mutable QHash<QPair<int, QString>, QSize> medidas_;
  mutable const QStyle* estilo_ = nullptr;
  mutable QFont fuente_;
  mutable Qt::Alignment alineacion_;
  mutable bool paso_fijo_ = false;
};

}  // namespace

QString Q(std::string_view texto) { return QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size())); }

QFont FuenteFija() {
  QFont fuente("Monospace");
  fuente.setStyleHint(QFont::TypeWriter);
  fuente.setFixedPitch(true);
  return fuente;
}

void LlenaLista(QListWidget* caja, std::span<const std::string> textos) {
  caja->clear();
  QStringList lista;
  lista.reserve(static_cast<qsizetype>(textos.size()));
  for (const std::string& t : textos) lista.append(Q(t));
  caja->addItems(lista);
}

void MideTextosUnaVez(QWidget* ventana) {
  for (QListWidget* l : ventana->findChildren<QListWidget*>()) l->setItemDelegate(new DelegadoTexto(l));
}

bool PulsaBotonDeTecla(int tecla, Qt::KeyboardModifiers modificadores,
                       std::initializer_list<std::pair<int, QPushButton*>> teclas) {
  if (modificadores & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) return false;
  for (const auto& [clave, boton] : teclas) {
    if (clave != tecla) continue;
    if (boton->isEnabled()) {
      boton->setFocus();
      boton->click();
    }
    return true;
  }
  return false;
}
