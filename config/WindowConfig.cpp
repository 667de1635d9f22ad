#include "config/WindowConfig.h"

#include "config/ConfigStore.h"
#include "config/WindowPlacement.h"
#include "platform/Services.h"

#include <QAction>
#include <QWidget>

namespace {

const QString ChecksSection = QStringLiteral("CASES_A_COCHER");

// Only ASCII letters change case in component names.
QString asciiLower(QString text)
{
    for (QChar& c : text) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return text;
}

QList<QAction*> checkActions(QWidget& window)
{
    QList<QAction*> found;
    for (QAction* action : window.findChildren<QAction*>()) {
        if (asciiLower(action->objectName()).contains(QLatin1String("chk_")))
            found.append(action);
    }
    return found;
}

} // namespace

void SaveWindowPlacement(QWidget& window, const QString& file)
{
    WriteString(ProgramName(), window.objectName(), PlacementText(window.frameGeometry()), file);
}

void RestoreWindowPlacement(QWidget& window, const QString& file)
{
    const QRect frame = window.frameGeometry();
    const QString stored = ReadString(ProgramName(), window.objectName(), PlacementText(frame), file);
    const QRect placed = PlacementFromText(stored, frame, platform::screen().workArea());
    if (placed == frame)
        return;
    // move() places the outer frame, resize() takes the inner size.
    const QSize frameMargins = frame.size() - window.geometry().size();
    window.move(placed.topLeft());
    window.resize(placed.size() - frameMargins);
}

void SaveMenuChecks(QWidget& window, const QString& file)
{
    for (QAction* action : checkActions(window))
        WriteBool(ChecksSection, action->objectName(), action->isChecked(), file);
}

void RestoreMenuChecks(QWidget& window, const QString& file)
{
    for (QAction* action : checkActions(window))
        action->setChecked(ReadBool(ChecksSection, action->objectName(), action->isChecked(), file));
}
