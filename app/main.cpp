#include <QApplication>

#include "ui/start_up.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  return modPub::Main(application);
}
