#include "FakeDesktop.h"
#include "TestSupport.h"
#include "editor/BaseEditor.h"
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
#include <QTest>
#include <QTimer>
#include <csignal>
#include <memory>
#include <sys/resource.h>

using namespace parlanza;
using testsupport::readFile;
using testsupport::row;
using testsupport::writeFile;

namespace {

// Two bases of one premise per group, so that every speech is known in advance.
const QByteArray kBases = testsupport::soyBytes(
    QStringLiteral("DD001002001|Primera base\nSeñoras y señores\n\n\n\nla patria os contempla.\n"
                   "DD002002|Segunda base\nNada más que añadir.")
        .split(u'\n'));

// Answers the editor's questions as a test says, and counts them.
class ScriptedQuestions final : public EditorQuestions
{
public:
    Answer saveChanges(QWidget *) override
    {
        ++asked;
        return answer;
    }
    QString listsToOpen(QWidget *) override { return openPath; }
    QString listsToSave(QWidget *, const QString &) override { return savePath; }

    Answer answer = Answer::Cancel;
    int asked = 0;
    QString openPath;
    QString savePath;
};

// A limit on the size of the files this process writes, as «ulimit -f» sets it; lifted when it goes.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_before;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_before); }

private:
    rlimit m_before{};
};

QStringList itemTexts(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

// The lines of a text with their 1-based numbers, as "N: line", for rows that name lines.
QString lines(const QString &text)
{
    return QString(text).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
}

} // namespace

