// Prints lines 1 and 3 of a help document through the help window on the system's default printer, as a user
// would with "Imprimir Seleccion". Used by the print queue test.
#include "help/ayuda.h"
#include "platform/LinePrinter.h"

#include <QApplication>
#include <QListWidget>
#include <QPrinterInfo>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "uso: print_selection CARPETA\n");
        return 2;
    }
    std::printf("impresora: %s\n", qPrintable(QPrinterInfo::defaultPrinterName()));
    parlanza::SystemPrinters printers;
    parlanza::ayuda window(QString::fromLocal8Bit(argv[1]) + u'/', printers);
    auto *list = window.findChild<QListWidget *>(QStringLiteral("List1"));
    for (const int row : {0, 2}) {
        if (QListWidgetItem *item = list->item(row))
            item->setSelected(true);
    }
    window.Command2_Click();
    return 0;
}
