#include "common/panel_progreso.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QScrollBar>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest/QTest>
#include <string>

#include "common/controles_ventana.h"

namespace {

// Counts the paintings of a widget.
class Pintados : public QObject {
 public:
  explicit Pintados(QWidget* w) { w->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++veces;
    return false;
  }
  int veces = 0;
};

// A work window: its step label, its bar and a list the run fills.
struct VentanaTrabajo {
  VentanaTrabajo() {
    auto* capas = new QVBoxLayout(&ventana);
    etiqueta = new QLabel(QStringLiteral("Procesando"));
    barra = new QProgressBar;
    lista = new QListWidget;
    capas->addWidget(etiqueta);
    capas->addWidget(barra);
    capas->addWidget(lista);
    ventana.resize(400, 300);
    ventana.show();
  }
  QWidget ventana;
  QLabel* etiqueta;
  QProgressBar* barra;
  QListWidget* lista;
};

// A run that yields at every new step, as fast as it can: the window is
// repainted once per interval at most (about 20 times a second), the list
// laid out no more often, and what the run left is painted once it is over.
TEST(PanelProgreso, DuranteUnaEjecucionLaVentanaSeRepintaComoMuchoTreintaVecesPorSegundo) {
  VentanaTrabajo v;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&v.ventana));
  QTest::qWait(50);
  PanelProgreso panel(v.etiqueta, v.barra, true);
  Pintados etiqueta(v.etiqueta), lista(v.lista->viewport());

  panel.Empieza(100000);
  QElapsedTimer reloj;
  reloj.start();
  int pasos = 0;
  while (reloj.elapsed() < 400) {
    ++pasos;
    panel.PonTexto("Procesando Q" + std::to_string(pasos) + ".LOG");
    v.lista->addItem(QStringLiteral("Q%1.LOG").arg(pasos));
    panel.PonProgreso(pasos % 100);
    panel.Cede();
  }
  const qint64 duracion = reloj.elapsed();
  const int tope = static_cast<int>(duracion / PanelProgreso::kIntervaloMs) + 2;
  ASSERT_GT(pasos, 2 * tope) << "a run too slow to tell";
  EXPECT_LE(etiqueta.veces, tope);
  EXPECT_LE(lista.veces, tope);
  EXPECT_GE(etiqueta.veces, 1);

  const int antes = etiqueta.veces;
  panel.Termina("FIN PROCESO");
  QTest::qWait(100);
  EXPECT_GT(etiqueta.veces, antes) << "the end of the run was not painted";
  EXPECT_EQ(v.etiqueta->text().toStdString(), "FIN PROCESO");
  EXPECT_EQ(v.barra->value(), 100);
  // Every item laid out in its place.
  EXPECT_EQ(v.lista->visualItemRect(v.lista->item(pasos - 1)).top(),
            v.lista->visualItemRect(v.lista->item(0)).top() + (pasos - 1) * v.lista->sizeHintForRow(0));
}

// A label whose width follows its text, its text changed at every step of a
// run: whenever it is painted it has been laid out to the text it shows
// (the layouts held back between repaints are done before them), and after
// the run it is laid out to the last text.
TEST(PanelProgreso, UnaEtiquetaSePintaDispuestaParaSuTexto) {
  QWidget ventana;
  auto* capas = new QHBoxLayout(&ventana);
  auto* etiqueta = new QLabel(QStringLiteral("Procesando"));
  auto* barra = new QProgressBar;
  capas->addWidget(etiqueta);
  capas->addStretch(1);
  capas->addWidget(barra);
  ventana.resize(900, 60);
  ventana.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&ventana));
  QTest::qWait(50);
  PanelProgreso panel(etiqueta, barra, true);

  struct Comprueba : QObject {
    QLabel* etiqueta = nullptr;
    int pintados = 0, desajustes = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() != QEvent::Paint) return false;
      ++pintados;
      if (etiqueta->width() != etiqueta->sizeHint().width()) ++desajustes;
      return false;
    }
  } comprueba;
  comprueba.etiqueta = etiqueta;
  etiqueta->installEventFilter(&comprueba);

  panel.Empieza(100000);
  QElapsedTimer reloj;
  reloj.start();
  for (int paso = 0; reloj.elapsed() < 400; ++paso) {
    panel.PonTexto("Procesando " + std::string(static_cast<std::size_t>(paso % 40 + 1), 'W') + ".LOG");
    QElapsedTimer espera;
    espera.start();
    while (espera.elapsed() < 2) {
    }
    panel.Cede();
  }
  EXPECT_GE(comprueba.pintados, 2);
  EXPECT_EQ(comprueba.desajustes, 0);
  panel.Termina("FIN");
  QTest::qWait(100);
  EXPECT_EQ(etiqueta->width(), etiqueta->sizeHint().width());
  etiqueta->removeEventFilter(&comprueba);
}

