#include "about_text.h"
#include "command_line.h"
#include "connection.h"
#include "mprincipal.h"
#include "schema_version.h"
#include "test_database.h"
#include "test_main.h"

#include <QProcess>
#include <QRegularExpression>

// What the program tells about itself: its command line, and the About text support asks for.
class TestAcercaDe : public QObject
{
    Q_OBJECT
private slots:
    void lineaDeOrdenes_data()
    {
        pruebas::columnas<QStringList, int, QString>("argumentos", "estado", "dice");
        const QString version = QStringLiteral("quendra ") + QCoreApplication::applicationVersion() + '\n';
        QTest::newRow("sin argumentos arranca") << QStringList() << -1 << QString();
        QTest::newRow("--help") << QStringList{"--help"} << 0 << "  -v, --version";
        QTest::newRow("-h") << QStringList{"-h"} << 0 << "Uso: quendra [opción]\n";
        QTest::newRow("--version") << QStringList{"--version"} << 0 << version;
        QTest::newRow("-v") << QStringList{"-v"} << 0 << version;
        QTest::newRow("opción desconocida") << QStringList{"--base", "x"} << 2 << "opción desconocida «base»";
        QTest::newRow("argumento de más") << QStringList{"quendra.accdb"} << 2 << "argumento de más «quendra.accdb»";
        QTest::newRow("valor que no lleva") << QStringList{"--help=todo"} << 2 << "argumentos no válidos «--help=todo»";
    }
    void lineaDeOrdenes()
    {
        const auto [argumentos, estado, dice] =
            pruebas::fila<QStringList, int, QString>("argumentos", "estado", "dice");
        const auto respuesta = lineaDeOrdenes::responder(QStringList{"quendra"} + argumentos);
        QCOMPARE(respuesta ? respuesta->estado : -1, estado);
        if (!respuesta)
            return;
        QVERIFY2(respuesta->texto.contains(dice), qPrintable(respuesta->texto));
        // Everything but the version shows the usage, an error after saying what was wrong.
        const bool version = argumentos.first() == "--version" || argumentos.first() == "-v";
        QCOMPARE(respuesta->texto.contains("Uso: quendra"), !version);
    }

    // Both programs answer on a terminal with no desktop; quendra-db lists its commands one a line.
    void ayudaSinEscritorio_data()
    {
        pruebas::columnas<QString, QStringList, int, QString>("programa", "argumentos", "estado", "empieza");
        QTest::newRow("quendra --help") << "quendra" << QStringList{"--help"} << 0 << "Uso: quendra";
        QTest::newRow("quendra --nada") << "quendra" << QStringList{"--nada"} << 2 << "quendra: opción desconocida";
        QTest::newRow("quendra-db --help") << "quendra-db" << QStringList{"--help"} << 0 << "Uso: quendra-db";
        QTest::newRow("quendra-db orden desconocida")
            << "quendra-db" << QStringList{"borrar", "x"} << 2 << "Uso: quendra-db";
    }
    void ayudaSinEscritorio()
    {
        const auto [programa, argumentos, estado, empieza] =
            pruebas::fila<QString, QStringList, int, QString>("programa", "argumentos", "estado", "empieza");
        QProcess p;
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert("QT_QPA_PLATFORM", "xcb");
        entorno.remove("DISPLAY");
        entorno.remove("WAYLAND_DISPLAY");
        p.setProcessEnvironment(entorno);
        p.start(programa == "quendra" ? QStringLiteral(QUENDRA_BIN_DIR "/quendra") : QStringLiteral(QUENDRA_DB),
                argumentos);
        QVERIFY(p.waitForFinished(15000));
        QCOMPARE(p.exitCode(), estado);
        const QString salida = QString::fromUtf8(estado == 0 ? p.readAllStandardOutput() : p.readAllStandardError());
        QVERIFY2(salida.startsWith(empieza), qPrintable(salida));
        if (programa == "quendra-db") {
            // After the first line, each line is one command: two blanks, its name, its arguments, what it does.
            const QStringList lineas = salida.trimmed().split('\n').mid(1);
            QVERIFY(lineas.size() >= 8);
            for (const QString &linea : lineas)
                QVERIFY2(QRegularExpression("^  [a-z]+ +\\S.* {2,}\\S").match(linea).hasMatch(), qPrintable(linea));
        }
    }

    // The About text names the database in use (never a password), its version and its counts.
    void textoDeLaBase()
    {
        BaseDePrueba base(BaseDePrueba::Demo);
        QString lugar = base.archivo();
        if (BaseDePrueba::enServidor()) {
            // Opened with a password in its address (the test server asks none): it is never shown.
            QString conClave = lugar;
            conClave.replace(QRegularExpression("://([^:@/]*)@"), "://\\1:secreta@");
            QVERIFY(conClave != lugar);
            mPrincipal::conexion().open(conClave);
        }
        const QString texto = textoAcercaDe(mPrincipal::conexion());
        QVERIFY2(texto.startsWith("Quendra " + QCoreApplication::applicationVersion() + "\n"), qPrintable(texto));
        QVERIFY2(texto.contains((BaseDePrueba::enServidor() ? "Base de datos: servidor " : "Base de datos: archivo ")
                                + lugar + "\n"),
                 qPrintable(texto));
        QVERIFY(!texto.contains("secreta"));
        QVERIFY(texto.contains(QString("Versión del esquema: %1\n").arg(versionEsquema::actual)));
        QVERIFY(texto.contains("Artículos: " + base.valor("select count(*) from articulo") + "\n"));
        QVERIFY(texto.contains("Movimientos: " + base.valor("select count(*) from movstk") + "\n"));
        QVERIFY(base.valor("select count(*) from movstk").toInt() > 0);
        QVERIFY(QRegularExpression("Tamaño: \\d+,\\d MB\n").match(texto).hasMatch());
        QVERIFY(
            QRegularExpression("Bibliotecas: Qt 6[.\\d]+, SQLite 3[.\\d]+, libpq \\d+\\.\\d+").match(texto).hasMatch());

        mPrincipal::conexion().close();
        const QString sinBase = textoAcercaDe(mPrincipal::conexion());
        QVERIFY2(sinBase.contains("Base de datos: ninguna abierta"), qPrintable(sinBase));
        QVERIFY(!sinBase.contains("Artículos:"));
    }
};

QUENDRA_TEST(TestAcercaDe)
#include "tst_help_menu.moc"