class TestBaseEditor : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFakes> m_fakes;
    ScriptedQuestions m_questions;
    std::unique_ptr<dialogo> m_window;

    QString basesPath() const { return m_fakes->dir.filePath(QStringLiteral("dialogo.soy")); }

    void openWindow(dialogo::Services services)
    {
        services.editorQuestions = &m_questions;
        m_window = std::make_unique<dialogo>(services);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    BaseEditor *editor() const { return m_window->findChild<BaseEditing *>()->editor(); }
    template<typename T = QWidget>
    T *inEditor(const char *name) const
    {
        T *found = editor()->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    // Opens the editor with the main window's command of that name, through its shortcut when it has one.
    void openEditor(const char *command)
    {
        QAction *action = m_window->findChild<QAction *>(QLatin1String(command));
        if (action->shortcut().isEmpty())
            action->trigger();
        else
            QTest::keySequence(m_window->windowHandle(), action->shortcut());
        QVERIFY(editor());
        QVERIFY(QTest::qWaitForWindowActive(editor()));
    }
    // Replaces the lists by typing them line by line, or by pasting them whole.
    void enterLists(const QString &lists, bool typed)
    {
        auto *edit = inEditor<QPlainTextEdit>("listas");
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        if (typed) {
            const QStringList lines = lists.split(u'\n');
            for (qsizetype i = 0; i < lines.size(); ++i) {
                for (const QChar c : lines[i]) {
                    if (c.unicode() < 0x80)
                        QTest::keyClick(edit, char(c.unicode()));
                    else
                        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
                }
                if (i + 1 < lines.size())
                    QTest::keyClick(edit, Qt::Key_Return);
            }
        } else {
            QGuiApplication::clipboard()->setText(lists);
            QTest::keySequence(edit, QKeySequence::Paste);
        }
        QCOMPARE(edit->toPlainText(), lists);
    }
    void clickSave() { QTest::mouseClick(inEditor<QPushButton>("guardar"), Qt::LeftButton); }

    // What the companion writes for the same lists into a copy of the same file.
    QByteArray companionBytes(const QString &lists, const QStringList &command)
    {
        const QString copy = m_fakes->dir.filePath(QStringLiteral("copia.soy"));
        writeFile(copy, readFile(basesPath()));
        const QString listsFile =
            writeFile(m_fakes->dir.filePath(QStringLiteral("listas.txt")), lists.toUtf8());
        QProcess companion;
        companion.start(QStringLiteral(PARLANZA_BIN_DIR "/parlanza-discurso"),
                        QStringList{QStringLiteral("-f"), copy} + command + QStringList{listsFile});
        if (!companion.waitForFinished() || companion.exitCode() != 0)
            qWarning("%s", companion.readAllStandardError().constData());
        return readFile(copy);
    }

private slots:
    void init()
    {
        m_fakes = std::make_unique<WindowFakes>();
        m_questions = ScriptedQuestions();
        writeFile(basesPath(), kBases);
    }
    void cleanup()
    {
        if (m_window && editor())
            editor()->setAttribute(Qt::WA_DeleteOnClose, false);
        m_window.reset();
    }

    void problemsFollowTheLists_data()
    {
        QTest::addColumn<QString>("lists");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<QStringList>("problems");
        QTest::addColumn<QString>("count");
        const auto counted = QStringLiteral("Puede componer %1 discursos distintos");
        row("typed lists of two groups allow the product of their sizes",
            lines("Boda\\n\\nQueridos novios\\nQueridos "
                  "amigos\\n\\nhoy es el día\\nla vida sigue\\nadelante siempre"),
            true, QStringList(), counted.arg(6));
        row("one premise a group composes one speech", lines("Brindis\\n\\nSalud a todos"), true,
            QStringList(), QStringLiteral("Puede componer 1 discurso"));
        row("a repeated premise counts once", lines("T\\n\\nuna premisa\\nuna premisa\\notra premisa"), false,
            QStringList(), counted.arg(2));
        row("comments and blank lines before the title do not count",
            lines("# para Marta\\n\\nJubilación\\n\\nQuerida Marta"), false, QStringList(),
            QStringLiteral("Puede componer 1 discurso"));
        row("a short premise is named with its line", lines("T\\n\\nuna premisa\\nno"), true,
            QStringList{
                QStringLiteral("Línea 4: la premisa «no» tiene menos de 4 caracteres y el programa nunca "
                               "la elegiría.")},
            QStringLiteral("Las listas tienen 1 problema: no se pueden guardar."));
        row("every problem is listed, not only the first", lines("T\\n\\nla DD0 aquí\\nbien está\\nab"),
            false,
            QStringList{
                QStringLiteral("Línea 3: la premisa contiene «DD0», que marca las cabeceras de base; el "
                               "programa nunca la elegiría."),
                QStringLiteral("Línea 5: la premisa «ab» tiene menos de 4 caracteres y el programa nunca "
                               "la elegiría.")},
            QStringLiteral("Las listas tienen 2 problemas: no se pueden guardar."));
        row("a paragraph of comments alone between groups is an empty group",
            lines("T\\n\\nuna premisa\\n\\n# luego\\n\\notra premisa"), false,
            QStringList{
                QStringLiteral("Línea 5: entre el grupo 1 y el siguiente hay un párrafo solo de comentarios: "
                               "cuenta como un grupo vacío, y un grupo necesita al menos una premisa.")},
            QStringLiteral("Las listas tienen 1 problema: no se pueden guardar."));
        row("a title alone", lines("# nada\\nTítulo solo"), true,
            QStringList{QStringLiteral(
                "Línea 2: el título «Título solo» no va seguido de ningún grupo de premisas.")},
            QStringLiteral("Las listas tienen 1 problema: no se pueden guardar."));
        row("nothing written yet", QString(), false,
            QStringList{QStringLiteral("Las listas no tienen título ni premisas.")},
            QStringLiteral("Las listas tienen 1 problema: no se pueden guardar."));
        QString eleven = QStringLiteral("T\n");
        for (int i = 0; i < 11; ++i)
            eleven += QStringLiteral("\ncada premisa\n");
        row("the eleventh group is named once, where it starts", eleven, false,
            QStringList{
                QStringLiteral("Línea 23: aquí empieza el grupo 11; una base tiene como mucho 10 grupos.")},
            QStringLiteral("Las listas tienen 1 problema: no se pueden guardar."));
        row("a full first group",
            QStringLiteral("T\n\n") + QStringList(999, QStringLiteral("larga lista")).join(u'\n'), false,
            QStringList{QStringLiteral(
                "Línea 1001: el grupo 1 pasa de 998 premisas, las que caben en el tamaño de tres "
                "cifras de la cabecera (el del grupo 1 cuenta también la cabecera).")},
            QStringLiteral("Las listas tienen 1 problema: no se pueden guardar."));
        QStringList many;
        for (int line = 3; line < 503; ++line)
            many.append(
                QStringLiteral("Línea %1: la premisa «ab» tiene menos de 4 caracteres y el programa nunca la "
                               "elegiría.")
                    .arg(line));
        row("hundreds of problems: the first 500 and how many more",
            QStringLiteral("T\n\n") + QStringList(600, QStringLiteral("ab")).join(u'\n'), false,
            many << QStringLiteral("Y 100 problemas más."),
            QStringLiteral("Las listas tienen 600 problemas: no se pueden guardar."));
    }
    void problemsFollowTheLists()
    {
        QFETCH(QString, lists);
        QFETCH(bool, typed);
        QFETCH(QStringList, problems);
        QFETCH(QString, count);
        openWindow(m_fakes->services());
        openEditor("nuevaBase");
        enterLists(lists, typed);
        QTRY_COMPARE(itemTexts(inEditor<QListWidget>("problemas")), problems);
        QCOMPARE(inEditor<QLabel>("cuenta")->text(), count);
        if (problems.isEmpty())
            QVERIFY(!inEditor<QLabel>("muestra")->text().isEmpty());

        // Choosing a problem puts the cursor on its line.
        auto *list = inEditor<QListWidget>("problemas");
        for (int i = 0; i < std::min(list->count(), 20); ++i) {
            const int line = list->item(i)->data(Qt::UserRole).toInt();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(i)).center());
            if (line > 0)
                QCOMPARE(inEditor<QPlainTextEdit>("listas")->textCursor().blockNumber() + 1, line);
        }
    }

    void savedBaseIsTheCompanionsAndLoaded_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("lists");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("speech");
        row("a new base is appended as base 03", QStringLiteral("nuevaBase"),
            QStringLiteral("Jubilación\n\nQuerida Marta,\n\ntreinta años después."), 3,
            QStringLiteral("Querida Marta, ...\ntreinta años después. ...\n"));
        row("the base in use is replaced in place", QStringLiteral("editarBaseEnUso"),
            QStringLiteral("Primera base corregida\n\nAmigos míos\n\nel futuro nos llama."), 1,
            QStringLiteral("Amigos míos ...\nel futuro nos llama. ...\n"));
        row("the chosen base is replaced in place", QStringLiteral("editarEstaBase"),
            QStringLiteral("Segunda, con ñ y acentos\n\nAdiós, señorías.\n\n# nota\ncon emoción"), 2,
            QStringLiteral("Adiós, señorías. ...\ncon emoción ...\n"));
    }
    void savedBaseIsTheCompanionsAndLoaded()
    {
        QFETCH(QString, command);
        QFETCH(QString, lists);
        QFETCH(int, number);
        QFETCH(QString, speech);
        openWindow(m_fakes->services());
        if (command == u"editarEstaBase") {
            // The list of bases shown with no entry chosen, and its context menu opened over the base's row
            // (and closed at once, as the menu would be by choosing the command).
            m_window->mnuPI_Click();
            auto *bases = m_window->findChild<QListWidget *>(QStringLiteral("List3"));
            QCOMPARE(bases->currentRow(), -1);
            QTimer::singleShot(0, [] {
                if (QWidget *menu = QApplication::activePopupWidget())
                    menu->close();
            });
            const QPoint at = bases->visualItemRect(bases->item(number - 1)).center();
            QContextMenuEvent menu(QContextMenuEvent::Mouse, at, bases->viewport()->mapToGlobal(at));
            QApplication::sendEvent(bases->viewport(), &menu);
        }
        openEditor(qPrintable(command));
        const QString before = inEditor<QPlainTextEdit>("listas")->toPlainText();
        if (number < 3)
            QVERIFY2(before.startsWith(number == 1 ? u"Primera base" : u"Segunda base"), qPrintable(before));
        enterLists(lists, false);
        const QByteArray expected = companionBytes(
            lists, number == 3 ? QStringList{QStringLiteral("--nueva-base")}
                               : QStringList{QStringLiteral("--sustituye-base"), QString::number(number)});
        clickSave();
        QCOMPARE(readFile(basesPath()), expected);
        QVERIFY(!editor()->isWindowModified());
        QCOMPARE(m_fakes->messages.shown, QStringList());

        // The main window has read the file again and composes from the saved base.
        const SpeechCore &core = m_window->core();
        QCOMPARE(core.controls.bases.current, number - 1);
        QCOMPARE(core.controls.speech, QString(speech).replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
        QVERIFY(core.controls.banner.contains(lists.section(u'\n', 0, 0)));
        QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("Label3"))->text(), speech);

        // A second save replaces the base it wrote rather than adding another.
        enterLists(lists + QStringLiteral("\notra más"), false);
        clickSave();
        QCOMPARE(core.controls.bases.entries.size(), number == 3 ? 3 : 2);
    }

    void systemWideSaveGoesToTheUsersCopy()
    {
        dialogo::Services services = m_fakes->services();
        services.userDirectory = m_fakes->dir.filePath(QStringLiteral("usuario"));
        services.systemWide = true;
        openWindow(services);
        openEditor("nuevaBase");
        enterLists(QStringLiteral("Mía\n\nuna premisa mía"), false);
        clickSave();
        QCOMPARE(readFile(basesPath()), kBases);
        const QByteArray own = readFile(services.userDirectory + QStringLiteral("/dialogo.soy"));
        QVERIFY(own.startsWith(kBases));
        QVERIFY(own.endsWith(TextFile::encodeWindows1252(u"DD003002|Mía\r\nuna premisa mía\r\n")));
        QCOMPARE(m_window->core().premiseFile(), services.userDirectory + QStringLiteral("/dialogo.soy"));
        QCOMPARE(m_window->core().controls.bases.current, 2);
    }

    void refusedListsWriteNothing_data()
    {
        QTest::addColumn<QByteArray>("bases");
        QTest::addColumn<QString>("lists");
        QTest::addColumn<QString>("problem");
        row("a premise too short", kBases, QStringLiteral("T\n\nuna premisa\nno"),
            QStringLiteral("Línea 4: la premisa «no» tiene menos de 4"));
        row("a character Windows-1252 lacks", kBases, QStringLiteral("T\n\nuna premisa Ω"),
            QStringLiteral("Línea 3: el carácter «Ω» (U+03A9) no cabe en Windows-1252"));
        row("no group", kBases, QStringLiteral("Solo el título"),
            QStringLiteral("Línea 1: el título «Solo el título»"));
        row("a file whose last base is 99",
            testsupport::soyBytes({QStringLiteral("DD099002|Fin"), QStringLiteral("la última premisa")}),
            QStringLiteral("T\n\nuna premisa"), QStringLiteral("La última base del archivo"));
        row("a file with errors",
            testsupport::soyBytes({QStringLiteral("DD002002|B"), QStringLiteral("dos premisa"),
                                   QStringLiteral("DD001002|A"), QStringLiteral("una premisa")}),
            QStringLiteral("T\n\nuna premisa"), QStringLiteral("El archivo «"));
    }
    void refusedListsWriteNothing()
    {
        QFETCH(QByteArray, bases);
        QFETCH(QString, lists);
        QFETCH(QString, problem);
        writeFile(basesPath(), bases);
        openWindow(m_fakes->services());
        openEditor("nuevaBase");
        enterLists(lists, false);
        // Said while typing, before any attempt to save.
        auto *problems = inEditor<QListWidget>("problemas");
        QTRY_VERIFY2(problems->count() == 1 && problems->item(0)->text().startsWith(problem),
                     qPrintable(itemTexts(problems).join(u'\n')));
        clickSave();
        QCOMPARE(readFile(basesPath()), bases);
        QCOMPARE(QDir(m_fakes->dir.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("dialogo.soy")});
        const QStringList shown = itemTexts(problems);
        QVERIFY2(shown.size() == 1 && shown[0].startsWith(problem), qPrintable(shown.join(u'\n')));
        QVERIFY(editor()->isWindowModified());
        QCOMPARE(m_fakes->messages.shown, QStringList());
    }

    void closingWithChangesAsks_data()
    {
        QTest::addColumn<bool>("window");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("asked");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        const int save = int(EditorQuestions::Answer::Save);
        const int discard = int(EditorQuestions::Answer::Discard);
        const int cancel = int(EditorQuestions::Answer::Cancel);
        row("unchanged lists close without a question", false, false, cancel, 0, true, false);
        row("«Guardar» saves, then closes", false, true, save, 1, true, true);
        row("«Descartar» closes and writes nothing", false, true, discard, 1, true, false);
        row("«Cancelar» keeps the editor open", false, true, cancel, 1, false, false);
        row("closing the main window asks first", true, true, discard, 1, true, false);
        row("«Cancelar» keeps the main window open too", true, true, cancel, 1, false, false);
    }
    void closingWithChangesAsks()
    {
        QFETCH(bool, window);
        QFETCH(bool, changed);
        QFETCH(int, answer);
        QFETCH(int, asked);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        openWindow(m_fakes->services());
        openEditor("editarBaseEnUso");
        if (changed)
            enterLists(QStringLiteral("Otra primera\n\nuna premisa nueva"), true);
        m_questions.answer = EditorQuestions::Answer(answer);
        QPointer<BaseEditor> open = editor();
        if (window) {
            QCOMPARE(m_window->close(), closed);
            QCOMPARE(m_window->isVisible(), !closed);
        } else {
            // A button's shortcut clicks it a moment later, as its press shows.
            QTest::keyClick(open, Qt::Key_Escape);
        }
        QTRY_COMPARE(m_questions.asked, asked);
        QTRY_COMPARE(open.isNull(), closed);
        QCOMPARE(readFile(basesPath()) != kBases, saved);
        QCOMPARE(m_window->core().controls.banner.contains(u"Otra primera"), saved);
    }

    void failedWriteKeepsFileAndText_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("message");
        row("a write cut short by the file size limit", QStringLiteral("limit"),
            QStringLiteral("dialogo.soy"));
        row("a user folder that cannot be made", QStringLiteral("folder"),
            QStringLiteral("No se puede crear la carpeta"));
    }
    void failedWriteKeepsFileAndText()
    {
        QFETCH(QString, how);
        QFETCH(QString, message);
        dialogo::Services services = m_fakes->services();
        if (how == u"folder") {
            services.userDirectory =
                writeFile(m_fakes->dir.filePath(QStringLiteral("usuario")), "un archivo");
            services.systemWide = true;
        }
        openWindow(services);
        openEditor("nuevaBase");
        const QString lists =
            QStringLiteral("Larga\n\n") + QStringList(400, QStringLiteral("una premisa larga")).join(u'\n');
        enterLists(lists, false);
        {
            std::optional<FileSizeLimit> limit;
            if (how == u"limit")
                limit.emplace(kBases.size() + 100);
            clickSave();
        }
        QCOMPARE(readFile(basesPath()), kBases);
        QCOMPARE(m_fakes->messages.shown.size(), 1);
        QVERIFY2(m_fakes->messages.shown[0].contains(message), qPrintable(m_fakes->messages.shown[0]));
        QCOMPARE(inEditor<QPlainTextEdit>("listas")->toPlainText(), lists);
        QVERIFY(editor()->isWindowModified());
        QCOMPARE(m_window->core().controls.bases.entries.size(), 2);
    }

    void controlsNamedAndReachable_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        row("the lists", QStringLiteral("listas"), QStringLiteral("Listas de la base"));
        row("the problems", QStringLiteral("problemas"), QStringLiteral("Problemas de las listas"));
        row("the sample speech", QStringLiteral("muestra"), QStringLiteral("Discurso de muestra"));
        row("another speech", QStringLiteral("otroDiscurso"), QStringLiteral("Otro discurso"));
        row("opening lists", QStringLiteral("abrirListas"), QStringLiteral("Abrir listas…"));
        row("saving lists", QStringLiteral("guardarListasComo"), QStringLiteral("Guardar listas como…"));
        row("saving the base", QStringLiteral("guardar"), QStringLiteral("Guardar"));
        row("closing", QStringLiteral("cerrar"), QStringLiteral("Cerrar"));
    }
    void controlsNamedAndReachable()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        openWindow(m_fakes->services());
        openEditor("nuevaBase");
        QWidget *wanted = editor()->findChild<QWidget *>(control);
        QVERIFY(wanted);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(wanted);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), name);
        // TAB from the lists reaches it.
        inEditor<QPlainTextEdit>("listas")->setFocus();
        for (int presses = 0; presses < 10 && QApplication::focusWidget() != wanted; ++presses)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), wanted);
    }

    void listsFilesOpenAndSave_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("lists");
        row("UTF-8 with LF", QByteArray("Boda\n\nQueridos novios\n"),
            QStringLiteral("Boda\n\nQueridos novios"));
        row("Windows-1252 with CR LF", TextFile::encodeWindows1252(u"Niños\r\n\r\nPequeños amigos\r\n"),
            QStringLiteral("Niños\n\nPequeños amigos"));
    }
    void listsFilesOpenAndSave()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, lists);
        openWindow(m_fakes->services());
        openEditor("nuevaBase");
        m_questions.openPath = writeFile(m_fakes->dir.filePath(QStringLiteral("entrada.txt")), bytes);
        QTest::keySequence(editor(), QKeySequence::Open);
        QTRY_COMPARE(inEditor<QPlainTextEdit>("listas")->toPlainText(), lists);
        QCOMPARE(itemTexts(inEditor<QListWidget>("problemas")), QStringList());
        m_questions.savePath = m_fakes->dir.filePath(QStringLiteral("salida.txt"));
        QTest::mouseClick(inEditor<QPushButton>("guardarListasComo"), Qt::LeftButton);
        QCOMPARE(readFile(m_questions.savePath), (lists + u'\n').toUtf8());
        // Undo brings back what was there before the file was opened.
        inEditor<QPlainTextEdit>("listas")->undo();
        QCOMPARE(inEditor<QPlainTextEdit>("listas")->toPlainText(), QString());
    }
};

QTEST_MAIN(TestBaseEditor)
#include "tst_baseeditor.moc"