// What a window sets only when it is about to be seen: a run that yields as
// fast as it can has it set before each repaint, not at every step; at every
// painting it shows the run's last step, and so it does once the run is over
// and whenever the window asks for it (before a message box).
TEST(PanelProgreso, LoQueSeMuestraAntesDeRepintarEstaAlDiaEnCadaPintado) {
  VentanaTrabajo v;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&v.ventana));
  QTest::qWait(50);
  PanelProgreso panel(v.etiqueta, v.barra, false);
  int ultimo = 0, puestas = 0;
  panel.AntesDeRepintar([&] {
    ++puestas;
    v.lista->clear();
    v.lista->addItem(QString::number(ultimo));
  });
  struct Comprueba : QObject {
    QListWidget* lista = nullptr;
    const int* ultimo = nullptr;
    int pintados = 0, atrasados = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() != QEvent::Paint) return false;
      ++pintados;
      if (lista->count() != 1 || lista->item(0)->text() != QString::number(*ultimo)) ++atrasados;
      return false;
    }
  } comprueba;
  comprueba.lista = v.lista;
  comprueba.ultimo = &ultimo;
  v.lista->viewport()->installEventFilter(&comprueba);

  panel.Empieza(100000);
  QElapsedTimer reloj;
  reloj.start();
  while (reloj.elapsed() < 300) {
    ++ultimo;
    panel.PonTexto("Procesando Q" + std::to_string(ultimo) + ".LOG");
    v.lista->viewport()->update();
    panel.Cede();
  }
  ASSERT_GT(ultimo, 4 * puestas) << "a run too slow to tell";
  EXPECT_GE(comprueba.pintados, 2);
  EXPECT_EQ(comprueba.atrasados, 0);
  EXPECT_LE(puestas, reloj.elapsed() / PanelProgreso::kIntervaloMs + 2);
  ++ultimo;
  panel.PonAlDia();
  EXPECT_EQ(v.lista->item(0)->text(), QString::number(ultimo));
  ++ultimo;
  panel.Termina("FIN");
  EXPECT_EQ(v.lista->item(0)->text(), QString::number(ultimo));
  QTest::qWait(100);
  EXPECT_EQ(comprueba.atrasados, 0);
  v.lista->viewport()->removeEventFilter(&comprueba);
}

// The list boxes of a window measure their texts as any list box does:
// every item in the same place and of the same size as in a plain list, and
// again after a change of font, also in the fixed-pitch face, where texts
// of one length (and as many spaces at their end) are measured once.
TEST(MideTextosUnaVez, LasListasMidenSusTextosComoLaListaSinMas) {
  QWidget ventana;
  auto* capas = new QVBoxLayout(&ventana);
  auto* propia = new QListWidget;
  capas->addWidget(propia);
  // Only the window's list box so far gets the delegate.
  MideTextosUnaVez(&ventana);
  auto* llana = new QListWidget;
  capas->addWidget(llana);
  const char* textos[] = {"EA1ABC.LOG", "W", "QSO: 14025 CW 2026-03-07 1200 EA1ABC 599 001 DL1XYZ 599 001",
                          "\xC3\x91" "and\xC3\xBA", "", "EA1ABC.LOG", "MMMMMMMMMMMMMMMMMMMM",
                          "iiiiiiiiii", "W.W.W.W.W.", "EA1ABC.LO\xC3\x91", "ab  ", "abcd", "  ab", "a\tbc",
                          "QSO: 14025 CW 2026-03-07 1200 EA1ABC 599 001 DL1XYZ 599 001    ",
                          "QSO: 14025 CW 2026-03-07 1200 EA1ABC 599 001 DL1XYZ 599 00123456"};
  for (int vuelta = 0; vuelta < 3; ++vuelta) {
    for (const char* t : textos) {
      propia->addItem(Q(t));
      llana->addItem(Q(t));
    }
    ventana.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ventana));
    QApplication::processEvents();
    ASSERT_EQ(propia->count(), llana->count());
    for (int i = 0; i < propia->count(); ++i) {
      SCOPED_TRACE(propia->item(i)->text().toStdString());
      EXPECT_EQ(propia->visualItemRect(propia->item(i)), llana->visualItemRect(llana->item(i)));
    }
    EXPECT_EQ(propia->horizontalScrollBar()->maximum(), llana->horizontalScrollBar()->maximum());
    QFont otra = propia->font();
    if (vuelta == 0) {
      otra.setPointSize(otra.pointSize() * 2);
    } else {
      otra = FuenteFija();
      ventana.resize(120, ventana.height());  // the longest line beyond the box
    }
    propia->setFont(otra);
    llana->setFont(otra);
  }
}

}  // namespace
