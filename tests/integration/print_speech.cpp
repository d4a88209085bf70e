// Prints the speech on display through the main window on the system's default printer, as a user would with
// "Imprimir el discurso…", accepting the print dialog as it opens (the default queue). Message boxes are
// written to the standard output instead. Used by the print queue test.
#include "FakeDesktop.h"
#include "platform/LinePrinter.h"

#include <QAction>
#include <QApplication>
#include <QPrinterInfo>
#include <cstdio>

namespace {

class DialogAccepted final : public parlanza::Printers
{
public:
    std::unique_ptr<QPrinter> defaultPrinter() override { return m_system.defaultPrinter(); }
    bool anyPrinter() override { return m_system.anyPrinter(); }
    std::unique_ptr<QPrinter> choosePrinter(QWidget *, const QString &) override { return defaultPrinter(); }

private:
    parlanza::SystemPrinters m_system;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "uso: print_speech CARPETA\n");
        return 2;
    }
    std::printf("impresora: %s\n", qPrintable(QPrinterInfo::defaultPrinterName()));
    WindowFakes fakes;
    DialogAccepted printers;
    parlanza::dialogo::Services services = fakes.services(QString::fromLocal8Bit(argv[1]));
    services.printers = &printers;
    parlanza::dialogo window(services);
    window.findChild<QAction *>(QStringLiteral("printSpeech"))->trigger();
    for (const QString &message : fakes.messages.shown)
        std::printf("aviso: %s\n", qPrintable(message));
    return 0;
}
