// Trovalis: contest manager for amateur-radio contests.
#include <QApplication>
#include <QMessageBox>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMessageBox::information(nullptr, "TROVALIS",
                           "La ventana principal todavía no está disponible en esta versión.");
  return 0;
}
