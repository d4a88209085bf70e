// The help window with the largest document it takes (32767 lines): loading it, and a search that matches 100
// lines; and the speech printout that shares its printing service. Run the release build:
// build/release/bench/bench_help
#include "help/ayuda.h"
#include "platform/LinePrinter.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace parlanza;

namespace {

QTemporaryDir *documentFolder()
{
    static QTemporaryDir dir;
    static const bool written = [] {
        QString text;
        for (int i = 1; i <= 32767; ++i) {
            text += i % 327 == 0 && i / 327 <= 100
                        ? QStringLiteral("una línea con la aguja escondida")
                        : QStringLiteral("Una línea cualquiera de la guía de uso, número %1").arg(i);
            text += QStringLiteral("\r\n");
        }
        QFile file(dir.filePath(QStringLiteral("parlanzaguia.ans")));
        return file.open(QIODevice::WriteOnly) && file.write(TextFile::encodeWindows1252(text)) > 0;
    }();
    Q_UNUSED(written);
    return &dir;
}

void BM_HelpLoad(benchmark::State &state)
{
    SystemPrinters printers;
    const QString dire = documentFolder()->path() + u'/';
    for (auto _ : state) {
        ayuda window(dire, printers);
        benchmark::DoNotOptimize(&window);
    }
}
BENCHMARK(BM_HelpLoad)->Unit(benchmark::kMillisecond);

void searchFor(benchmark::State &state, const QString &text)
{
    SystemPrinters printers;
    ayuda window(documentFolder()->path() + u'/', printers);
    window.show();
    auto *box = window.findChild<QLineEdit *>(QStringLiteral("Text1"));
    for (auto _ : state) {
        box->setText(text);
        window.Command1_Click();
    }
    // A label, not a counter: the CSV report that run-all.sh reads wants the same counters in every run.
    state.SetLabel(QStringLiteral("%1 coincidencias")
                       .arg(window.findChild<QListWidget *>(QStringLiteral("List1"))->selectedItems().size())
                       .toStdString());
}

void BM_HelpSearch100(benchmark::State &state)
{
    searchFor(state, QStringLiteral("aguja"));
}
BENCHMARK(BM_HelpSearch100)->Unit(benchmark::kMillisecond);

// The worst search: every line matches, so every line is selected and scrolled to.
void BM_HelpSearchEveryLine(benchmark::State &state)
{
    searchFor(state, QStringLiteral("nea"));
}
BENCHMARK(BM_HelpSearchEveryLine)->Unit(benchmark::kMillisecond);

// The speech printout through the same printing service: a hundred speeches of five long premises, laid out
// in large type and written as a PDF file.
void BM_SpeechPrintout100(benchmark::State &state)
{
    QList<QStringList> speeches;
    for (int i = 0; i < 100; ++i) {
        QStringList speech;
        for (int premise = 1; premise <= 5; ++premise)
            speech.append(QStringLiteral("Premisa número %1 del discurso %2, larga como las que más, con sus "
                                         "cláusulas y sus incisos ...")
                              .arg(premise)
                              .arg(i + 1));
        speeches.append(speech);
    }
    QTemporaryDir dir;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("discursos.pdf")));
        benchmark::DoNotOptimize(printSpeeches(printer, speeches, QStringLiteral("Base de prueba")));
    }
}
BENCHMARK(BM_SpeechPrintout100)->Unit(benchmark::kMillisecond);

} // namespace
