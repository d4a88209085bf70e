#include "FakeDesktop.h"
#include "TestSupport.h"
#include "editor/EditorQuestions.h"
#include "mainwindow/BaseEditing.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <csignal>
#include <sys/resource.h>

using namespace parlanza;
using namespace testsupport;

namespace {

// Two bases of one premise per group, so that every speech is known in advance.
const QByteArray kBases =
    soyBytes({"DD001002001|Primera base", "Señoras y señores", "", "", "", "la patria os contempla.",
              "DD002002|Segunda base", "Nada más que añadir."});

// Answers the editor's questions as a test says, and counts them.
struct ScriptedQuestions final : EditorQuestions
{
    Answer saveChanges(QWidget *) override { return ++asked, answer; }
    QString listsToOpen(QWidget *) override { return openPath; }
    QString listsToSave(QWidget *, const QString &) override { return savePath; }

    Answer answer = Answer::Cancel;
    int asked = 0;
    QString openPath, savePath;
};

} // namespace

Q_DECLARE_METATYPE(EditorQuestions::Answer)

class TestBaseEditor : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFakes> m_fakes;
    ScriptedQuestions m_questions;
    std::unique_ptr<dialogo> m_window;

    QString path(const char *name) const { return m_fakes->dir.filePath(QLatin1String(name)); }
    BaseEditor *editor() const { return m_window->findChild<BaseEditing *>()->editor(); }
    template<typename T = QWidget>
    T *inEditor(const char *name) const
    {
        return editor()->findChild<T *>(QLatin1String(name));
    }
    // Opens the main window, then the editor with its command of that name, through its shortcut when it has
    // one; "editarEstaBase" over the row of the list of bases given, with no entry chosen.
    void open(const char *command, dialogo::Services services, int row = -1)
    {
        services.editorQuestions = &m_questions;
        m_window = std::make_unique<dialogo>(services);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        if (row >= 0) {
            m_window->mnuPI_Click();
            auto *bases = m_window->findChild<QListWidget *>(QStringLiteral("List3"));
            // The context menu closed at once, as choosing the command would.
            QTimer::singleShot(0, [] {
                if (QWidget *menu = QApplication::activePopupWidget())
                    menu->close();
            });
            const QPoint at = bases->visualItemRect(bases->item(row)).center();
            QContextMenuEvent menu(QContextMenuEvent::Mouse, at, bases->viewport()->mapToGlobal(at));
            QApplication::sendEvent(bases->viewport(), &menu);
        }
        QAction *action = m_window->findChild<QAction *>(QLatin1String(command));
        if (action->shortcut().isEmpty())
            action->trigger();
        else
            QTest::keySequence(m_window->windowHandle(), action->shortcut());
        QVERIFY(editor() && QTest::qWaitForWindowActive(editor()));
    }
    void open(const char *command) { open(command, m_fakes->services()); }
    // Replaces the lists by pasting new ones over them.
    void enterLists(const QString &lists)
    {
        auto *edit = inEditor<QPlainTextEdit>("listas");
        edit->setFocus();
        edit->selectAll();
        QGuiApplication::clipboard()->setText(lists);
        QTest::keySequence(edit, QKeySequence::Paste);
    }
    void clickSave() { QTest::mouseClick(inEditor<QPushButton>("guardar"), Qt::LeftButton); }

