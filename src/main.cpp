// Trovalis: contest manager for amateur-radio contests. The program is its
// main window, started in the current folder.
#include <QApplication>

#include "mainwindow/trovalis.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Trovalis ventana(principal::CreaServiciosPrograma());
  if (!ventana.Form_Load()) return 1;
  ventana.show();
  return app.exec();
}
