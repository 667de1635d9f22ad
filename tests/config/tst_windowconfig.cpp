#include "config/ConfigStore.h"
#include "config/WindowConfig.h"
#include "platform/Error.h"
#include "platform/ProgramPath.h"
#include "platform/Services.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <memory>

namespace {

class FakeScreen : public platform::Screen {
public:
    QRect workArea() const override { return QRect(0, 0, 1920, 1040); }
};

} // namespace

class WindowConfigTest : public QObject {
    Q_OBJECT

    FakeScreen m_screen;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QWidget> m_window;

    void storeConfig(const QByteArray& bytes)
    {
        QFile out(ConfigFileName());
        QVERIFY(out.open(QIODevice::WriteOnly));
        QCOMPARE(out.write(bytes), bytes.size());
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        platform::setProgramPath(m_dir->filePath(QStringLiteral("PolyxX")));
        platform::Services services = platform::services();
        services.screen = &m_screen;
        platform::setServices(services);
        m_window = std::make_unique<QWidget>();
        m_window->setObjectName(QStringLiteral("Form1"));
        m_window->setGeometry(100, 100, 400, 300);
    }
    void cleanup()
    {
        m_window.reset();
        platform::resetServices();
        platform::setProgramPath(QString());
    }

    void placementRoundTrip()
    {
        m_window->setGeometry(-20, 30, 640, 480);
        SaveWindowPlacement(*m_window);
        QCOMPARE(ReadString(QStringLiteral("PolyxX"), QStringLiteral("Form1"), QString()),
                 QStringLiteral("-20:30:640:480"));
        m_window->setGeometry(0, 0, 200, 100);
        RestoreWindowPlacement(*m_window);
        QCOMPARE(m_window->frameGeometry(), QRect(-20, 30, 640, 480));
    }

    void restoreKeepsWithinWorkArea()
    {
        storeConfig("[PolyxX]\nForm1=5000:-10:3000:500\n");
        RestoreWindowPlacement(*m_window);
        // The left edge is brought back using the width before the restore.
        QCOMPARE(m_window->frameGeometry(), QRect(1520, 0, 1920, 500));
    }

    void restoreWithoutStoredPlacement()
    {
        RestoreWindowPlacement(*m_window);
        QCOMPARE(m_window->frameGeometry(), QRect(100, 100, 400, 300));
        QVERIFY(!QFile::exists(ConfigFileName()));
    }

    void restoreOfWordsFails()
    {
        storeConfig("[PolyxX]\nForm1=10:haut:300:200\n");
        try {
            RestoreWindowPlacement(*m_window);
            QFAIL("no conversion error");
        } catch (const polyx::Error& error) {
            QCOMPARE(error.message(), QStringLiteral("'haut' n'est pas une valeur entière correcte"));
        }
        QCOMPARE(m_window->frameGeometry(), QRect(100, 100, 400, 300));
    }

    void menuChecksRoundTrip()
    {
        auto* stayOnTop = new QAction(m_window.get());
        stayOnTop->setObjectName(QStringLiteral("chk_StayOnTop"));
        stayOnTop->setCheckable(true);
        auto* menu = new QMenu(m_window.get());
        auto* nested = new QAction(menu);
        nested->setObjectName(QStringLiteral("mnu_CHK_Grid"));
        nested->setCheckable(true);
        auto* other = new QAction(m_window.get());
        other->setObjectName(QStringLiteral("mnu_Other"));
        other->setCheckable(true);
        other->setChecked(true);

        stayOnTop->setChecked(true);
        SaveMenuChecks(*m_window);
        QFile file(ConfigFileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("[CASES_A_COCHER]\nchk_StayOnTop=1\nmnu_CHK_Grid=0\n"));

        stayOnTop->setChecked(false);
        nested->setChecked(true);
        other->setChecked(false);
        QSignalSpy triggered(stayOnTop, &QAction::triggered);
        QSignalSpy toggled(stayOnTop, &QAction::toggled);
        RestoreMenuChecks(*m_window);
        QVERIFY(stayOnTop->isChecked());
        QVERIFY(!nested->isChecked());
        QVERIFY(!other->isChecked());
        QCOMPARE(triggered.count(), 0);
        QCOMPARE(toggled.count(), 1);
    }

    void menuChecksDefaultToCurrentMark()
    {
        auto* stayOnTop = new QAction(m_window.get());
        stayOnTop->setObjectName(QStringLiteral("chk_StayOnTop"));
        stayOnTop->setCheckable(true);
        stayOnTop->setChecked(true);
        RestoreMenuChecks(*m_window);
        QVERIFY(stayOnTop->isChecked());
        storeConfig("[cases_a_cocher]\nCHK_STAYONTOP=0\n");
        RestoreMenuChecks(*m_window);
        QVERIFY(!stayOnTop->isChecked());
    }
};

QTEST_MAIN(WindowConfigTest)
#include "tst_windowconfig.moc"