private slots:
    void init()
    {
        m_fakes = std::make_unique<WindowFakes>();
        m_questions = ScriptedQuestions();
        writeFile(path("dialogo.soy"), kBases);
    }
    void cleanup()
    {
        if (m_window && editor())
            editor()->setAttribute(Qt::WA_DeleteOnClose, false);
        m_window.reset();
    }

    // Each problem named by the start of its text, "|" between them, and then a part of the count: shown
    // while the lists are written; lists with problems are not saved.
    void problemsShownAndSavingRefused_data()
    {
        QTest::addColumn<QByteArray>("bases");
        columns<QString>({"lists", "shown"});
        row("each group's different premises multiply", kBases,
            "T\n\nuna premisa\nuna premisa\notra premisa\n\nhoy es el día\nla vida sigue",
            "Puede componer 4 discursos distintos");
        row("every problem is listed with its line", kBases, "T\n\nla DD0 aquí\nbien está\nab",
            "Línea 3: la premisa contiene «DD0»|Línea 5: la premisa «ab» tiene menos|2 problemas:");
        row("a paragraph of comments alone between groups is an empty group", kBases,
            "T\n\nuna premisa\n\n# luego\n\notra premisa",
            "Línea 5: entre el grupo 1 y el siguiente hay un párrafo solo de comentarios|1 problema:");
        row("a title alone", kBases, "# nada\nTítulo solo",
            "Línea 2: el título «Título solo» no va seguido|1 problema:");
        row("the eleventh group is named once, where it starts", kBases,
            "T\n" + QString("\ncada premisa\n").repeated(11),
            "Línea 23: aquí empieza el grupo 11;|1 problema:");
        row("a full first group", kBases, "T\n\n" + QStringList(999, "larga lista").join(u'\n'),
            "Línea 1001: el grupo 1 pasa de 998 premisas|1 problema:");
        row("hundreds of problems: the first 500 and how many more", kBases,
            "T\n\n" + QStringList(600, "ab").join(u'\n'),
            QStringList(500, "Línea").join(u'|') + "|Y 100 problemas más.|600 problemas:");
        // Refusals found by trying the lists in the premise base file, with a line of the lists or without.
        row("a character Windows-1252 lacks", kBases, "T\n\nuna premisa Ω",
            "Línea 3: el carácter «Ω» (U+03A9) no cabe en Windows-1252|1 problema:");
        row("a file with errors", soyBytes({"DD002002|B", "dos premisa", "DD001002|A", "una premisa"}),
            "T\n\nuna premisa", "El archivo «|1 problema:");
    }
    void problemsShownAndSavingRefused()
    {
        QFETCH(QByteArray, bases);
        const auto [lists, shown] = fetch({"lists", "shown"});
        QStringList problems = shown.split(u'|');
        const QString count = problems.takeLast();
        writeFile(path("dialogo.soy"), bases);
        open("nuevaBase");
        enterLists(lists);
        auto *list = inEditor<QListWidget>("problemas");
        auto listed = [&] { // each problem's text cut to the length of the one expected in its place
            QStringList texts;
            for (int i = 0; i < list->count(); ++i)
                texts.append(list->item(i)->text().left(problems.value(i).size()));
            return texts;
        };
        QTRY_COMPARE(listed(), problems);
        QVERIFY2(inEditor<QLabel>("cuenta")->text().contains(count),
                 qPrintable(inEditor<QLabel>("cuenta")->text()));
        // Choosing a problem puts the cursor on its line.
        for (int i = 0; i < std::min(list->count(), 3); ++i) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(i)).center());
            if (const int line = list->item(i)->data(Qt::UserRole).toInt(); line > 0)
                QCOMPARE(inEditor<QPlainTextEdit>("listas")->textCursor().blockNumber() + 1, line);
        }
        clickSave();
        QCOMPARE(readFile(path("dialogo.soy")) != bases, problems.isEmpty());
        QCOMPARE(editor()->isWindowModified(), !problems.isEmpty());
    }

    void savedBaseIsTheCompanionsAndLoaded_data()
    {
        columns<QString>({"command", "lists", "speech"});
        QTest::addColumn<int>("number");
        row("a system-wide install appends to the user's own copy", "nuevaBase", "Mía\n\nuna premisa mía",
            "una premisa mía ...\n", 3);
        row("the base in use is replaced in place", "editarBaseEnUso",
            "Primera base corregida\n\nAmigos míos\n\nel futuro nos llama.",
            "Amigos míos ...\nel futuro nos llama. ...\n", 1);
        row("the base under the pointer is replaced in place", "editarEstaBase",
            "Segunda, con ñ y acentos\n\nAdiós, señorías.\n\n# nota\ncon emoción",
            "Adiós, señorías. ...\ncon emoción ...\n", 2);
    }
    void savedBaseIsTheCompanionsAndLoaded()
    {
        const auto [command, lists, speech] = fetch({"command", "lists", "speech"});
        QFETCH(int, number);
        dialogo::Services services = m_fakes->services();
        services.systemWide = number == 3;
        services.userDirectory = path("usuario");
        const QString written = path(services.systemWide ? "usuario/dialogo.soy" : "dialogo.soy");
        open(qPrintable(command), services, command == u"editarEstaBase" ? number - 1 : -1);
        QCOMPARE(inEditor<QPlainTextEdit>("listas")->toPlainText().section(u' ', 0, 0),
                 QStringList({"Primera", "Segunda", ""}).at(number - 1));
        enterLists(lists);
        // What the companion writes for the same lists into a copy of the same file.
        const QString copy = writeFile(path("copia.soy"), readFile(path("dialogo.soy")));
        const QStringList option = number == 3 ? QStringList{"--nueva-base"}
                                               : QStringList{"--sustituye-base", QString::number(number)};
        QCOMPARE(QProcess::execute(QStringLiteral(PARLANZA_BIN_DIR "/parlanza-discurso"),
                                   QStringList{"-f", copy} + option
                                       << writeFile(path("listas.txt"), lists.toUtf8())),
                 0);
        clickSave();
        QCOMPARE(readFile(written), readFile(copy));
        QCOMPARE(readFile(path("dialogo.soy")), services.systemWide ? kBases : readFile(copy));
        // The main window has read the file again and composes from the saved base.
        const SpeechCore &core = m_window->core();
        QCOMPARE(core.premiseFile(), written);
        QCOMPARE(core.controls.bases.current, number - 1);
        QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("Label3"))->text(), speech);
        // A second save replaces the base it wrote rather than adding another.
        enterLists(lists + QStringLiteral("\notra más"));
        clickSave();
        QCOMPARE(core.controls.bases.entries.size(), number == 3 ? 3 : 2);
    }

    void closingWithChangesAsks_data()
    {
        columns<bool>({"window", "changed", "closed"});
        QTest::addColumn<EditorQuestions::Answer>("answer");
        using Answer = EditorQuestions::Answer;
        row("unchanged lists close without a question", false, false, true, Answer::Cancel);
        row("«Guardar» saves, then closes", false, true, true, Answer::Save);
        row("«Cancelar» keeps the editor open", false, true, false, Answer::Cancel);
        row("closing the main window asks first; «Descartar» writes nothing", true, true, true,
            Answer::Discard);
        row("«Cancelar» keeps the main window open too", true, true, false, Answer::Cancel);
    }
    void closingWithChangesAsks()
    {
        const auto [window, changed, closed] = fetch<bool>({"window", "changed", "closed"});
        QFETCH(EditorQuestions::Answer, answer);
        open("editarBaseEnUso");
        if (changed)
            enterLists("Otra primera\n\nuna premisa nueva");
        m_questions.answer = answer;
        QPointer<BaseEditor> opened = editor();
        if (window)
            QCOMPARE(m_window->close(), closed);
        else
            QTest::keyClick(opened, Qt::Key_Escape); // a button's shortcut clicks it a moment later
        QTRY_COMPARE(m_questions.asked, changed ? 1 : 0);
        QTRY_COMPARE(opened.isNull(), closed);
        QCOMPARE(readFile(path("dialogo.soy")) != kBases, answer == EditorQuestions::Answer::Save);
    }

    // Nothing is written and the lists stay; with the file unreadable the count comes from the lists alone.
    void failedSaveKeepsFileAndLists_data()
    {
        QTest::addColumn<bool>("folder");
        row("a write cut short by the file size limit", false);
        row("a premise base file that has become a folder", true);
    }
    void failedSaveKeepsFileAndLists()
    {
        QFETCH(bool, folder);
        if (folder)
            QVERIFY(QFile::remove(path("dialogo.soy")) && QDir().mkdir(path("dialogo.soy")));
        open("nuevaBase");
        const QString lists = "Larga\n\n" + QStringList(400, "una premisa larga").join(u'\n');
        enterLists(lists);
        QTRY_COMPARE(inEditor<QLabel>("cuenta")->text(), "Puede componer 1 discurso");
        m_fakes->messages.shown.clear();
        // A limit on the size of the files this process writes, as «ulimit -f» sets it.
        rlimit before{};
        getrlimit(RLIMIT_FSIZE, &before);
        const rlimit limit{rlim_t(kBases.size() + 100), before.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limit);
        clickSave();
        setrlimit(RLIMIT_FSIZE, &before);
        QCOMPARE(readFile(path("dialogo.soy")), folder ? "(sin archivo)" : kBases);
        const QStringList shown = m_fakes->messages.shown;
        QVERIFY2(shown.size() == 1 && shown[0].contains(u"dialogo.soy»"), qPrintable(shown.join(u'\n')));
        QCOMPARE(inEditor<QPlainTextEdit>("listas")->toPlainText(), lists);
        QVERIFY(editor()->isWindowModified());
    }

    // The controls in TAB order, each with its name for screen readers; lists opened from a file and saved.
    void controlsAndListsFiles()
    {
        open("nuevaBase");
        inEditor<QPlainTextEdit>("listas")->setFocus();
        QStringList names;
        for (int control = 0; control < 8; ++control) {
            QWidget *focus = QApplication::focusWidget();
            names.append(QAccessible::queryAccessibleInterface(focus)->text(QAccessible::Name));
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(names, QStringList({"Listas de la base", "Problemas de las listas", "Discurso de muestra",
                                     "Otro discurso", "Abrir listas…", "Guardar listas como…", "Guardar",
                                     "Cerrar"}));
        m_questions.openPath =
            writeFile(path("entrada.txt"), TextFile::encodeWindows1252(u"Niños\r\n\r\nPequeños amigos\r\n"));
        QTest::keySequence(editor(), QKeySequence::Open);
        const QString lists = QStringLiteral("Niños\n\nPequeños amigos");
        QTRY_COMPARE(inEditor<QPlainTextEdit>("listas")->toPlainText(), lists);
        QCOMPARE(inEditor<QListWidget>("problemas")->count(), 0);
        m_questions.savePath = path("salida.txt");
        QTest::mouseClick(inEditor<QPushButton>("guardarListasComo"), Qt::LeftButton);
        QCOMPARE(readFile(m_questions.savePath), (lists + u'\n').toUtf8());
        // Undo brings back what was there before the file was opened.
        inEditor<QPlainTextEdit>("listas")->undo();
        QCOMPARE(inEditor<QPlainTextEdit>("listas")->toPlainText(), QString());
    }
};

QTEST_MAIN(TestBaseEditor)
#include "tst_baseeditor.moc"
