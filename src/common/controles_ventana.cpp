#include "common/controles_ventana.h"

#include <QApplication>
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
    }
    const QPair<int, QString> clave(static_cast<int>(opcion.state), opcion.text);
    auto it = medidas_.constFind(clave);
    if (it != medidas_.constEnd()) return *it;
    const QSize medida = QStyledItemDelegate::sizeHint(option, index);
    medidas_.insert(clave, medida);
    return medida;
  }

 private:
  static constexpr qsizetype kMaximoTextos = 20000;
  mutable QHash<QPair<int, QString>, QSize> medidas_;
  mutable const QStyle* estilo_ = nullptr;
  mutable QFont fuente_;
  mutable Qt::Alignment alineacion_;
};

}  // namespace

QString Q(std::string_view texto) { return QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size())); }

QFont FuenteFija() {
  QFont fuente("Monospace");
  fuente.setStyleHint(QFont::TypeWriter);
  fuente.setFixedPitch(true);
  return fuente;
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
