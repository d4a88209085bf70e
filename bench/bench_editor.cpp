// The base editor's answer to a change in lists of ten groups of 999 premises (the first group 998, all its
// size field holds beside the header): the problems and the sample speech, in the core alone and in the
// window as a whole. Run the release build: build/release/bench/bench_editor
#include "core/ListsDraft.h"
#include "editor/BaseEditor.h"
#include "editor/EditorQuestions.h"
#include "platform/DesktopServices.h"
#include "platform/RandomSource.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <benchmark/benchmark.h>

using namespace parlanza;

namespace {

QString largestLists()
{
    QString text = QStringLiteral("# Diez grupos llenos\nLa base más larga\n");
    for (int group = 1; group <= 10; ++group) {
        text += u'\n';
        for (int i = 0; i < (group == 1 ? 998 : 999); ++i)
            text += QStringLiteral("premisa %1 del grupo %2, con la extensión de una frase de discurso\n")
                        .arg(i)
                        .arg(group);
    }
    return text;
}

class Unasked final : public EditorQuestions
{
public:
    Answer saveChanges(QWidget *) override { return Answer::Discard; }
    QString listsToOpen(QWidget *) override { return {}; }
    QString listsToSave(QWidget *, const QString &) override { return {}; }
};

class Unshown final : public MessageBoxes
{
public:
    void show(QWidget *, const QString &text) override { qFatal("%s", qPrintable(text)); }
};

const QString kShipped = QStringLiteral(PARLANZA_DATA_DIR "/dialogo.soy");

void BM_ListsReview(benchmark::State &state)
{
    const QString text = largestLists();
    QFile file(kShipped);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(kShipped));
    const QByteArray bytes = file.readAll();
    UniformRandom random(1);
    for (auto _ : state) {
        ListsDraft draft = reviewLists(text);
        tryInFile(draft, QStringLiteral("Nueva base"), kShipped, bytes, std::nullopt);
        if (!draft.usable())
            qFatal("%s", qPrintable(draft.check.problems.constFirst().message));
        benchmark::DoNotOptimize(sampleSpeech(draft.check.lists, random));
        state.SetLabel(draft.speechVariety.toStdString() + " discursos");
    }
}
BENCHMARK(BM_ListsReview)->Unit(benchmark::kMillisecond);

// What the window does after the pause in typing: the text taken from the editing area, checked, and the
// problems, the count and the sample shown.
void BM_EditorReview(benchmark::State &state)
{
    Unasked questions;
    Unshown messages;
    UniformRandom random(1);
    BaseEditor editor({&messages, &questions, &random}, BaseFileTarget({}, kShipped),
                      {std::nullopt, {}, largestLists()});
    editor.show();
    auto *lists = editor.findChild<QPlainTextEdit *>(QStringLiteral("listas"));
    for (auto _ : state) {
        // A word added to a premise of the middle group: the lists stay usable.
        QTextCursor(lists->document()->findBlockByNumber(5000)).insertText(QStringLiteral("hoy "));
        editor.review();
        state.PauseTiming();
        lists->undo();
        state.ResumeTiming();
    }
    state.SetLabel(editor.findChild<QLabel *>(QStringLiteral("cuenta"))->text().toStdString());
}
BENCHMARK(BM_EditorReview)->Unit(benchmark::kMillisecond);

} // namespace
